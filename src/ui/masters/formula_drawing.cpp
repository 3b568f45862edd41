#include "ui/masters/formula_drawing.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace k5 {
namespace {

bool isLatinLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// One pass over the markup that either measures or draws; both share the
// layout so what is measured is what is drawn.
class Layout {
  public:
    Layout(const QFont& font, QPainter* painter) : font_(font), painter_(painter) {}

    FormulaBox run(const QString& markup, QPointF origin) {
        qsizetype pos = 0;
        return sequence(markup, pos, origin, QChar());
    }

  private:
    // Markup up to `end` (or the end of the text), laid out from left to right.
    FormulaBox sequence(const QString& m, qsizetype& pos, QPointF origin, QChar end) {
        FormulaBox box;
        QString run;
        auto flushText = [&] {
            if (run.isEmpty()) return;
            append(box, text(run, font_, {origin.x() + box.width, origin.y()}));
            run.clear();
        };
        while (pos < m.size() && m[pos] != end) {
            QChar c = m[pos];
            if (c == u'{') {
                flushText();
                ++pos;
                append(box, fraction(m, pos, {origin.x() + box.width, origin.y()}));
            } else if (c == u'(') {
                flushText();
                ++pos;
                append(box, parenthesised(m, pos, {origin.x() + box.width, origin.y()}));
            } else if (isLatinLetter(c) && pos + 2 < m.size() && m[pos + 1] == u'_') {
                flushText();
                append(box, variable(c, m[pos + 2], {origin.x() + box.width, origin.y()}));
                pos += 3;
            } else {
                run += c;
                ++pos;
            }
        }
        flushText();
        return box;
    }

    static void append(FormulaBox& box, FormulaBox part) {
        box.width += part.width;
        box.ascent = std::max(box.ascent, part.ascent);
        box.descent = std::max(box.descent, part.descent);
    }

    FormulaBox text(const QString& s, const QFont& font, QPointF origin) {
        QFontMetricsF fm(font);
        if (painter_) {
            painter_->setFont(font);
            painter_->drawText(origin, s);
        }
        return {fm.horizontalAdvance(s), fm.ascent(), fm.descent()};
    }

    FormulaBox variable(QChar letter, QChar subscript, QPointF origin) {
        QFont italic = font_;
        italic.setItalic(true);
        QFont small = font_;
        small.setPointSizeF(font_.pointSizeF() * 0.68);
        FormulaBox base = text(QString(letter), italic, origin);
        // Italic letters lean over their advance; the subscript sits clear of the lean.
        qreal gap = QFontMetricsF(font_).horizontalAdvance(u' ') * 0.15;
        qreal drop = QFontMetricsF(font_).xHeight() * 0.45;
        FormulaBox sub = text(QString(subscript), small, {origin.x() + base.width + gap, origin.y() + drop});
        return {base.width + gap + sub.width + gap, base.ascent, std::max(base.descent, sub.descent + drop)};
    }

    // "(...)" with pos just after the "(": around something taller than a
    // line (a fraction) the parentheses are drawn as thin arcs of its height.
    FormulaBox parenthesised(const QString& m, qsizetype& pos, QPointF origin) {
        Layout measureOnly(font_, nullptr);
        qsizetype probe = pos;
        FormulaBox inner = measureOnly.sequence(m, probe, {}, u')');

        QFontMetricsF fm(font_);
        if (inner.ascent + inner.descent <= (fm.ascent() + fm.descent()) * 1.15) {
            FormulaBox box = text(QStringLiteral("("), font_, origin);
            append(box, sequence(m, pos, {origin.x() + box.width, origin.y()}, u')'));
            if (pos < m.size() && m[pos] == u')') ++pos;
            append(box, text(QStringLiteral(")"), font_, {origin.x() + box.width, origin.y()}));
            return box;
        }
        const qreal top = origin.y() - inner.ascent;
        const qreal bottom = origin.y() + inner.descent;
        const qreal bow = fm.horizontalAdvance(u' ') * 0.9;
        const qreal side = bow * 1.9;
        if (painter_) {
            painter_->save();
            painter_->setPen(QPen(painter_->pen().color(), std::max<qreal>(1.0, fm.lineWidth() * 1.1)));
            QPainterPath open;
            open.moveTo(origin.x() + side * 0.8, top);
            open.quadTo(origin.x() + side * 0.8 - 2 * bow, (top + bottom) / 2, origin.x() + side * 0.8,
                        bottom);
            const qreal right = origin.x() + side + inner.width;
            QPainterPath close;
            close.moveTo(right + side * 0.2, top);
            close.quadTo(right + side * 0.2 + 2 * bow, (top + bottom) / 2, right + side * 0.2, bottom);
            painter_->drawPath(open);
            painter_->drawPath(close);
            painter_->restore();
            sequence(m, pos, {origin.x() + side, origin.y()}, u')');
        } else {
            pos = probe;
        }
        if (pos < m.size() && m[pos] == u')') ++pos;
        return {inner.width + 2 * side, inner.ascent, inner.descent};
    }

    // "{numerator|denominator}" with pos just after the "{".
    FormulaBox fraction(const QString& m, qsizetype& pos, QPointF origin) {
        Layout measureOnly(font_, nullptr);
        qsizetype probe = pos;
        FormulaBox num = measureOnly.sequence(m, probe, {}, u'|');
        if (probe < m.size()) ++probe;
        FormulaBox den = measureOnly.sequence(m, probe, {}, u'}');

        QFontMetricsF fm(font_);
        const qreal rule = std::max<qreal>(1.0, fm.lineWidth());
        const qreal axis = fm.xHeight() * 0.5; // the fraction rule lies on the math axis
        const qreal gap = fm.xHeight() * 0.3;
        const qreal pad = fm.horizontalAdvance(u' ') * 0.25;
        const qreal width = std::max(num.width, den.width) + 2 * pad;

        const qreal numBaseline = origin.y() - axis - rule / 2 - gap - num.descent;
        const qreal denBaseline = origin.y() - axis + rule / 2 + gap + den.ascent;
        if (painter_) {
            sequence(m, pos, {origin.x() + (width - num.width) / 2, numBaseline}, u'|');
            if (pos < m.size()) ++pos;
            sequence(m, pos, {origin.x() + (width - den.width) / 2, denBaseline}, u'}');
            painter_->save();
            painter_->setPen(QPen(painter_->pen().color(), rule));
            painter_->drawLine(QPointF(origin.x() + pad * 0.5, origin.y() - axis),
                               QPointF(origin.x() + width - pad * 0.5, origin.y() - axis));
            painter_->restore();
        } else {
            pos = probe;
        }
        if (pos < m.size() && m[pos] == u'}') ++pos;
        return {width, origin.y() - numBaseline + num.ascent, denBaseline - origin.y() + den.descent};
    }

    QFont font_;
    QPainter* painter_;
};

} // namespace

FormulaBox FormulaPainter::measure(const QString& markup) const {
    return Layout(font_, nullptr).run(markup, {});
}

qreal FormulaPainter::draw(QPainter& painter, QPointF origin, const QString& markup) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    qreal width = Layout(font_, &painter).run(markup, origin).width;
    painter.restore();
    return width;
}

} // namespace k5
