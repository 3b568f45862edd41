#pragma once
#include "calc/sizing.h"

#include <QList>

#include <functional>
#include <utility>

// Sizing proposals for the foundations of a job, and the records that
// applying the chosen ones writes.
namespace k5 {

struct JobProposal {
    int record = 0;   // number in the job, from 1
    int governor = 0; // the record whose checks decided (another of its design group, or itself)
    QList<int> group; // every record the proposal is applied to (itself alone outside a design group)
    SizeProposal proposal;
};

// Called after each foundation with how many are done of how many; false
// cancels the rest.
using SizingProgress = std::function<bool(int done, int total)>;

// The proposal of every foundation in records first..last (numbers from 1)
// of `job`. In an imported job the records of one design group share one
// design, so the group is sized as one: every record of it must pass.
QList<JobProposal> proposeForJob(const CalcMasters& masters, const QList<FoundationRecord>& job,
                                 bool imported, int first, int last, const SizingLimits& limits = {},
                                 const SizingProgress& progress = {});

// The records applying `chosen` writes, each with its proposed size and its
// results cleared: every record of each chosen proposal's group, once.
QList<std::pair<int, FoundationRecord>> recordsToApply(const QList<FoundationRecord>& job,
                                                       const QList<JobProposal>& chosen);

// The foundation types a proposal is made for.
bool isSizedType(const FoundationRecord& record);

} // namespace k5
