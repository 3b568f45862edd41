#include "ui/input/PileArrangementPicture.h"

#include "jobdata/pile_arrangement.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace k5 {
namespace {

constexpr QColor kDimension{0, 70, 170};

// A dimension line between two points with tick ends and its symbol beside it
// on a white patch, so that no line runs through the symbol.
void dimension(QPainter& p, QPointF a, QPointF b, const QString& symbol, QPointF labelOffset) {
    p.setPen(QPen(kDimension, 1));
    p.drawLine(a, b);
    const QPointF along = b - a;
    const double length = std::hypot(along.x(), along.y());
    if (length <= 0) return;
    const QPointF normal(-along.y() / length * 4, along.x() / length * 4);
    for (QPointF end : {a, b})
        p.drawLine(end - normal, end + normal);
    const QPointF mid = (a + b) / 2 + labelOffset;
    const QRectF text = p.fontMetrics().boundingRect(symbol);
    const QRectF box(mid.x() - text.width() / 2 - 2, mid.y() - text.height() / 2, text.width() + 4,
                     text.height());
    p.fillRect(box, Qt::white);
    p.drawText(box, Qt::AlignCenter, symbol);
}

} // namespace

PileArrangementPicture::PileArrangementPicture(int code, QWidget* parent) : QWidget(parent), code_(code) {
    setObjectName(QStringLiteral("Picture杭配置_%1").arg(code));
    setFixedSize(kWidth, kHeight);
    setToolTip(QStringLiteral("杭配置と寸法記号の説明図（寸法の入力単位は mm）"));
}

void PileArrangementPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    p.setPen(QColor(160, 160, 160));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    QFont font = p.font();
    font.setPixelSize(12);
    p.setFont(font);

    const PileArrangementRule* rule = pileArrangementRule(code_);
    if (!rule) return;

    // Proportions that read well: edge distances of one unit, spacings a
    // little more than twice that; the derived spacings follow their rules.
    const double Px1 = 1.0, Py1 = 1.0, Px2 = 2.2;
    const double Py2 = rule->hasPy2()                                       ? 2.2
                       : rule->rowSpacing == RowSpacing::EquilateralFromPx2 ? Px2 * std::sqrt(3.0) / 2
                                                                            : 0;
    const double F = Px2 * std::sqrt(2.0);
    double Lx = 0, Ly = 0;
    pileCapSize(code_, Px1, Py1, Px2, Py2, F, Lx, Ly);
    const std::vector<PilePoint> piles = pilePositions(code_, Px1, Py1, Px2, Py2, F);

    // Room for the marks below and to the left of the cap.
    const QRectF area(58, 16, width() - 58 - 16, height() - 16 - 48);
    const double scale = std::min(area.width() / Lx, area.height() / Ly);
    const QPointF origin(area.left() + (area.width() - Lx * scale) / 2,
                         area.top() + (area.height() + Ly * scale) / 2);
    auto at = [&](double x, double y) { return QPointF(origin.x() + x * scale, origin.y() - y * scale); };

    // Cap.
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(232, 232, 232));
    p.drawRect(QRectF(at(0, Ly), at(Lx, 0)));

    // Column in the middle of the cap.
    const QPointF column = at(Lx / 2, Ly / 2);
    const double half = std::min(0.45 * scale, 16.0);
    p.setPen(QPen(QColor(90, 90, 90), 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(column.x() - half, column.y() - half, 2 * half, 2 * half));

    // Piles.
    // Piles of a readable size whatever the scale of the plan.
    const double radius = std::min(0.4 * scale, 14.0);
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    for (const PilePoint& pile : piles) {
        const QPointF c = at(pile.x, pile.y);
        p.drawEllipse(c, radius, radius);
        p.drawLine(c - QPointF(radius * 0.5, 0), c + QPointF(radius * 0.5, 0));
        p.drawLine(c - QPointF(0, radius * 0.5), c + QPointF(0, radius * 0.5));
    }
    p.setBrush(Qt::NoBrush);

    // Marks along the lower edge (X) and the left edge (Y), measured to the
    // first column and row of piles.
    double firstX = Lx, firstY = Ly;
    for (const PilePoint& pile : piles) {
        firstX = std::min(firstX, pile.x);
        firstY = std::min(firstY, pile.y);
    }
    const double below = origin.y() + 16;
    const double left = origin.x() - 16;
    dimension(p, {origin.x(), below}, {at(firstX, 0).x(), below}, QStringLiteral("Px1"), {0, 14});
    // The edge distance in Y is the field Py1 for every arrangement.
    dimension(p, {left, origin.y()}, {left, at(0, firstY).y()}, QStringLiteral("Py1"), {-22, 0});
    if (rule->hasPx2 && !rule->pilesInF)
        dimension(p, {at(firstX, 0).x(), below}, {at(firstX + Px2, 0).x(), below}, QStringLiteral("Px2"),
                  {0, 14});
    if (rule->hasPx2 && rule->pilesInF) {
        // Px2 runs along the diagonal from a corner pile to the pile between.
        const QPointF a = at(Px1, Py1), b = at(Px1 + F / 2, Py1 + F / 2);
        dimension(p, a, b, QStringLiteral("Px2"), {22, 8});
    }
    if (rule->hasPy2())
        dimension(p, {left, at(0, firstY).y()}, {left, at(0, firstY + Py2).y()}, QStringLiteral("Py2"),
                  {-22, 0});

    // Axes.
    p.setPen(QPen(Qt::black, 1));
    const QPointF axes(10, height() - 10);
    p.drawLine(axes, axes + QPointF(22, 0));
    p.drawLine(axes + QPointF(22, 0), axes + QPointF(17, -3));
    p.drawLine(axes + QPointF(22, 0), axes + QPointF(17, 3));
    p.drawLine(axes, axes + QPointF(0, -22));
    p.drawLine(axes + QPointF(0, -22), axes + QPointF(-3, -17));
    p.drawLine(axes + QPointF(0, -22), axes + QPointF(3, -17));
    p.drawText(axes + QPointF(25, 4), QStringLiteral("X"));
    p.drawText(axes + QPointF(-3, -25), QStringLiteral("Y"));
}

} // namespace k5
