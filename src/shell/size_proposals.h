#pragma once
#include "calc/job_sizing.h"
#include "platform/prompt.h"

#include <QStringList>

namespace k5 {

struct AppContext;
struct EditRequest;
struct Folders;

// The sizing options the windows offer (aspect limit, target ratio; the
// grids and least pitch too), kept between runs in a small settings file of
// the program's own beside the masters ("k5sizing.txt", lines "key=value").
// A missing or damaged line stands for its default.
SizingLimits readSizingLimits(const Folders& folders);
// Replaces the settings file (a failure leaves the old one: the options
// are a convenience, so the caller need not tell the user).
bool saveSizingLimits(const Folders& folders, const SizingLimits& limits);

// The job as the sizing commands see it: every record, loaded as the main
// window loads the job.
struct JobForSizing {
    Outcome loaded;
    bool imported = false;
    QList<FoundationRecord> records;
};
JobForSizing loadJobForSizing(AppContext& ctx);

// Writes the chosen proposals into the job in one replacement of the job
// file (every record of a chosen design group with it); the results of the
// changed records are cleared, as a save clears them. Nothing is written
// when no chosen proposal was found.
Outcome applyProposals(AppContext& ctx, const JobForSizing& job, const QList<JobProposal>& chosen);

// One line of a proposal list: No, name, type, the current Lx, Ly, D1 and
// arrangement, the proposed ones, the governing check and the largest
// ratio (for none found "提案なし" and the reason), then what fails one
// step smaller in Lx, in Ly and in D, with fewer piles, and the notes (a
// larger bar, an arrangement passed over); "-" where there is none.
QStringList proposalRow(const FoundationRecord& record, const JobProposal& proposal);
QStringList proposalHeaders();

// How a proposal compares with the current size.
enum class SizeChange { Smaller, Larger, Unchanged, NoneFound };
SizeChange sizeChange(const JobProposal& proposal);
QString sizeChangeText(SizeChange change);
} // namespace k5
