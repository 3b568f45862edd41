#include "input/field_limits.h"

#include "platform/cp932.h"

#include <cmath>
#include <limits>

namespace k5 {
namespace {

const QString kEnd = QStringLiteral("　　　");

} // namespace

TextFit textFit(const QString& text, int maxBytes) {
    if (text.contains(u'~')) return TextFit::Terminator;
    if (!cp932CanHold(text)) return TextFit::NotCp932;
    if (cp932Length(text) > maxBytes) return TextFit::TooLong;
    return TextFit::Fits;
}

QString textProblem(const QString& text, const QString& caption, int maxBytes) {
    const QString field = QStringLiteral("<") + caption + QStringLiteral(">");
    switch (textFit(text, maxBytes)) {
    case TextFit::Fits:
        return {};
    case TextFit::TooLong:
        return field +
               QStringLiteral("は半角%1文字（全角%2文字）までです。").arg(maxBytes).arg(maxBytes / 2) + kEnd;
    case TextFit::Terminator:
        return field + QStringLiteral("には「~」を使えません。") + kEnd;
    case TextFit::NotCp932:
        return field +
               QStringLiteral("に記録できない文字（絵文字や一部の記号・漢字など）が含まれています。") + kEnd +
               QStringLiteral("\n\nその文字を削除するか、別の文字に置き換えてください。");
    }
    return {};
}

QString cutToBytes(const QString& text, int maxBytes) {
    QString cut;
    int bytes = 0;
    // Whole characters only (a surrogate pair is one character).
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype step = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString ch = text.mid(i, step);
        const int size = cp932Length(ch);
        if (bytes + size > maxBytes) break;
        cut += ch;
        bytes += size;
        i += step;
    }
    return cut;
}

bool fitsSingle(double value) {
    return std::isfinite(value) && std::fabs(value) <= std::numeric_limits<float>::max();
}

QString numberTooLarge(const QString& caption) {
    return QStringLiteral("<") + caption + QStringLiteral(">の入力値が大きすぎる") + kEnd;
}

QString integerOutOfRange(const QString& caption) {
    return QStringLiteral("<") + caption +
           QStringLiteral(">には、-32768 から 32767 までの整数を入力してください。") + kEnd;
}

QString strayCommaMessage(const QString& caption, const QString& text) {
    return QStringLiteral("<") + caption + QStringLiteral(">の入力値「") + text +
           QStringLiteral("」を数値として読めません") + kEnd +
           QStringLiteral("\n\nコンマ（,）は 1,500 のように3桁ごとの区切りにだけ使えます。");
}

} // namespace k5
