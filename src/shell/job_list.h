#pragma once
#include "jobdata/foundation_record.h"

#include <QStringList>
#include <vector>

namespace k5 {

// The two column layouts of the foundation list: jobs typed in by hand and
// jobs imported from the analysis program.
struct ListLayout {
    QStringList headers;          // one per column, column 0 numbers the rows
    std::vector<int> widthsTwips; // the same count as headers (the trailing column is 0 wide)
    std::vector<bool> leftAligned;
    int typeColumn = 0;
};

ListLayout listLayout(bool imported);
// The cells of a list row for `record`, column 0 holding the row number.
QStringList listRow(const FoundationRecord& record, int rowNumber, bool imported);

} // namespace k5
