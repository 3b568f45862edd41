#pragma once
#include "jobdata/foundation_record.h"

#include <array>
#include <vector>

// The lengths a foundation's figure dimensions, and which chains it has:
// the report's figure and the drawings exported for CAD give the same
// numbers for the same foundation.
namespace k5::report {

// One height chain right of the section, measured up from the footing's
// bottom; what its upper end marks tells where its extension line starts.
enum class HeightMark {
    EdgeTop,     // top of the footing at its edge (D2), only where the top slopes
    ColumnFace,  // top of the footing at the column face (D1)
    GroundLevel, // ground level (h2), only where the foundation top lies below it
    StubTop,     // top of the column stub (h1)
};

struct HeightChain {
    HeightMark mark;
    double value; // mm
};

struct FigureDimensions {
    // Under the section, shared with the plan: column position Lx1, column
    // ax, far outstand Lx2; then the whole length Lx.
    std::array<double, 3> xParts{};
    double Lx = 0;
    // Beside the plan from its far edge down: Ly2, ay, Ly1; then Ly.
    std::array<double, 3> yParts{};
    double Ly = 0;
    // From the section outward.
    std::vector<HeightChain> heights;
};

// The chains of the record's figure. A slope and a foundation top below
// ground level each add a chain only when their two depths differ as whole
// millimetres.
FigureDimensions figureDimensions(const FoundationRecord& record);

} // namespace k5::report
