#pragma once
#include "report/report_setup.h"
#include "report/surface.h"

#include <QString>
#include <initializer_list>
#include <vector>

// The table engine of the report pages: rows 5 mm high, columns between
// fixed boundaries, cells with a small markup for raised and lowered
// characters.
namespace k5::report {

inline constexpr double kRowHeight = 5;

// Column boundaries X(0), X(1), … in millimetres; column c lies between X(c − 1) and X(c).
class ColumnTable {
  public:
    ColumnTable(int left, std::initializer_list<int> widths);
    int operator[](int boundary) const { return x_.at(static_cast<size_t>(boundary)); }
    int lastBoundary() const { return static_cast<int>(x_.size()) - 1; }

  private:
    std::vector<int> x_;
};

// Label columns 4, 13, 6, 17, the unit column (5) of 12 and the load-case
// columns of 16 mm from column 6: long-term X, long-term Y, short-term X, short-term Y.
ColumnTable isolatedColumns(const PageGeometry& geometry);
// Label columns 4, 13, 23, the unit column (4) of 12 and the load-case columns from column 5.
ColumnTable pileColumns(const PageGeometry& geometry);

enum class Align { Left, Centre, Right };

// Raising marker "~" and lowering marker "`": each applies to the character
// just before it and is not written. "kN/m2~" prints kN/m², "QP`A`" prints Q with subscript PA.
inline constexpr QChar kRaise = u'~';
inline constexpr QChar kLower = u'`';

class PageGrid {
  public:
    // tableTop: the top of row 1.
    PageGrid(Surface& surface, const PageSetup& setup, ColumnTable columns, double tableTop);

    Surface& surface() const { return surface_; }
    const PageSetup& setup() const { return setup_; }
    const ColumnTable& columns() const { return columns_; }
    double tableTop() const { return tableTop_; }
    double rowTop(int row) const { return (row - 1) * kRowHeight + tableTop_; }

    // A cell text over columns c1..c2. "L" starts 1 mm right of the first
    // column's left edge; "R" ends 1 mm left of the first column's right
    // edge; "C" centres over c1..c2. A text wider than that room (c1..c2
    // for "L" and "C", column c1 for "R") is drawn smaller until it fits.
    // drawCell raises the last character of a text that ends in "~".
    void drawCell(int row, int c1, int c2, Align align, const QString& text) const;
    // The first "~" raises the character before it; the rest follows on the row.
    void drawCellSup(int row, int c1, int c2, Align align, const QString& text) const;
    // Any number of raising and lowering markers.
    void drawCellMarkup(int row, int c1, int c2, Align align, const QString& text) const;
    // A left-aligned text over columns c1..c2 that shares them with a
    // right-aligned neighbour `neighbourWidth` mm wide at their right end.
    void drawCellBeside(int row, int c1, int c2, double neighbourWidth, const QString& text) const;
    // The width of a plain text at the body size.
    double bodyTextWidth(const QString& text) const;

    // The texts of one row drawn at one size: the size the most crowded of
    // them needs (`cells` as drawCellMarkup takes them). A panel row of
    // values in mixed sizes reads as a misprint.
    struct RowCell {
        int c1, c2;
        Align align;
        QString text;
    };
    void drawRowTogether(int row, const std::vector<RowCell>& cells) const;

    // The vertical line on the left boundary of column c, through rows r1..r2.
    void drawColumnRule(int column, int firstRow, int lastRow) const;
    // The horizontal grid line k (k = 0 above row 1) from one boundary to another.
    void drawGridLine(int k, int fromBoundary, int toBoundary) const;
    // One character per row, centred in column c, from `firstRow` down.
    void drawVerticalHeading(int column, int firstRow, const QString& text) const;

  private:
    enum class Shift { None, Raised, Lowered };
    struct Piece {
        QString text;
        Shift shift = Shift::None;
    };
    using Pieces = std::vector<Piece>;

    static Pieces lastCharacterRaised(const QString& text);
    static Pieces firstMarkRaised(const QString& text);
    static Pieces allMarks(const QString& text);

    // Places the measured text and writes its pieces.
    void place(int row, int c1, int c2, Align align, const QString& measured, const Pieces& pieces) const;
    void writePiece(const Piece& piece, double rowY, double factor) const;
    // The width a text may take in its cell.
    double room(int c1, int c2, Align align) const;
    void placeWithin(int row, int c1, int c2, Align align, const QString& measured, const Pieces& pieces,
                     double room, double largest = 1) const;
    // The factor of the body size at which the pieces fit `room`, no larger than `largest`.
    double fittingFactor(const Pieces& pieces, double room, double largest) const;
    double pieceSize(Shift shift) const;
    // The width of the pieces as written, their sizes times `factor`.
    double drawnWidth(const Pieces& pieces, double factor) const;
    double gridLineY(int k) const;

    Surface& surface_;
    const PageSetup& setup_;
    ColumnTable columns_;
    double tableTop_;
};

} // namespace k5::report
