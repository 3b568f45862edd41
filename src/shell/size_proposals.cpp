#include "shell/size_proposals.h"

#include "calc/calculation.h"
#include "jobdata/job_file.h"
#include "jobdata/job_state.h"
#include "jobdata/pile_arrangement.h"
#include "jobdata/record_layout.h"
#include "platform/file_replace.h"
#include "platform/fixed_text.h"
#include "platform/folders.h"
#include "platform/numbers.h"
#include "platform/record_file.h"
#include "shell/app_context.h"

#include <QFile>

#include <cmath>
#include <tuple>

namespace k5 {
namespace {

QString arrangementText(const FoundationSize& size, bool pileCap) {
    if (!pileCap) return QStringLiteral("-");
    const PileArrangementRule* rule = pileArrangementRule(size.pileLayout);
    return rule ? rule->caption.trimmed() : QStringLiteral("-");
}

bool isCap(const FoundationRecord& r) {
    return cInt(r.data1[field::foundationType]) == kTypePileCap;
}

// What the plan and piles amount to, for comparing two sizes: the area of a
// footing, the pile count (then the area) of a cap; the depth after that.
std::tuple<double, double, double> measure(const FoundationSize& s, bool pileCap) {
    const PileArrangementRule* rule = pileArrangementRule(s.pileLayout);
    const double piles = pileCap && rule ? rule->count : 0;
    return {piles, double(s.Lx) * s.Ly, s.D1};
}

QString sizingSettingsFile(const Folders& folders) {
    return folders.masterFile(QStringLiteral("k5sizing.txt"));
}

} // namespace

SizingLimits readSizingLimits(const Folders& folders) {
    SizingLimits limits;
    QFile file;
    if (!openRegularFile(file, sizingSettingsFile(folders))) return limits;
    // A few lines at most: anything longer is not our file.
    for (const QString& line : QString::fromUtf8(file.read(4096)).split(u'\n')) {
        const QString key = line.section(u'=', 0, 0).trimmed();
        bool ok = false;
        const double value = line.section(u'=', 1).trimmed().toDouble(&ok);
        if (!ok) continue;
        // A value out of its sense is a damaged line, not a wish.
        if (key == QStringLiteral("maxAspect") && value >= 1 && value <= 20) limits.maxAspect = value;
        if (key == QStringLiteral("target") && value > 0 && value <= 1) limits.target = value;
        if (key == QStringLiteral("minPitch") && value >= 0 && value <= 1000) limits.minPitch = value;
        const bool step =
            value >= kMinimumSizingStep && value <= kMaximumSizingStep && value == std::floor(value);
        if (key == QStringLiteral("step") && step) limits.step = static_cast<int>(value);
        if (key == QStringLiteral("depthStep") && step) limits.depthStep = static_cast<int>(value);
    }
    return limits;
}

bool saveSizingLimits(const Folders& folders, const SizingLimits& limits) {
    const QString text = QStringLiteral("maxAspect=%1\ntarget=%2\nminPitch=%3\nstep=%4\ndepthStep=%5\n")
                             .arg(limits.maxAspect)
                             .arg(limits.target)
                             .arg(limits.minPitch)
                             .arg(limits.step)
                             .arg(limits.depthStep);
    return replaceFile(sizingSettingsFile(folders), {text.toUtf8()});
}

JobForSizing loadJobForSizing(AppContext& ctx) {
    JobForSizing job;
    job.loaded = loadJob(ctx.folders, ctx.job, ctx.jobHooks,
                         [&](int, const FoundationRecord& r) { job.records.append(r); });
    loadJobIdentity(ctx.folders, ctx.job);
    job.imported = ctx.job.imported;
    return job;
}

Outcome applyProposals(AppContext& ctx, const JobForSizing& job, const QList<JobProposal>& chosen) {
    const QList<std::pair<int, FoundationRecord>> changes = recordsToApply(job.records, chosen);
    if (changes.isEmpty()) return Outcome::success();
    if (!writeRecords(ctx.folders, changes))
        return Outcome::error(QStringLiteral("基礎データをファイルに書き込めませんでした。　　　\n\n") +
                              ctx.folders.jobFile());
    return Outcome::success();
}

QStringList proposalHeaders() {
    return {QStringLiteral("No"),
            QStringLiteral("設計基礎名"),
            QStringLiteral("種別"),
            QStringLiteral("Lx"),
            QStringLiteral("Ly"),
            QStringLiteral("D"),
            QStringLiteral("杭本数"),
            QStringLiteral("提案Lx"),
            QStringLiteral("提案Ly"),
            QStringLiteral("提案D"),
            QStringLiteral("提案杭本数"),
            QStringLiteral("決定要因"),
            QStringLiteral("最大検定比／理由"),
            QStringLiteral("Lx-1段"),
            QStringLiteral("Ly-1段"),
            QStringLiteral("D-1段"),
            QStringLiteral("杭本数-1"),
            QStringLiteral("備考")};
}

QStringList proposalRow(const FoundationRecord& record, const JobProposal& p) {
    const bool cap = isCap(record);
    const FoundationSize& now = p.proposal.current;
    QStringList row{QString::number(p.record),
                    trimBlanks(record.name),
                    foundationTypeCaption(record.data1[field::foundationType]),
                    sizeText(now.Lx),
                    sizeText(now.Ly),
                    sizeText(now.D1),
                    arrangementText(now, cap)};
    const SizeProposal& s = p.proposal;
    const auto orDash = [](const QString& text) { return text.isEmpty() ? QStringLiteral("-") : text; };
    if (!s.found) {
        row << QStringLiteral("-") << QStringLiteral("-") << QStringLiteral("-") << QStringLiteral("-")
            << QStringLiteral("提案なし") << s.reason;
    } else {
        const FoundationSize& to = s.proposed;
        row << sizeText(to.Lx) << sizeText(to.Ly) << sizeText(to.D1) << arrangementText(to, cap)
            << s.governing << ratioText(s.atProposal.result.check(s.atProposal.governing()).ratio);
    }
    row << orDash(s.smallerLx) << orDash(s.smallerLy) << orDash(s.thinner) << orDash(s.fewerPiles)
        << orDash(s.notes.join(QStringLiteral("／")));
    return row;
}

SizeChange sizeChange(const JobProposal& p) {
    if (!p.proposal.found) return SizeChange::NoneFound;
    // The stored record's type decides how sizes compare.
    const bool cap = p.proposal.proposed.pileLayout != 0;
    const auto now = measure(p.proposal.current, cap), to = measure(p.proposal.proposed, cap);
    if (now == to) return SizeChange::Unchanged;
    return to < now ? SizeChange::Smaller : SizeChange::Larger;
}

QString sizeChangeText(SizeChange change) {
    switch (change) {
    case SizeChange::Smaller:
        return QStringLiteral("縮小");
    case SizeChange::Larger:
        return QStringLiteral("拡大");
    case SizeChange::Unchanged:
        return QStringLiteral("変更なし");
    case SizeChange::NoneFound:
        break;
    }
    return QStringLiteral("提案なし");
}

} // namespace k5
