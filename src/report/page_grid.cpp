#include "report/page_grid.h"

#include "platform/numbers.h"

#include <algorithm>

namespace k5::report {
namespace {

constexpr double kRaiseBy = 0.5;
constexpr double kLowerBy = 0.9;
constexpr double kLoweredSizeRatio = 0.9;
// A text starts (or, right-aligned, ends) this far inside its cell's edge and
// keeps this gap from the next cell.
constexpr double kCellInset = 1;
constexpr double kNeighbourGap = 0.3;

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

void PageGrid::drawCellBeside(int row, int c1, int c2, double neighbourWidth, const QString& text) const {
    const double room = columns_[c2] - columns_[c1 - 1] - 2 * kCellInset - neighbourWidth - kNeighbourGap;
    placeWithin(row, c1, c2, Align::Left, text, {{text}}, room);
}

double PageGrid::bodyTextWidth(const QString& text) const {
    surface_.setFontSize(setup_.sizes.body);
    return surface_.textWidth(text);
}

double PageGrid::room(int c1, int c2, Align align) const {
    const double span = columns_[c2] - columns_[c1 - 1];
    switch (align) {
    case Align::Left:
        return span - kCellInset - kNeighbourGap;
    case Align::Right:
        return columns_[c1] - columns_[c1 - 1] - kCellInset - kNeighbourGap;
    case Align::Centre:
        break;
    }
    return span - 2 * kNeighbourGap;
}

double PageGrid::drawnWidth(const Pieces& pieces, double factor) const {
    double width = 0;
    for (const Piece& piece : pieces) {
        surface_.setFontSize(pieceSize(piece.shift) * factor);
        width += surface_.textWidth(piece.text);
    }
    return width;
}

double PageGrid::pieceSize(Shift shift) const {
    switch (shift) {
    case Shift::Raised:
        return setup_.sizes.small;
    case Shift::Lowered:
        return setup_.sizes.small * kLoweredSizeRatio;
    case Shift::None:
        break;
    }
    return setup_.sizes.body;
}

void PageGrid::place(int row, int c1, int c2, Align align, const QString& measured,
                     const Pieces& pieces) const {
    placeWithin(row, c1, c2, align, measured, pieces, room(c1, c2, align));
}

void PageGrid::drawRowTogether(int row, const std::vector<RowCell>& cells) const {
    double factor = 1;
    for (const RowCell& cell : cells)
        factor = std::min(factor, fittingFactor(allMarks(cell.text), room(cell.c1, cell.c2, cell.align), 1));
    for (const RowCell& cell : cells)
        placeWithin(row, cell.c1, cell.c2, cell.align, cell.text, allMarks(cell.text),
                    room(cell.c1, cell.c2, cell.align), factor);
}

double PageGrid::fittingFactor(const Pieces& pieces, double room, double largest) const {
    double factor =
        std::min(largest, shrinkToFit(drawnWidth(pieces, 1), room, setup_.sizes.body, setup_.sizes.smallest));
    // Glyph advances do not shrink in proportion at every size: the text is
    // measured again as drawn, and made smaller until it keeps its distance
    // from the rule, down to the smallest size.
    const double smallest = setup_.sizes.body > 0 ? setup_.sizes.smallest / setup_.sizes.body : 1;
    for (int step = 0; step < 20 && factor > smallest && drawnWidth(pieces, factor) > room; ++step)
        factor = std::max(smallest, factor * 0.98);
    return factor;
}

void PageGrid::placeWithin(int row, int c1, int c2, Align align, const QString& measured,
                           const Pieces& pieces, double room, double largest) const {
    // The position follows the text as measured at the body size, as it
    // always has; the size gives way only when the pieces as drawn (raised
    // and lowered ones smaller) would not fit their room.
    double factor = fittingFactor(pieces, room, largest);
    surface_.setFontSize(setup_.sizes.body * factor);
    double width = surface_.textWidth(measured);
    const double drawn = drawnWidth(pieces, factor);
    const double y = rowTop(row);
    double x = 0;
    switch (align) {
    case Align::Left:
        x = columns_[c1 - 1] + kCellInset;
        break;
    case Align::Right:
        x = columns_[c1] - std::max(width, drawn) - kCellInset;
        break;
    case Align::Centre: {
        const double left = columns_[c1 - 1] + kNeighbourGap;
        x = std::clamp((columns_[c1 - 1] + columns_[c2] - width) / 2, left,
                       std::max(left, left + room - drawn));
        break;
    }
    }
    surface_.setPosition(x, y);
    for (const Piece& piece : pieces)
        writePiece(piece, y, factor);
    surface_.setPosition(surface_.currentX(), y);
    surface_.setFontSize(setup_.sizes.body);
}

void PageGrid::writePiece(const Piece& piece, double rowY, double factor) const {
    if (piece.text.isEmpty()) return;
    const double shiftBy = piece.shift == Shift::Raised    ? -kRaiseBy
                           : piece.shift == Shift::Lowered ? kLowerBy
                                                           : 0;
    surface_.setPosition(surface_.currentX(), rowY + shiftBy);
    surface_.setFontSize(pieceSize(piece.shift) * factor);
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
