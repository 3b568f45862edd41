#pragma once
#include <QFont>
#include <QPointF>
#include <QString>

class QPainter;

// Draws one-line formulas the way a printed design standard sets them:
// built-up fractions with a rule, italic variables with upright subscripts.
//
// Markup: plain text stands for itself; a Latin letter followed by "_" and
// one character is a variable with a subscript ("F_c", "f_a"); "{a|b}" is the
// fraction a over b, whose parts are markup themselves ("{6F_c|100}").
namespace k5 {

struct FormulaBox {
    qreal width = 0;
    qreal ascent = 0;  // above the baseline
    qreal descent = 0; // below the baseline
};

class FormulaPainter {
  public:
    explicit FormulaPainter(const QFont& font) : font_(font) {}

    FormulaBox measure(const QString& markup) const;
    // Draws with the formula's baseline starting at `origin`; returns the width.
    qreal draw(QPainter& painter, QPointF origin, const QString& markup) const;

  private:
    QFont font_;
};

} // namespace k5
