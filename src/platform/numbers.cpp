#include "platform/numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace k5 {
namespace {

// The ASCII character a full-width form stands for (U+FF01..U+FF5E, the
// minus sign U+2212 and the ideographic space), the character itself otherwise.
QChar asciiForm(QChar c) {
    const char16_t u = c.unicode();
    if (u >= 0xFF01 && u <= 0xFF5E) return QChar(static_cast<char16_t>(u - 0xFF01 + 0x21));
    if (u == 0x2212) return QChar(u'-');
    if (u == 0x3000) return QChar(u' ');
    return c;
}

std::string withoutSkippedBlanks(const QString& text) {
    std::string s;
    s.reserve(static_cast<size_t>(text.size()));
    for (QChar typed : text) {
        const QChar c = typed.unicode() < 0x80 ? typed : asciiForm(typed);
        if (c == u' ' || c == u'\t' || c == u'\n') continue;
        s.push_back(c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : '\x01');
    }
    return s;
}

// &H / &O literals: up to four digits are an Integer, up to eight a Long,
// so "&HFFFF" is -1 as it always was.
double radixValue(const std::string& s, size_t pos, int radix) {
    unsigned long long value = 0;
    size_t digits = 0;
    for (; pos < s.size(); ++pos, ++digits) {
        char c = static_cast<char>(std::toupper(static_cast<unsigned char>(s[pos])));
        int d = (c >= '0' && c <= '9') ? c - '0' : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : 99;
        if (d >= radix) break;
        value = value * static_cast<unsigned>(radix) + static_cast<unsigned>(d);
        if (value > 0xFFFFFFFFull) return static_cast<double>(value);
    }
    bool shortLiteral = radix == 16 ? digits <= 4 : value <= 0xFFFF;
    if (shortLiteral && value > 0x7FFF && value <= 0xFFFF) return static_cast<double>(value) - 65536.0;
    if (value > 0x7FFFFFFF && value <= 0xFFFFFFFF) return static_cast<double>(value) - 4294967296.0;
    return static_cast<double>(value);
}

size_t digitsFrom(const std::string& s, size_t pos) {
    while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9')
        ++pos;
    return pos;
}

// The integer digits from `pos` into `digits`, read past the commas that
// separate groups of three digits after a first group of one to three
// ("12,345", "1,500,000"), as a number copied from a spreadsheet is written.
// Returns the end of what was read and counts the commas read past.
size_t groupedDigitsFrom(const std::string& s, size_t pos, std::string& digits, size_t& commas) {
    size_t end = digitsFrom(s, pos);
    digits.append(s, pos, end - pos);
    if (end == pos || end - pos > 3) return end;
    while (end < s.size() && s[end] == ',' && digitsFrom(s, end + 1) == end + 4) {
        digits.append(s, end + 1, 3);
        end += 4;
        ++commas;
    }
    return end;
}

struct LeadingNumber {
    double value = 0;
    bool strayComma = false; // a comma that separates no digit groups
    bool whole = false;      // the text is this number and nothing else
};

LeadingNumber readLeadingNumber(const QString& text) {
    const std::string s = withoutSkippedBlanks(text);
    const auto commas = static_cast<size_t>(std::count(s.begin(), s.end(), ','));
    if (s.size() >= 2 && s[0] == '&') {
        char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(s[1])));
        if (kind == 'H') return {radixValue(s, 2, 16), commas > 0, false};
        if (kind == 'O') return {radixValue(s, 2, 8), commas > 0, false};
    }
    size_t pos = 0;
    std::string number;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) number.push_back(s[pos++]);
    size_t grouping = 0;
    size_t end = groupedDigitsFrom(s, pos, number, grouping);
    const bool strayComma = commas > grouping;
    bool anyDigit = end > pos;
    if (end < s.size() && s[end] == '.') {
        size_t fracEnd = digitsFrom(s, end + 1);
        anyDigit = anyDigit || fracEnd > end + 1;
        number.append(s, end, fracEnd - end);
        end = fracEnd;
    }
    if (!anyDigit) return {0.0, strayComma, false};
    if (end < s.size() && (s[end] == 'E' || s[end] == 'e' || s[end] == 'D' || s[end] == 'd')) {
        size_t expPos = end + 1;
        if (expPos < s.size() && (s[expPos] == '+' || s[expPos] == '-')) ++expPos;
        size_t expEnd = digitsFrom(s, expPos);
        if (expEnd > expPos) {
            number += "E" + s.substr(end + 1, expEnd - end - 1);
            end = expEnd;
        }
    }
    const double value = std::strtod(number.c_str(), nullptr);
    const bool finite = std::isfinite(value);
    return {finite ? value : 0.0, strayComma, finite && end == s.size()};
}

// From 2^52 up a double holds whole numbers only.
constexpr double kWholeDoubles = 4503599627370496.0;

// A large magnitude written out in positional digits: its first nine
// significant digits (all a Single holds), zeros for the rest of the
// integer part and `decimals` zeros after the point.
std::string significantDigitsThenZeros(double magnitude, int decimals) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.8e", magnitude);
    const std::string text(buffer);
    const size_t ePos = text.find('e');
    const int exponent = std::atoi(text.c_str() + ePos + 1);
    std::string mantissa;
    for (size_t i = 0; i < ePos; ++i)
        if (text[i] != '.') mantissa.push_back(text[i]);
    const auto intDigits = static_cast<size_t>(exponent + 1);
    std::string digits = mantissa.size() >= intDigits
                             ? mantissa.substr(0, intDigits)
                             : mantissa + std::string(intDigits - mantissa.size(), '0');
    if (decimals > 0) digits += "." + std::string(static_cast<size_t>(decimals), '0');
    return digits;
}

// The shortest decimal that reads back as the same Single.
double shortestSingleDecimal(double value) {
    const float target = static_cast<float>(value);
    char buffer[40];
    for (int digits = 1; digits <= 9; ++digits) {
        std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, value);
        double candidate = std::strtod(buffer, nullptr);
        if (static_cast<float>(candidate) == target) return candidate;
    }
    return value;
}

// True when `magnitude` lies exactly halfway between two numbers of
// `decimals` decimals. Written as odd·2^k, times 10^decimals it is
// odd·5^decimals·2^(k + decimals): an odd number of halves exactly when
// k = −(decimals + 1).
bool exactlyHalfway(double magnitude, int decimals) {
    int exponent = 0;
    const double fraction = std::frexp(magnitude, &exponent);
    auto odd = static_cast<long long>(std::ldexp(fraction, 53));
    if (odd == 0) return false;
    exponent -= 53;
    while ((odd & 1) == 0) {
        odd >>= 1;
        ++exponent;
    }
    return exponent == -(decimals + 1);
}

// `magnitude` with `decimals` decimals, rounded from its exact binary value
// (the C library prints that value's digits exactly and breaks ties to
// even), a tie away from zero.
std::string roundedDigits(double magnitude, int decimals) {
    if (exactlyHalfway(magnitude, decimals))
        magnitude = std::nextafter(magnitude, std::numeric_limits<double>::infinity());
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, magnitude);
    return buffer;
}

} // namespace

QString asciiNumberText(const QString& text) {
    QString ascii = text;
    for (QChar& c : ascii)
        if (c.unicode() >= 0x80) c = asciiForm(c);
    return ascii;
}

double parseLeadingNumber(const QString& text) {
    return readLeadingNumber(text).value;
}

bool hasStrayComma(const QString& text) {
    return readLeadingNumber(text).strayComma;
}

std::optional<double> parseWholeNumber(const QString& text) {
    const LeadingNumber n = readLeadingNumber(text);
    if (!n.whole || n.strayComma) return std::nullopt;
    return n.value;
}

namespace {

QString generalForm(double value, bool exponentForLargeAndSmall) {
    if (value == 0.0 || !std::isfinite(value)) return QStringLiteral("0");
    float target = static_cast<float>(value);
    char buffer[64];
    int digits = 1;
    for (; digits < 7; ++digits) {
        std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, value);
        if (static_cast<float>(std::strtod(buffer, nullptr)) == target) break;
    }
    std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, value);
    // buffer is "-d.dddde+XX": split mantissa digits and exponent.
    std::string text(buffer);
    size_t ePos = text.find('e');
    int exponent = std::atoi(text.c_str() + ePos + 1);
    bool negative = text[0] == '-';
    std::string mantissa;
    for (size_t i = negative ? 1 : 0; i < ePos; ++i)
        if (text[i] != '.') mantissa.push_back(text[i]);
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back();

    std::string out = negative ? "-" : "";
    if (exponentForLargeAndSmall && (exponent >= 7 || exponent < -5)) {
        out += mantissa.substr(0, 1);
        if (mantissa.size() > 1) out += "." + mantissa.substr(1);
        char exp[16];
        std::snprintf(exp, sizeof exp, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        out += exp;
    } else if (exponent < 0) {
        out += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + mantissa;
    } else {
        auto intDigits = static_cast<size_t>(exponent + 1);
        if (mantissa.size() <= intDigits) {
            out += mantissa + std::string(intDigits - mantissa.size(), '0');
        } else {
            out += mantissa.substr(0, intDigits) + "." + mantissa.substr(intDigits);
        }
    }
    return QString::fromStdString(out);
}

} // namespace

QString formatGeneral(double value) {
    return generalForm(value, true);
}

QString formatPositional(double value) {
    return generalForm(value, false);
}

QString formatPattern(double value, const QString& pattern) {
    qsizetype point = pattern.indexOf(u'.');
    int decimals = point < 0 ? 0 : static_cast<int>(pattern.size() - point - 1);
    int minIntDigits = static_cast<int>(pattern.left(point < 0 ? pattern.size() : point).count(u'0'));
    if (!std::isfinite(value)) value = 0.0;
    // The stored value itself is rounded, never a shorter decimal read from
    // it first: rounding twice moves the last digit (3561.0734863 would
    // become 3561.0735 and then 3561.074).
    const double magnitude = std::fabs(value);
    std::string digits;
    if (magnitude * std::pow(10.0, decimals) >= kWholeDoubles) {
        // Nothing is left to round (only a damaged file holds such a value):
        // the digits it was stored as, then zeros (1e30 prints as a 1 and
        // thirty zeros, in the pattern, never in exponent form).
        const bool single = static_cast<double>(static_cast<float>(magnitude)) == magnitude;
        digits = significantDigitsThenZeros(single ? shortestSingleDecimal(magnitude) : magnitude, decimals);
    } else {
        digits = roundedDigits(magnitude, decimals);
    }
    const bool negative = value < 0 && digits.find_first_of("123456789") != std::string::npos;
    size_t intLen = point < 0 ? digits.size() : digits.find('.');
    if (intLen == std::string::npos) intLen = digits.size();
    if (minIntDigits == 0 && intLen == 1 && digits[0] == '0')
        digits.erase(0, 1);
    else if (static_cast<int>(intLen) < minIntDigits)
        digits.insert(0, static_cast<size_t>(minIntDigits) - intLen, '0');
    if (digits.empty()) digits = "0";
    return QString::fromStdString((negative ? "-" : "") + digits);
}

long long cInt(double value) {
    // A damaged file can hold any Single: no number reads as 0 and one beyond
    // the range of the result is held at its end, rather than converting
    // out of range (which C++ leaves undefined).
    const double r = std::nearbyint(value);
    if (std::isnan(r)) return 0;
    if (r >= 9.2e18) return std::numeric_limits<long long>::max();
    if (r <= -9.2e18) return std::numeric_limits<long long>::min();
    return static_cast<long long>(r);
}

double intFloor(double value) {
    return std::floor(value);
}

bool fitsInt16(double value) {
    if (!std::isfinite(value)) return false;
    double r = std::nearbyint(value);
    return r >= -32768.0 && r <= 32767.0;
}

} // namespace k5
