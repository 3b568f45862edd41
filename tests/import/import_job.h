#pragma once
#include "import/support_reaction_reader.h"
#include "sample_job.h"
#include "temp_tree.h"

#include <QFileInfo>

namespace k5test {

// An imported job of `count` supports of storey 1, frame 1, axes 1, 2, ...,
// each with reactions of case L in X, as the import builds them; records 1
// and 2 are already named "A" and "B" in groups 1 and 2.
inline void writeImportedJob(k5::AppContext& ctx, int count) {
    std::vector<k5::ReactionLine> lines;
    for (int n = 1; n <= count; ++n) {
        k5::ReactionLine line;
        line.lineNumber = n;
        line.direction = 1;
        line.frame = 1;
        line.storey = 1;
        line.axis = n;
        line.loadCase = 1;
        line.storeyName = QStringLiteral("1F");
        line.frameName = QStringLiteral("X1");
        line.axisName = QStringLiteral("Y%1").arg(n);
        line.N = -100.0f * static_cast<float>(n);
        lines.push_back(line);
    }
    std::vector<k5::FoundationRecord> built;
    k5::buildImportedRecords(lines, QStringLiteral("試験物件"), k5::defaultCommonValues(1), built);
    QList<k5::FoundationRecord> records;
    for (k5::FoundationRecord& r : built) {
        k5::applyDesignLoads(r);
        records << r;
    }
    for (int n = 1; n <= 2 && n <= count; ++n) {
        records[n - 1].name = n == 1 ? QStringLiteral("A") : QStringLiteral("B");
        records[n - 1].groupNo = n;
    }
    writeJob(ctx, records);
}

} // namespace k5test
