#include "report/page_sequence.h"

#include "jobdata/job_file.h"
#include "jobdata/record_layout.h"
#include "platform/fixed_text.h"
#include "platform/numbers.h"
#include "platform/record_file.h"
#include "report/case_values.h"
#include "report/page_grid.h"

#include <algorithm>
#include <cmath>

namespace k5::report {
namespace {

FoundationType typeOf(const FoundationRecord& r) {
    const long long type = cInt(r.data1[field::foundationType]);
    return type == kTypeIsolated || type == kTypePileCap ? static_cast<FoundationType>(type) : kTypeUnknown;
}

bool failed(const FoundationRecord& r) {
    return typeOf(r) != kTypeUnknown && r.data1[field::ngFlag] == -1;
}

bool reportedByGroup(const QList<FoundationRecord>& records) {
    return records.first().importFlag == -1 && std::none_of(records.begin(), records.end(), failed);
}

// The ratio that decides which foundation of a group governs its design.
float designRatio(const FoundationRecord& r) {
    const FoundationType type = typeOf(r);
    if (type == kTypeUnknown) return 0;
    const int ratioRow = type == kTypeIsolated ? row::sigmaMax : row::Rp1;
    float ratio = r.data2[static_cast<size_t>(ratioRow)][kLongX];
    for (int c = kLongY; c <= kShortY; ++c)
        ratio = std::max(ratio, r.data2[static_cast<size_t>(ratioRow)][static_cast<size_t>(c)]);
    return ratio;
}

PageTable pagesByGroup(const QList<FoundationRecord>& records) {
    PageTable pages{0};
    int lastGroup = 0;
    for (const FoundationRecord& r : records)
        lastGroup = std::max(lastGroup, r.groupNo);
    for (int group = 1; group <= lastGroup; ++group) {
        int governing = 0;
        int first = 0;
        float largest = 0;
        for (int n = 1; n <= records.size(); ++n) {
            const FoundationRecord& r = records[n - 1];
            if (r.groupNo != group) continue;
            if (first == 0) first = n;
            const float ratio = designRatio(r);
            if (ratio > largest) largest = ratio, governing = n;
        }
        // A group whose ratios are all 0 (a single-pile cap has no reaction
        // row) is still a foundation of the building: its first record stands for it.
        if (governing == 0) governing = first;
        if (governing != 0) pages.append(governing);
    }
    // A support never put into a group is still a foundation to be reported.
    for (int n = 1; n <= records.size(); ++n)
        if (records[n - 1].groupNo < 1) pages.append(n);
    return pages;
}

} // namespace

PageTable buildPageTable(const QList<FoundationRecord>& records) {
    if (records.isEmpty()) return {};
    if (reportedByGroup(records)) return pagesByGroup(records);
    PageTable pages{0};
    for (int n = 1; n <= records.size(); ++n)
        pages.append(n);
    return pages;
}

float computeFigureScale(const QList<FoundationRecord>& records) {
    long long longest = 0;
    bool stepH = false, stepD = false;
    for (const FoundationRecord& r : records) {
        longest = std::max(longest, cInt(r.data2[row::L][kLongX]));
        stepH = stepH || cInt(r.data1[field::h1]) != cInt(r.data1[field::h2]);
        stepD = stepD || cInt(r.data1[field::D1]) != cInt(r.data1[field::D2]);
    }
    if (longest <= 0) return 0;
    const PageGeometry preview = PageGeometry::of(ReportMode::Preview);
    const int tableRight = isolatedColumns(preview)[9];
    long long available = cInt(preview.textRight - 5 - tableRight - 1 - 10);
    if (stepH) available -= 5;
    if (stepD) available -= 5;
    return static_cast<float>(available) / static_cast<float>(longest);
}

const FoundationRecord* ReportJob::recordOnPage(int page) const {
    if (page < 2 || page > pageCount()) return nullptr;
    const int n = pageTable[page - 1];
    if (n < 1 || n > records.size()) return nullptr;
    return &records[n - 1];
}

QString ReportJob::jobName() const {
    return records.isEmpty() ? QString() : trimBlanks(records.first().jobName);
}

QList<int> failingPages(const ReportJob& job) {
    QList<int> pages;
    for (int page = 2; page <= job.pageCount(); ++page)
        if (const FoundationRecord* r = job.recordOnPage(page); r && failed(*r)) pages.append(page);
    return pages;
}

ReportJob makeReportJob(QList<FoundationRecord> records) {
    ReportJob job;
    job.records = std::move(records);
    job.pageTable = buildPageTable(job.records);
    job.figureScale = computeFigureScale(job.records);
    return job;
}

ReportJob loadReportJob(const QString& jobFile) {
    QList<FoundationRecord> records;
    RecordFile file(jobFile, FoundationRecord::kLength);
    if (file.openReadOnly()) {
        const int count = file.count();
        for (int n = 1; n <= count; ++n)
            records.append(decodeRecord(file.read(n)));
    }
    return makeReportJob(std::move(records));
}

Outcome loadCheckedReportJob(const Folders& folders, JobState& state, const JobLoadHooks& hooks,
                             ReportJob& job, const QString& refused) {
    QList<FoundationRecord> records;
    const Outcome loaded =
        loadJob(folders, state, hooks, [&](int, const FoundationRecord& record) { records.append(record); });
    if (!loaded) return loaded;
    ReportJob checked = makeReportJob(std::move(records));
    const Outcome numbers = checkStoredNumbers(checked, refused);
    if (!numbers) return numbers;
    job = std::move(checked);
    return Outcome::success();
}

Outcome checkStoredNumbers(const ReportJob& job, const QString& refused) {
    const auto finite = [](const auto& values) {
        return std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
    };
    for (int page = 2; page <= job.pageCount(); ++page) {
        const FoundationRecord* r = job.recordOnPage(page);
        if (!r) continue;
        bool whole = finite(r->data1);
        for (const auto& row : r->data2)
            whole = whole && finite(row);
        if (!whole)
            return Outcome::error(
                QStringLiteral("基礎「") + trimBlanks(r->name) +
                QStringLiteral("」のデータに数値でない値があります（ファイルが壊れています）。\n\n") +
                refused);
    }
    return Outcome::success();
}

} // namespace k5::report
