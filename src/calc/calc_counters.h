#pragma once

namespace k5 {

// Counts of the job's records by foundation type and of those whose last
// calculation found an NG; the report preview reads them.
struct CalcCounters {
    int isolated = 0;
    int pileCaps = 0;
    int isolatedNg = 0;
    int pileCapsNg = 0;
};

} // namespace k5
