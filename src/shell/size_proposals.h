#pragma once
#include "calc/job_sizing.h"
#include "platform/prompt.h"

#include <QStringList>

namespace k5 {

struct AppContext;
struct EditRequest;

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
// ratio; for none found "提案なし" and the reason in the last two.
QStringList proposalRow(const FoundationRecord& record, const JobProposal& proposal);
QStringList proposalHeaders();

// How a proposal compares with the current size.
enum class SizeChange { Smaller, Larger, Unchanged, NoneFound };
SizeChange sizeChange(const JobProposal& proposal);
QString sizeChangeText(SizeChange change);

// The records a proposal for `shown` (the record of an input window) must
// pass: itself and, when it corrects a record of a design group of an
// imported job, the other records of the group as stored.
QList<FoundationRecord> sizingGroup(AppContext& ctx, const EditRequest& request,
                                    const FoundationRecord& shown);
} // namespace k5
