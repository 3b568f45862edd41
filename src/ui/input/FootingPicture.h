#pragma once
#include <QColor>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

namespace k5 {

// A section and a plan of a footing with the symbols of the dimensions the
// window asks for, so the user sees which length is which.
class FootingPicture : public QWidget {
  public:
    explicit FootingPicture(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("Picture基礎"));
        setFixedSize(500, 290);
        setToolTip(QStringLiteral("寸法記号の説明図（寸法の入力単位は mm）"));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), Qt::white);
        p.setPen(QColor(160, 160, 160));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        QFont font = p.font();
        font.setPixelSize(12);
        p.setFont(font);
        drawSection(p);
        drawPlan(p);
    }

  public:
    // The outline of the section in the picture's pixels.
    struct Section {
        double left = 30, right = 230, bottom = 250;       // footing sides and underside
        double colLeft = 110, colRight = 150, colTop = 50; // column stub
        double baseTop = 175, tipTop = 215, groundY = 120; // footing top at the column and at the edge, GL
    };
    // A dimension of the section: its symbol between two points.
    struct Mark {
        QString symbol;
        QPointF from, to;
        QPointF labelOffset;
    };
    // The dimensions of the section. h1 and h2 run down to the underside of
    // the footing, as the calculation (the moment of H acts h1 above the
    // underside) and the report's section measure them: an engineer who
    // measures from the picture enters what the calculation expects.
    static QList<Mark> sectionMarks() {
        const Section g;
        const double barY = g.bottom - 12;
        return {
            {QStringLiteral("ax"), {g.colLeft, g.colTop - 10}, {g.colRight, g.colTop - 10}, {0, -11}},
            {QStringLiteral("h1"), {g.colRight + 14, g.colTop}, {g.colRight + 14, g.bottom}, {16, -20}},
            {QStringLiteral("h2"), {g.right + 16, g.groundY}, {g.right + 16, g.bottom}, {16, 0}},
            {QStringLiteral("D"), {g.colLeft - 4, g.baseTop}, {g.colLeft - 4, g.bottom}, {-12, 10}},
            {QStringLiteral("D'"), {g.left - 12, g.tipTop}, {g.left - 12, g.bottom}, {-11, 0}},
            {QStringLiteral("d"), {g.right - 6, barY}, {g.right - 6, g.bottom}, {-12, -14}},
        };
    }

  private:
    static constexpr QColor kDimension{0, 70, 170};
    static constexpr QColor kBar{190, 30, 30};

    // A dimension between two points with tick ends and its symbol beside it.
    static void dimension(QPainter& p, QPointF a, QPointF b, const QString& symbol, QPointF labelOffset) {
        p.setPen(QPen(kDimension, 1));
        p.drawLine(a, b);
        const bool vertical = qFuzzyCompare(a.x(), b.x());
        for (QPointF end : {a, b}) {
            if (vertical)
                p.drawLine(end + QPointF(-4, 0), end + QPointF(4, 0));
            else
                p.drawLine(end + QPointF(0, -4), end + QPointF(0, 4));
        }
        // The symbol sits on a white patch so that no line runs through it.
        const QPointF mid = (a + b) / 2 + labelOffset;
        const QRectF text = p.fontMetrics().boundingRect(symbol);
        const QRectF box(mid.x() - text.width() / 2 - 2, mid.y() - text.height() / 2, text.width() + 4,
                         text.height());
        p.fillRect(box, Qt::white);
        p.drawText(box, Qt::AlignCenter, symbol);
    }

    static void caption(QPainter& p, QPointF at, const QString& text) {
        p.setPen(Qt::black);
        p.drawText(QRectF(at.x(), at.y(), 200, 18), Qt::AlignLeft | Qt::AlignVCenter, text);
    }

    void drawSection(QPainter& p) const {
        caption(p, {10, 6}, QStringLiteral("断面"));
        const Section g;
        const double left = g.left, right = g.right, bottom = g.bottom;
        const double colLeft = g.colLeft, colRight = g.colRight, colTop = g.colTop;
        const double baseTop = g.baseTop, tipTop = g.tipTop, groundY = g.groundY;

        // Ground level with soil hatching on both sides of the column.
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(QPointF(5, groundY), QPointF(colLeft, groundY));
        p.drawLine(QPointF(colRight, groundY), QPointF(right + 25, groundY));
        for (double x = 10; x < right + 25; x += 10) {
            if (x > colLeft - 8 && x < colRight + 2) continue;
            p.drawLine(QPointF(x, groundY), QPointF(x + 6, groundY - 6));
        }
        caption(p, {right + 2, groundY - 22}, QStringLiteral("GL"));

        // Footing: full depth D at the column, D' at the edges.
        QPainterPath footing;
        footing.moveTo(left, bottom);
        footing.lineTo(left, tipTop);
        footing.lineTo(colLeft - 10, baseTop);
        footing.lineTo(colRight + 10, baseTop);
        footing.lineTo(right, tipTop);
        footing.lineTo(right, bottom);
        footing.closeSubpath();
        p.setPen(QPen(Qt::black, 1.5));
        p.setBrush(QColor(225, 225, 225));
        p.drawPath(footing);
        p.drawRect(QRectF(colLeft, colTop, colRight - colLeft, baseTop - colTop));
        p.setBrush(Qt::NoBrush);

        // Bottom bars.
        const double barY = bottom - 12;
        p.setPen(Qt::NoPen);
        p.setBrush(kBar);
        for (double x = left + 14; x <= right - 20; x += 17)
            p.drawEllipse(QPointF(x, barY), 3, 3);
        p.setBrush(Qt::NoBrush);

        for (const Mark& mark : sectionMarks())
            dimension(p, mark.from, mark.to, mark.symbol, mark.labelOffset);
    }

    void drawPlan(QPainter& p) const {
        caption(p, {270, 6}, QStringLiteral("平面"));
        const QRectF footing(300, 50, 170, 170);
        const QRectF column(footing.center().x() - 20, footing.center().y() - 20, 40, 40);
        const double edge = 20, pitch = 26;

        p.setPen(QPen(kBar, 1));
        for (double x = footing.left() + edge; x <= footing.right() - edge + 0.1; x += pitch)
            p.drawLine(QPointF(x, footing.top() + 4), QPointF(x, footing.bottom() - 4));
        for (double y = footing.top() + edge; y <= footing.bottom() - edge + 0.1; y += pitch)
            p.drawLine(QPointF(footing.left() + 4, y), QPointF(footing.right() - 4, y));

        p.setPen(QPen(Qt::black, 1.5));
        p.drawRect(footing);
        p.setBrush(QColor(225, 225, 225));
        p.drawRect(column);
        p.setBrush(Qt::NoBrush);

        dimension(p, {column.left(), column.top() - 8}, {column.right(), column.top() - 8},
                  QStringLiteral("ax"), {0, -10});
        dimension(p, {column.right() + 8, column.top()}, {column.right() + 8, column.bottom()},
                  QStringLiteral("ay"), {14, 0});
        const double below = footing.bottom() + 10;
        dimension(p, {footing.left(), below}, {footing.left() + edge, below}, QStringLiteral("端空き"),
                  {26, 12});
        dimension(p, {footing.left() + edge + 2 * pitch, below}, {footing.left() + edge + 3 * pitch, below},
                  QStringLiteral("@"), {0, 14});

        // Axes: the x row of the arrangement table runs along x, the y row along y.
        p.setPen(QPen(Qt::black, 1));
        const QPointF origin(footing.left() - 34, footing.bottom() + 40);
        p.drawLine(origin, origin + QPointF(26, 0));
        p.drawLine(origin + QPointF(26, 0), origin + QPointF(21, -3));
        p.drawLine(origin + QPointF(26, 0), origin + QPointF(21, 3));
        p.drawLine(origin, origin + QPointF(0, -26));
        p.drawLine(origin + QPointF(0, -26), origin + QPointF(-3, -21));
        p.drawLine(origin + QPointF(0, -26), origin + QPointF(3, -21));
        p.drawText(origin + QPointF(30, 4), QStringLiteral("x"));
        p.drawText(origin + QPointF(-4, -30), QStringLiteral("y"));
    }
};

} // namespace k5
