#pragma once
#include <QString>

// What a text or number typed into a form must be for the job to store it
// unchanged, and what the user is told when it is not. Every window that
// stores texts or numbers of a job uses these rules, so a value is refused
// while it is typed or before anything is written, never cut or altered on
// the way to the file.
namespace k5 {

// Widths in bytes (CP932: a full-width character takes two) of the texts a
// job stores.
constexpr int kFoundationNameBytes = 14;
constexpr int kMemoBytes = 120;
constexpr int kJobNameBytes = 52;
constexpr int kFileNameBytes = 52;

enum class TextFit {
    Fits,
    TooLong,    // more bytes than the field holds
    Terminator, // holds "~", which ends a stored text and would cut it when read back
    NotCp932,   // holds a character the job file cannot store (it would become "?")
};
TextFit textFit(const QString& text, int maxBytes);

// The message for a text that does not fit the field named `caption`; empty
// when it fits.
QString textProblem(const QString& text, const QString& caption, int maxBytes);

// `text` cut to at most `maxBytes` bytes between characters.
QString cutToBytes(const QString& text, int maxBytes);

// Numbers. A stored Single holds any finite value up to about 3.4e38; a
// stored Integer −32768 to 32767 (after rounding halves to even).
bool fitsSingle(double value);
// "<caption>の入力値が大きすぎる　　　": the value is beyond what the field stores.
QString numberTooLarge(const QString& caption);
// The message for a value an Integer field cannot store.
QString integerOutOfRange(const QString& caption);
// The message for a number with a comma that separates no digit groups
// ("1,5"): it is refused rather than read as the digits before the comma.
QString strayCommaMessage(const QString& caption, const QString& text);

} // namespace k5
