#include "report/figure_dimensions.h"

#include "jobdata/record_layout.h"
#include "platform/numbers.h"

namespace k5::report {

FigureDimensions figureDimensions(const FoundationRecord& r) {
    const auto d2 = [&r](int row, int column) {
        return static_cast<double>(r.data2[static_cast<size_t>(row)][static_cast<size_t>(column)]);
    };
    FigureDimensions f;
    f.xParts = {d2(row::L1, row::xValue), d2(row::a, row::xValue), d2(row::L1, row::secondX)};
    f.Lx = d2(row::L, row::xValue);
    f.yParts = {d2(row::L1, row::secondY), d2(row::a, row::yValue), d2(row::L1, row::yValue)};
    f.Ly = d2(row::L, row::yValue);

    const double D1 = r.data1[field::D1], D2 = r.data1[field::D2];
    const double h1 = r.data1[field::h1], h2 = r.data1[field::h2];
    if (cInt(D1) != cInt(D2)) f.heights.push_back({HeightMark::EdgeTop, D2});
    f.heights.push_back({HeightMark::ColumnFace, D1});
    if (cInt(h1) != cInt(h2)) f.heights.push_back({HeightMark::GroundLevel, h2});
    f.heights.push_back({HeightMark::StubTop, h1});
    return f;
}

} // namespace k5::report
