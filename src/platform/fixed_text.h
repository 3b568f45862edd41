#pragma once
#include <QByteArray>
#include <QString>

// Fixed-width text fields of the record files.
//
// A terminated field stores a non-empty text followed by "~" and blanks; the
// "~" marks where the text ends, so trailing blanks a user typed survive.
// A text that fills the field loses its terminator. An empty text (or one of
// blanks only) is stored as blanks: a lone "~" would read back as the text "~".
namespace k5 {

enum class Terminator { None, Tilde };

// Encodes `text` into exactly `width` bytes. A cut never splits a double-byte
// character: the field then ends with a blank instead of a lone lead byte.
QByteArray encodeField(const QString& text, int width, Terminator terminator);

// Reads a field: the characters before a "~" at the second position or later,
// otherwise the whole field without leading and trailing blanks.
QString decodeField(const QByteArray& field);

// Reads a field stored without terminator: the text without surrounding blanks.
QString decodePlainField(const QByteArray& field);

// Removes leading and trailing ASCII blanks only (other white space is text).
QString trimBlanks(const QString& text);

} // namespace k5
