#pragma once
#include "jobdata/foundation_record.h"
#include "platform/prompt.h"

#include <QList>
#include <QString>

// Which record goes on which page, and the one figure scale of a report.
namespace k5 {
struct Folders;
struct JobLoadHooks;
struct JobState;
} // namespace k5

namespace k5::report {

// The 1-based record number shown on each page; page 1 (index 0) is the
// cover and holds 0. Empty when the job has no record: there is no report.
using PageTable = QList<int>;

// Normal mode: one page per record in file order. A job imported from the
// analysis program whose foundations all passed is reported by design
// group: per group number, ascending, the record with the largest design
// ratio (contact pressure of a footing, pile reaction of a cap) over its
// four cases, the earliest on a tie; a group without a ratio above 0 is
// reported by its first record. Records that belong to no group follow, one
// page each, in file order.
PageTable buildPageTable(const QList<FoundationRecord>& records);

// Millimetres of paper per millimetre of foundation, shared by every page
// so that figures can be compared: the widest footing fills the figure
// area, which loses 5 mm for each dimension chain a stepped footing needs.
// 0 when no record has a length.
float computeFigureScale(const QList<FoundationRecord>& records);

// Everything a report needs from the job, fixed when the preview opens.
struct ReportJob {
    QList<FoundationRecord> records; // the job file in file order
    PageTable pageTable;
    float figureScale = 0;

    int pageCount() const { return static_cast<int>(pageTable.size()); }
    // The record on page `page` (from 2), or nullptr for the cover or a page out of range.
    const FoundationRecord* recordOnPage(int page) const;
    // Record 1 carries the job's name.
    QString jobName() const;
};

// The pages of foundations whose check failed, in page order.
QList<int> failingPages(const ReportJob& job);

ReportJob makeReportJob(QList<FoundationRecord> records);
// Reads every record of the job file; a missing file gives a job without pages.
ReportJob loadReportJob(const QString& jobFile);

// The job a report is made of, loaded as every command loads it (older
// formats upgraded, the format and length checked): a job that the list and
// the calculation refuse is refused here with the same message. A printed
// foundation holding a value that is no number (only a damaged file can
// hold one) refuses the report, naming the foundation.
// `refused` ends the message of a refusal: what cannot be made of the job.
Outcome loadCheckedReportJob(const Folders& folders, JobState& state, const JobLoadHooks& hooks,
                             ReportJob& job,
                             const QString& refused = QStringLiteral("計算書を作成できません。"));
// The refusal for a printed record holding a value that is no number; success otherwise.
Outcome checkStoredNumbers(const ReportJob& job,
                           const QString& refused = QStringLiteral("計算書を作成できません。"));

} // namespace k5::report
