#include "platform/fixed_text.h"

#include "platform/cp932.h"

namespace k5 {
namespace {

bool isCp932LeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Length of the longest prefix of `bytes` within `width` that ends on a character boundary.
int wholeCharacterPrefix(const QByteArray& bytes, int width) {
    int i = 0;
    while (i < bytes.size()) {
        int step = isCp932LeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
        if (i + step > width) break;
        i += step;
    }
    return i;
}

} // namespace

QString trimBlanks(const QString& text) {
    qsizetype first = 0, last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    return text.mid(first, last - first);
}

QByteArray encodeField(const QString& text, int width, Terminator terminator) {
    QByteArray bytes;
    if (!trimBlanks(text).isEmpty()) {
        bytes = toCp932(text);
        if (terminator == Terminator::Tilde) bytes.append('~');
        if (bytes.size() > width) bytes.truncate(wholeCharacterPrefix(bytes, width));
    }
    return bytes.leftJustified(width, ' ', true);
}

QString decodeField(const QByteArray& field) {
    QString text = fromCp932(field);
    qsizetype tilde = text.indexOf(u'~');
    if (tilde >= 1) return text.left(tilde);
    return trimBlanks(text);
}

QString decodePlainField(const QByteArray& field) {
    return trimBlanks(fromCp932(field));
}

} // namespace k5
