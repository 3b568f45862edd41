#pragma once
#include <QByteArray>
#include <QString>

// Text on disk is in the Windows Japanese code page (CP932): the job files,
// masters and archives come from Windows machines and must stay readable there.
namespace k5 {

// Input methods on Linux and macOS give a few characters as the Unicode
// character their glyph names, where Windows gives the CP932 character that
// looks the same (WAVE DASH 〜 for FULLWIDTH TILDE ～, MINUS SIGN − for
// FULLWIDTH HYPHEN-MINUS －, ‖ ¢ £ ¬ — for ∥ ￠ ￡ ￢ ―). The text with each
// such character replaced by its CP932 twin; every other character as it is.
// Every conversion below applies it first, so such text is stored as a
// Windows user would have typed it.
QString withCp932Twins(const QString& text);

// Characters CP932 cannot hold become "?".
QByteArray toCp932(const QString& text);
// Whether every character of `text` has a CP932 form (no "?" would be stored).
bool cp932CanHold(const QString& text);
// Bytes `text` takes in CP932 (a character without a form counts as its "?").
int cp932Length(const QString& text);
// Bytes that are not valid CP932 become "?"; NUL bytes become blanks.
QString fromCp932(const QByteArray& bytes);

} // namespace k5
