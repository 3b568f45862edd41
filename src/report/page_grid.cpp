#include "report/page_grid.h"

#include "platform/numbers.h"

namespace k5::report {
namespace {

constexpr double kRaiseBy = 0.5;
constexpr double kLowerBy = 0.9;
constexpr double kLoweredSizeRatio = 0.9;

} // namespace

ColumnTable::ColumnTable(int left, std::initializer_list<int> widths) {
    x_.push_back(left);
    for (int w : widths)
        x_.push_back(x_.back() + w);
}

ColumnTable isolatedColumns(const PageGeometry& geometry) {
    return ColumnTable(geometry.textLeft, {4, 13, 6, 17, 12, 16, 16, 16, 16, 16, 16, 16, 16});
}

ColumnTable pileColumns(const PageGeometry& geometry) {
    return ColumnTable(geometry.textLeft, {4, 13, 23, 12, 16, 16, 16, 16, 16, 16, 16, 16});
}

PageGrid::PageGrid(Surface& surface, const PageSetup& setup, ColumnTable columns, double tableTop)
    : surface_(surface), setup_(setup), columns_(std::move(columns)), tableTop_(tableTop) {}

PageGrid::Pieces PageGrid::lastCharacterRaised(const QString& text) {
    if (!text.endsWith(kRaise)) return {{text}};
    if (text.size() < 2) return {};
    return {{text.left(text.size() - 2)}, {text.mid(text.size() - 2, 1), Shift::Raised}};
}

PageGrid::Pieces PageGrid::firstMarkRaised(const QString& text) {
    const qsizetype mark = text.indexOf(kRaise);
    if (mark < 0) return {{text}};
    Pieces pieces;
    if (mark > 0) pieces = {{text.left(mark - 1)}, {text.mid(mark - 1, 1), Shift::Raised}};
    pieces.push_back({text.mid(mark + 1)});
    return pieces;
}

PageGrid::Pieces PageGrid::allMarks(const QString& text) {
    Pieces pieces;
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype raise = text.indexOf(kRaise, from);
        const qsizetype lower = text.indexOf(kLower, from);
        if (raise < 0 && lower < 0) {
            pieces.push_back({text.mid(from)});
            break;
        }
        const bool raised = lower < 0 || (raise >= 0 && raise < lower);
        const qsizetype mark = raised ? raise : lower;
        if (mark > from) {
            if (mark - 1 > from) pieces.push_back({text.mid(from, mark - 1 - from)});
            pieces.push_back({text.mid(mark - 1, 1), raised ? Shift::Raised : Shift::Lowered});
        }
        from = mark + 1;
    }
    return pieces;
}

void PageGrid::drawCell(int row, int c1, int c2, Align align, const QString& text) const {
    const QString measured = text.endsWith(kRaise) ? text.left(text.size() - 1) : text;
    place(row, c1, c2, align, measured, lastCharacterRaised(text));
}

void PageGrid::drawCellSup(int row, int c1, int c2, Align align, const QString& text) const {
    place(row, c1, c2, align, text, firstMarkRaised(text));
}

void PageGrid::drawCellMarkup(int row, int c1, int c2, Align align, const QString& text) const {
    place(row, c1, c2, align, text, allMarks(text));
}

void PageGrid::place(int row, int c1, int c2, Align align, const QString& measured,
                     const Pieces& pieces) const {
    surface_.setFontSize(setup_.sizes.body);
    const double width = surface_.textWidth(measured);
    const double y = rowTop(row);
    double x = 0;
    switch (align) {
    case Align::Left:
        x = columns_[c1 - 1] + 1;
        break;
    case Align::Right:
        x = columns_[c1] - width - 1;
        break;
    case Align::Centre:
        x = (columns_[c1 - 1] + columns_[c2] - width) / 2;
        break;
    }
    surface_.setPosition(x, y);
    for (const Piece& piece : pieces)
        writePiece(piece, y);
    surface_.setPosition(surface_.currentX(), y);
    surface_.setFontSize(setup_.sizes.body);
}

void PageGrid::writePiece(const Piece& piece, double rowY) const {
    if (piece.text.isEmpty()) return;
    switch (piece.shift) {
    case Shift::None:
        surface_.setPosition(surface_.currentX(), rowY);
        surface_.setFontSize(setup_.sizes.body);
        break;
    case Shift::Raised:
        surface_.setPosition(surface_.currentX(), rowY - kRaiseBy);
        surface_.setFontSize(setup_.sizes.small);
        break;
    case Shift::Lowered:
        surface_.setPosition(surface_.currentX(), rowY + kLowerBy);
        surface_.setFontSize(setup_.sizes.small * kLoweredSizeRatio);
        break;
    }
    surface_.writeText(piece.text);
}

double PageGrid::gridLineY(int k) const {
    // Each text line starts 1 mm below the grid line above it.
    return static_cast<double>(cInt(k * kRowHeight + setup_.geometry.headerY - 1));
}

void PageGrid::drawColumnRule(int column, int firstRow, int lastRow) const {
    const double x = columns_[column - 1];
    surface_.line(x, gridLineY(firstRow - 1), x, gridLineY(lastRow));
}

void PageGrid::drawGridLine(int k, int fromBoundary, int toBoundary) const {
    const double y = gridLineY(k);
    surface_.line(columns_[fromBoundary], y, columns_[toBoundary], y);
}

void PageGrid::drawVerticalHeading(int column, int firstRow, const QString& text) const {
    for (qsizetype i = 0; i < text.size(); ++i)
        drawCell(firstRow + static_cast<int>(i), column, column, Align::Centre, text.mid(i, 1));
}

} // namespace k5::report
