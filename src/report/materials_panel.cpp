#include "report/materials_panel.h"

#include "jobdata/record_layout.h"
#include "platform/fixed_text.h"
#include "platform/numbers.h"
#include "report/case_values.h"
#include "report/foundation_figure.h"

namespace k5::report {
namespace {

constexpr int kHeading = 1, kMaterial = 2, kLongValue = 3, kShortValue = 4, kUnit = 5;
const QString kUnitWeight = QStringLiteral("単位重量");

// The isolated footing lists bars, concrete, backfill, the ground and the
// cover; a pile cap adds the pile diameter and kind before its pile capacity
// and the embedment of the piles after the cover.
constexpr int kIsolatedLastRow = 13;
constexpr int kPileCapLastRow = 16;

float d2(const FoundationRecord& r, int row, int column) {
    return r.data2[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

QString pattern(double value, const char* digits) {
    return formatPattern(value, QString::fromLatin1(digits));
}

QString inParentheses(const QString& unit) {
    return u'(' + unit + u')';
}

class Panel {
  public:
    Panel(const SidePanelRequest& request, const PageGrid& grid)
        : r_(request.record), type_(request.type), grid_(grid), units_(unitSystemOf(request.record)) {}

    int draw() const {
        drawBars();
        drawConcrete();
        int row = 11;
        // The heading shares its row with the right-aligned "単位重量".
        grid_.drawCellBeside(row, kHeading, kMaterial, grid_.bodyTextWidth(kUnitWeight),
                             QStringLiteral("■埋戻土"));
        drawUnitWeight(row, QStringLiteral("Ws="), r_.data1[field::Ws]);
        if (type_ == kTypePileCap) {
            grid_.drawCell(++row, kHeading, kMaterial, Align::Left, QStringLiteral("■杭径"));
            grid_.drawCell(row, kLongValue, kUnit, Align::Left,
                           pattern(r_.data1[field::pfai], "###0") + QStringLiteral(" mm"));
            grid_.drawCell(++row, kHeading, kMaterial, Align::Left, QStringLiteral("■杭の種類"));
            grid_.drawCell(row, kLongValue, kUnit, Align::Left,
                           pileKindText(static_cast<int>(cInt(r_.data1[field::pileKind]))));
        }
        drawBearing(++row);
        grid_.drawCell(++row, kHeading, kUnit, Align::Left, coverText());
        if (type_ == kTypePileCap)
            grid_.drawCell(++row, kHeading, kUnit, Align::Left,
                           QStringLiteral("■杭の埋め込み深さ = %1mm").arg(kPileEmbedmentMm));
        return row;
    }

  private:
    // Both bar directions: the grade and size, the area and perimeter of one
    // bar, and the allowable tensile stress of that direction's bars.
    void drawBars() const {
        grid_.drawCell(1, kHeading, kUnit, Align::Left, QStringLiteral("■鉄筋"));
        // The X bars' stresses are in the X columns of both terms, the Y bars' in the Y columns.
        const struct {
            int row;
            QString heading, grade, size;
            Direction dir;
            LoadCase longTerm, shortTerm;
        } directions[] = {{2, QStringLiteral("X方向"), r_.barGradeX, r_.barSizeX, kDirX, kLongX, kShortX},
                          {4, QStringLiteral("Y方向"), r_.barGradeY, r_.barSizeY, kDirY, kLongY, kShortY}};
        for (const auto& d : directions) {
            grid_.drawRowTogether(
                d.row, {{kHeading, kHeading, Align::Left, d.heading},
                        {kMaterial, kMaterial, Align::Left, trimBlanks(d.grade) + u'-' + trimBlanks(d.size)},
                        {kLongValue, kLongValue, Align::Left,
                         QStringLiteral("at=") + pattern(d2(r_, row::atBar, d.dir), "##0.00")},
                        {kShortValue, kShortValue, Align::Left,
                         QStringLiteral("ψ=") + pattern(d2(r_, row::psiBar, d.dir), "##0.00")}});
            drawLongShort(d.row + 1, QStringLiteral("ft="), row::ft, d.longTerm, d.shortTerm, "##0",
                          stressUnit());
        }
    }

    void drawConcrete() const {
        grid_.drawCell(6, kHeading, kMaterial, Align::Left, QStringLiteral("■ｺﾝｸﾘｰﾄ"));
        grid_.drawCell(6, kLongValue, kLongValue, Align::Left,
                       QStringLiteral("Fc=") + pattern(r_.data1[field::Fc], "##0"));
        grid_.drawCellMarkup(6, kUnit, kUnit, Align::Left, stressUnit());
        drawLongShort(7, QStringLiteral("fc="), row::fc, kLongX, kShortX, "##0", stressUnit());
        drawLongShort(8, QStringLiteral("fs="), row::fs, kLongX, kShortX, "##0.0", stressUnit());
        drawLongShort(9, QStringLiteral("fa="), row::fa, kLongX, kShortX, "##0.0", stressUnit());
        drawUnitWeight(10, QStringLiteral("Wc="), r_.data1[field::Wc]);
    }

    // The allowable contact pressure of the ground, or the allowable load of one pile.
    void drawBearing(int row) const {
        const bool pile = type_ == kTypePileCap;
        grid_.drawCell(row, kHeading, kMaterial, Align::Left,
                       pile ? QStringLiteral("■杭支持力") : QStringLiteral("■地耐力"));
        // A pile's capacity is a force carried by each pile, and says so.
        const QString unit = pile ? unitText(1, units_) + QStringLiteral("/本") : unitText(4, units_);
        drawLongShort(row, pile ? QStringLiteral("Pe=") : QStringLiteral("fe="), row::allowBearing, kLongX,
                      kShortX, "###0", inParentheses(unit));
    }

    // "L`ft=…" and "S`ft=…": a long-term and a short-term value with its unit.
    void drawLongShort(int row, const QString& name, int data2Row, int longColumn, int shortColumn,
                       const char* digits, const QString& unit) const {
        grid_.drawRowTogether(row,
                              {{kLongValue, kLongValue, Align::Left,
                                QStringLiteral("L`") + name + pattern(d2(r_, data2Row, longColumn), digits)},
                               {kShortValue, kShortValue, Align::Left,
                                QStringLiteral("S`") + name + pattern(d2(r_, data2Row, shortColumn), digits)},
                               {kUnit, kUnit, Align::Left, unit}});
    }

    void drawUnitWeight(int row, const QString& name, double value) const {
        grid_.drawCell(row, kMaterial, kMaterial, Align::Right, kUnitWeight);
        // In t/m³ a unit weight such as 2.4 needs its decimal; whole kN/m³ do not.
        grid_.drawCell(row, kLongValue, kLongValue, Align::Left,
                       name + pattern(value, isSi() ? "###0" : "##0.0"));
        grid_.drawCellMarkup(row, kUnit, kUnit, Align::Left, inParentheses(unitText(5, units_)));
    }

    // The distance from the bottom of the footing to the centre of its bars,
    // written as a number is printed on its own: a blank stands for the sign of a positive value.
    QString coverText() const {
        const double cover = r_.data1[field::cover];
        return QStringLiteral("■dt =") + (cover >= 0 ? QStringLiteral(" ") : QString()) +
               formatPositional(cover) + QStringLiteral("mm");
    }

    QString stressUnit() const { return inParentheses(unitText(6, units_)); }
    bool isSi() const { return units_ == 1; }

    const FoundationRecord& r_;
    FoundationType type_;
    const PageGrid& grid_;
    int units_;
};

} // namespace

int sidePanelLeft(const SidePanelRequest& request) {
    // The pile page's table has one label column fewer, so its value table
    // ends a boundary earlier; on both pages that edge is at the same place.
    const int tableRight = request.grid.columns()[request.type == kTypePileCap ? 8 : 9];
    return tableRight + sidePanelGap(request.setup);
}

int sidePanelGap(const PageSetup& setup) {
    return setup.isPreview() ? 5 : 2;
}

ColumnTable materialsPanelColumns(int left) {
    // The unit column is the last thing on the row: it has the room up to
    // the sheet's margin, so that a unit such as "(kg/cm²)" is not squeezed.
    return ColumnTable(left, {10, 18, 12, 12, 14});
}

int materialsPanelLastRow(FoundationType type) {
    return type == kTypePileCap ? kPileCapLastRow : kIsolatedLastRow;
}

QString pileKindText(int code) {
    switch (code) {
    case 0:
        return QStringLiteral("既成ｺﾝｸﾘｰﾄ杭・閉端杭");
    case 1:
        return QStringLiteral("鋼杭・H形鋼・開端杭");
    case 2:
        return QStringLiteral("埋め込み杭");
    case 3:
        return QStringLiteral("場所打ちｺﾝｸﾘｰﾄ杭");
    default:
        return {};
    }
}

int drawMaterialsPanel(const SidePanelRequest& request) {
    const PageGrid grid(request.surface, request.setup, materialsPanelColumns(sidePanelLeft(request)),
                        request.grid.tableTop());
    request.surface.setTextColor(Qt::black);
    return Panel(request, grid).draw();
}

void drawMaterialsPanelAndFigure(const SidePanelRequest& request) {
    if (request.type != kTypeIsolated && request.type != kTypePileCap) return;
    const int lastRow = drawMaterialsPanel(request);
    const double top = lastRow * kRowHeight + request.grid.tableTop();
    drawFoundationFigure(request, sidePanelLeft(request), top);
}

} // namespace k5::report
