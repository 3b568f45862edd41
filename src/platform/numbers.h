#pragma once
#include <QString>

#include <optional>

namespace k5 {

// The number a field's text stands for: blanks, tabs and line feeds are
// skipped wherever they stand, then the longest decimal prefix is read
// (sign, digits with one decimal point, exponent E or D). "&H" and "&O" read
// hexadecimal and octal. Commas between groups of three digits of the
// integer part ("1,500", "12,345.6", as a spreadsheet copies a number) are
// read past; any other comma ends the number. No digit gives 0.
// Full-width digits, signs, point, comma and letters ("３４５", "－１．５",
// typed with a Japanese input method left on) and the ideographic space count
// as their ASCII forms (asciiNumberText), as does the minus sign U+2212.
double parseLeadingNumber(const QString& text);

// Whether the text holds a comma that separates no digit groups of its
// leading number ("1,5", "1234,5", "12kN,"): an input field refuses it
// rather than store the digits before the comma.
bool hasStrayComma(const QString& text);

// The number when the text, blanks aside, is one decimal number by the rule
// above and nothing else ("1,500", "-2.5E3"); none for "12kN", "1,5" or "".
std::optional<double> parseWholeNumber(const QString& text);

// `text` with the full-width forms above replaced by their ASCII characters,
// for readers that check a number's form before parsing it.
QString asciiNumberText(const QString& text);

// Shortest decimal form of a stored Single with at most seven significant
// digits, no grouping, "0" for zero; exponent form only for very large or
// very small magnitudes ("1.5E+10", "1E-07").
QString formatGeneral(double value);
// The same digits always written out in position ("1000000000000000000000000000000",
// "0.0000001"), as a printed page shows a number.
QString formatPositional(double value);

// Report digit patterns such as "###0.000", "####0.0", "#0", "##0.00":
// as many decimals as the pattern has after its point, rounded half away
// from zero, no grouping, at least as many integer digits as the pattern's zeros.
QString formatPattern(double value, const QString& pattern);

// Rounding to an integer with halves to even, as every real-to-Integer
// conversion of the stored data does.
long long cInt(double value);
// Largest integer not greater than the value.
double intFloor(double value);

// True when the value fits a stored 16-bit Integer after cInt.
bool fitsInt16(double value);

} // namespace k5
