#pragma once
#include "../calc/calc_fixtures.h"
#include "calc/calculation.h"
#include "jobdata/foundation_record.h"
#include "masters/concrete_setting.h"
#include "report/page_sequence.h"
#include "shell/run_calculation.h"
#include "sample_job.h"
#include "temp_tree.h"

#include <gtest/gtest.h>

// Foundations as the calculation run leaves them, for the report pages.
namespace k5test {

// Inputs only, as an input window stores a record: a 1000 mm embedment and
// the unit weights of concrete and soil.
inline k5::FoundationRecord asStored(k5::FoundationRecord r, const QString& name) {
    using namespace k5;
    r.name = name;
    r.jobName = QStringLiteral("試験工事");
    r.fileName = QStringLiteral("test");
    r.data1[field::h1] = r.data1[field::h2] = 1000;
    const bool si = r.data1[field::unitSystem] == 1;
    if (r.data1[field::Wc] == 0) r.data1[field::Wc] = si ? 24 : 2.4f;
    if (r.data1[field::Ws] == 0) r.data1[field::Ws] = si ? 16 : 1.6f;
    return r;
}

inline k5::FoundationRecord storedFooting(FootingInput in, const QString& name) {
    k5::FoundationRecord r = isolatedRecord(in);
    r.data2[k5::row::centre][1] = r.data2[k5::row::centre][2] = 1;
    return asStored(r, name);
}

// The cap size and offsets are derived by the run from the pile arrangement.
inline k5::FoundationRecord storedPileCap(PileCapInput in, const QString& name) {
    using namespace k5;
    FoundationRecord r = pileCapRecord(in);
    r.data2[row::P][3] = in.Px2;
    r.data2[row::P][4] =
        (in.layout == 5 || in.layout == 7 || in.layout == 10 || in.layout == 11) ? in.Py2 : 0;
    r.data1[field::auxSpacing] = 0;
    r.data2[row::L][1] = r.data2[row::L][2] = 0;
    r.data2[row::L1][1] = r.data2[row::L1][2] = 0;
    r.data2[row::centre][1] = r.data2[row::centre][2] = 0;
    return asStored(r, name);
}

// Runs the calculation over `inputs` as a job of its own and returns the records it stored.
inline QList<k5::FoundationRecord> calculated(const QList<k5::FoundationRecord>& inputs) {
    TempTree tree;
    ensureRebarMasters(tree.ctx);
    k5::ensureConcreteFile(tree.ctx.folders);
    writeJob(tree.ctx, inputs);
    EXPECT_TRUE(k5::runCalculation(tree.ctx)) << tree.prompt.lastText().toStdString();
    return k5::report::loadReportJob(tree.ctx.folders.jobFile()).records;
}

} // namespace k5test
