#pragma once
#include "jobdata/foundation_record.h"
#include "platform/cp932.h"
#include "platform/prompt.h"

#include <QString>
#include <QStringList>

#include <vector>

// Reviewing imported supports and tying them into design groups: the
// supports of one group share one design foundation name, one foundation
// type and, through the correction of any of them, one design. Every change
// is written to the job file at once, the whole job through a scratch file.
namespace k5 {

struct Folders;

// Every record of the job file, in file order.
std::vector<FoundationRecord> readJobRecords(const Folders& folders);

// The support list: headers (column 0 numbers the rows) and widths in twips.
QStringList supportListHeaders();
std::vector<int> supportListWidthsTwips();
// The cells of support-list row n for its record, column 0 included.
QStringList supportListRow(const FoundationRecord& record, int n);

// The load breakdown: headers and widths in twips.
QStringList breakdownHeaders();
std::vector<int> breakdownWidthsTwips();
// The five rows of one record, one per load case L, E, S, W1, W2: the first
// carries the names and type, every row its case label and the reactions
// N, H, M in X and in Y as stored.
std::vector<QStringList> breakdownRows(const FoundationRecord& record);

// The largest group number of the job file (0 when there is none).
int highestGroup(const Folders& folders);

// What the naming dialog answered: the trimmed name and the type code
// (0 cancelled, 1 isolated footing, 2 pile cap).
struct GroupName {
    QString name;
    int type = 0;
};

// The answer applied to records first..last (1-based, first <= last):
// cancelled changes nothing; an empty name with a type releases the records
// from their groups with that type; a name joins the group that already
// carries it (same type only) or opens group highestGroup + 1. Records whose
// type changes lose the results of their last calculation. Fails without a
// change when the name's group has the other type (the message says so and
// askAgain is set: the user chooses another name or type) or when the job
// file cannot be written.
struct GroupingResult {
    Outcome outcome;
    bool askAgain = false;
};
GroupingResult applyGroupName(const Folders& folders, int first, int last, const GroupName& answer,
                              int& highestGroup);

// Records first..last leave their groups: no design name, group 0, type kept.
Outcome ungroupRecords(const Folders& folders, int first, int last);

// The message for a name whose group has another type.
QString typeMismatchMessage(const QString& name, int foundType, int chosenType);

// The design name field holds 14 CP932 bytes including the terminator "~".
constexpr int kDesignNameBytes = 13;

// The longest beginning of `text` that fits the design name field.
QString fitDesignName(const QString& text);
// Why a typed design name cannot be stored so that it reads back as typed
// (empty when it can).
QString designNameProblem(const QString& name);

} // namespace k5
