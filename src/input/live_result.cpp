#include "input/live_result.h"

#include "calc/calc_masters.h"
#include "calc/record_evaluation.h"
#include "jobdata/pile_arrangement.h"
#include "jobdata/record_layout.h"
#include "platform/numbers.h"

#include <algorithm>
#include <limits>

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
    const Evaluation e = evaluateRecord(masters, buildRecord(trial, stored));
    if (!e.designed()) return stopped(e.outcome);
    LiveResult r;
    r.state = LiveResult::State::Designed;
    r.record = e.record;
    r.result = storedDesignResult(e.record);
    return r;
}

QString bearingSummary(const FoundationRecord& r) {
    const bool si = cInt(r.data1[field::unitSystem]) != 2;
    const QString force = si ? QStringLiteral("kN") : QStringLiteral("t");
    const auto d2 = [&](int i, int j) { return double(r.data2[size_t(i)][size_t(j)]); };
    if (cInt(r.data1[field::foundationType]) == kTypePileCap) {
        double rmax = -std::numeric_limits<double>::infinity(),
               rmin = std::numeric_limits<double>::infinity();
        for (int c = 1; c <= 4; ++c) {
            if (d2(row::Nd, c) == 0) continue;
            for (int p = 0; p < 3; ++p) {
                const int at = row::Rmax1 + row::pileLineStride * p;
                if (d2(at, c) == 0 && d2(at + 2, c) == 0) continue;
                rmax = std::max(rmax, d2(at, c));
                rmin = std::min(rmin, d2(at + 2, c));
            }
        }
        if (rmax < rmin) return {};
        return QStringLiteral("杭荷重 Rmax=") + value(rmax) + QStringLiteral(" Rmin=") + value(rmin) + force +
               QStringLiteral("（Pe=") + value(r.data1[field::Pe]) + force + QStringLiteral("）");
    }
    const double A = r.data1[field::area];
    if (!(A > 0)) return {};
    double sigma = 0;
    for (int c = 1; c <= 4; ++c)
        if (d2(row::Nd, c) != 0) sigma = std::max(sigma, d2(row::sumN, c) * d2(row::alpha, c) / A);
    return QStringLiteral("接地圧 σ=") + value(sigma) + force + QStringLiteral("/m2（fe=") +
           value(r.data1[field::fe]) + force + QStringLiteral("/m2）");
}

} // namespace k5
