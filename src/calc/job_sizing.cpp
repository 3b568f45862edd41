#include "calc/job_sizing.h"

#include "jobdata/record_layout.h"
#include "platform/numbers.h"

#include <QHash>
#include <QSet>

namespace k5 {

bool isSizedType(const FoundationRecord& record) {
    const long long type = cInt(record.data1[field::foundationType]);
    return type == kTypeIsolated || type == kTypePileCap;
}

QList<JobProposal> proposeForJob(const CalcMasters& masters, const QList<FoundationRecord>& job,
                                 bool imported, int first, int last, const SizingLimits& limits,
                                 const SizingProgress& progress) {
    // Group 0 holds the supports that belong to no group.
    QHash<int, QList<int>> groups;
    if (imported)
        for (int n = 1; n <= job.size(); ++n)
            if (const int g = job[n - 1].groupNo; g != 0) groups[g].append(n);

    QList<JobProposal> out;
    QHash<int, qsizetype> sizedGroups; // group number → its proposal in `out`
    first = std::max(first, 1);
    last = std::min(last, static_cast<int>(job.size()));
    const int total = std::max(0, last - first + 1);
    for (int n = first; n <= last; ++n) {
        const FoundationRecord& record = job[n - 1];
        if (isSizedType(record)) {
            const int g = imported ? record.groupNo : 0;
            JobProposal row;
            row.record = n;
            if (g != 0 && sizedGroups.contains(g)) {
                row = out[sizedGroups[g]];
                row.record = n;
            } else {
                row.group = g != 0 ? groups[g] : QList<int>{n};
                QList<FoundationRecord> members;
                for (int m : row.group)
                    members.append(job[m - 1]);
                // The record in hand is the design the group starts from.
                members.swapItemsAt(0, row.group.indexOf(n));
                QList<int> order = row.group;
                order.swapItemsAt(0, row.group.indexOf(n));
                row.proposal = proposeSize(masters, members, limits);
                row.governor = order[row.proposal.atProposal.member];
                if (g != 0) sizedGroups[g] = out.size();
            }
            out.append(row);
        }
        if (progress && !progress(n - first + 1, total)) break;
    }
    return out;
}

QList<std::pair<int, FoundationRecord>> recordsToApply(const QList<FoundationRecord>& job,
                                                       const QList<JobProposal>& chosen) {
    QList<std::pair<int, FoundationRecord>> changes;
    QSet<int> done;
    for (const JobProposal& p : chosen) {
        if (!p.proposal.found) continue;
        for (int n : p.group) {
            if (done.contains(n) || n < 1 || n > job.size()) continue;
            FoundationRecord r = job[n - 1];
            applySize(p.proposal.proposed, r);
            changes.append({n, r});
            done.insert(n);
        }
    }
    return changes;
}

} // namespace k5
