#include "input/live_result.h"

#include "calc/calc_masters.h"
#include "calc/design_warnings.h"
#include "calc/record_evaluation.h"
#include "jobdata/pile_arrangement.h"
#include "jobdata/record_layout.h"
#include "platform/numbers.h"

#include <algorithm>

namespace k5 {
namespace {

bool empty(const QString& text) {
    return parseLeadingNumber(text) == 0;
}

// A message box's text as one line for the panel.
QString oneLine(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\n', u' ');
    while (!text.isEmpty() && (text.back() == u' ' || text.back() == QChar(0x3000)))
        text.chop(1);
    return text;
}

LiveResult stopped(const Outcome& outcome) {
    LiveResult r;
    r.state = LiveResult::State::Stopped;
    r.message = oneLine(outcome.message.text);
    return r;
}

QString value(double v) {
    return formatPattern(v, QStringLiteral("0.0"));
}

} // namespace

QStringList missingRequiredFields(const RecordEdit& edit, const RecordForm& f) {
    QStringList missing;
    const auto need = [&](const QString& text, const char* caption) {
        if (empty(text)) missing << QString::fromUtf8(caption);
    };
    // An imported correction keeps the loads of its support.
    if (!edit.job.imported || !edit.request.isCorrection()) need(f.N[1], "軸力 N(X長期)");
    if (edit.request.foundationType == kTypePileCap) {
        const PileArrangementRule* arrangement = pileArrangementRule(f.pileLayoutIndex + 1);
        need(f.Px1, "Px1");
        if (arrangement && arrangement->count > 1) need(f.Py1, "Py1");
        if (arrangement && arrangement->hasPx2) need(f.Px2, "Px2");
        if (arrangement && arrangement->hasPy2()) need(f.Py2, "Py2");
    } else {
        need(f.Lx, "Lx");
        need(f.Ly, "Ly");
    }
    return missing;
}

LiveResult evaluateForm(const RecordEdit& edit, const RecordForm& form, const CalcMasters& masters,
                        const FoundationRecord& stored) {
    if (const QStringList missing = missingRequiredFields(edit, form); !missing.isEmpty()) {
        LiveResult r;
        r.missing = missing;
        r.message = QStringLiteral("未入力の項目があります：") + missing.join(QStringLiteral("、"));
        return r;
    }
    // A copy: the window's own working record stays as the user left it.
    RecordEdit trial{edit.folders, edit.job, edit.request, edit.work};
    const Outcome prepared = prepareRegistration(trial, form, masters.common(edit.job.unitSystem));
    if (!prepared) return stopped(prepared);
    const FoundationRecord built = buildRecord(trial, stored);
    const Evaluation e = evaluateRecord(masters, built);
    if (!e.designed()) {
        LiveResult r = stopped(e.outcome);
        r.warnings = designWarnings(built);
        return r;
    }
    LiveResult r;
    r.state = LiveResult::State::Designed;
    r.record = e.record;
    r.result = storedDesignResult(e.record);
    r.warnings = designWarnings(e.record);
    return r;
}

QString bearingSummary(const FoundationRecord& r) {
    const bool si = cInt(r.data1[field::unitSystem]) != 2;
    const QString force = si ? QStringLiteral("kN") : QStringLiteral("t");
    const auto d2 = [&](int i, int j) { return double(r.data2[size_t(i)][size_t(j)]); };
    const bool pileCap = cInt(r.data1[field::foundationType]) == kTypePileCap;
    const double A = r.data1[field::area];
    // The case whose demand comes nearest its own allowable value (long-term
    // or short-term) is the one shown.
    int governing = 0;
    double worst = -1, demand = 0;
    for (int c = 1; c <= 4; ++c) {
        if (d2(row::Nd, c) == 0 || !(d2(row::allowBearing, c) > 0)) continue;
        double load = 0;
        if (pileCap) {
            for (int p = 0; p < 3; ++p)
                load = std::max(load, d2(row::Rmax1 + row::pileLineStride * p, c));
        } else if (A > 0) {
            load = d2(row::sumN, c) * d2(row::alpha, c) / A;
        }
        if (load / d2(row::allowBearing, c) > worst) {
            worst = load / d2(row::allowBearing, c);
            demand = load;
            governing = c;
        }
    }
    if (governing == 0) return {};
    static const char* const cases[] = {"", "長期X", "長期Y", "短期X", "短期Y"};
    const QString allowable = value(d2(row::allowBearing, governing));
    const QString caseName = QString::fromUtf8(cases[governing]);
    if (pileCap)
        return QStringLiteral("杭荷重 Rmax=") + value(demand) + force + QStringLiteral("（許容 ") +
               allowable + force + QStringLiteral("・") + caseName + QStringLiteral("）");
    return QStringLiteral("接地圧 σ=") + value(demand) + force + QStringLiteral("/m2（許容 ") + allowable +
           force + QStringLiteral("/m2・") + caseName + QStringLiteral("）");
}

} // namespace k5
