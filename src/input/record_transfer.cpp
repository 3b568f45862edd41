#include "input/record_transfer.h"

#include "calc/calc_kernel.h"
#include "calc/record_fields.h"
#include "input/record_checks.h"
#include "jobdata/common_values.h"
#include "jobdata/job_file.h"
#include "jobdata/working_record.h"
#include "platform/fixed_text.h"
#include "platform/numbers.h"
#include "shell/app_context.h"

#include <QFileInfo>
#include <cmath>
#include <limits>

namespace k5 {
namespace {

QString shown(double value) {
    return formatGeneral(value);
}

// A Single field: the leading number, refused when a stored Single cannot hold it.
bool readSingle(const QString& text, float& into) {
    double value = parseLeadingNumber(text);
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) return false;
    into = static_cast<float>(value);
    return true;
}

// An Integer field: the leading number rounded halves to even, refused
// outside the 16-bit range of the stored record.
bool readInteger(const QString& text, int& into) {
    double value = parseLeadingNumber(text);
    if (!fitsInt16(value)) return false;
    into = static_cast<int>(cInt(value));
    return true;
}

QString integerRangeMessage() {
    return QStringLiteral("端空き・＠・本数には、-32768 から 32767 までの整数を入力してください。　　　");
}

QString singleRangeMessage() {
    return QStringLiteral("入力された数値が大きすぎます。　　　");
}

// Whether records built now take name and loads from the window. A correction
// in an imported job keeps the imported name and loads; a record appended to
// an imported job (a new one or a duplicate) has no imported data of its own
// and is stored like a typed-in record.
bool ownsNameAndLoads(const JobState& job) {
    return job.pRX23DataChk == 0 || job.editMode == 1;
}

} // namespace

QStringList unitCaptions(int unitSystem, int foundationType) {
    bool si = unitSystem == 1;
    QString force = si ? QStringLiteral("kN") : QStringLiteral("t");
    bool isolated = foundationType == kTypeIsolated;
    QString index4 = isolated ? (si ? QStringLiteral("kN/m2") : QStringLiteral("t/m2"))
                              : (si ? QStringLiteral("kN/本") : QStringLiteral("t/本"));
    QString weight = si ? QStringLiteral("kN/m3") : QStringLiteral("t/m3");
    return {si ? QStringLiteral("（SI単位）") : QStringLiteral("（CGS単位）"),
            force,
            si ? QStringLiteral("kN/m") : QStringLiteral("t/m"),
            isolated ? force : QString(),
            index4,
            si ? QStringLiteral("N/mm2") : QStringLiteral("kg/cm2"),
            weight,
            weight};
}

RecordForm newRecordForm(AppContext& ctx, int foundationType) {
    loadCommonValues(ctx, ctx.job.unitSystem);
    const CommonValues& c = ctx.common;
    RecordForm f;
    for (int j = 1; j <= 4; ++j) {
        f.N[j] = j == 2 ? QString() : QStringLiteral("0");
        f.M[j] = QStringLiteral("0");
        f.H[j] = QStringLiteral("0");
    }
    f.h2 = shown(c.h2);
    f.ax = shown(c.ax);
    f.ay = shown(c.ay);
    f.D1 = shown(c.D1);
    f.D2 = shown(c.D2);
    f.d = shown(c.d);
    f.h1 = shown(c.h1);
    if (foundationType == kTypeIsolated) {
        f.Lx = f.Ly = QStringLiteral("0");
        f.fe = shown(c.fe);
        f.centreX = f.centreY = true;
        f.Lx1 = f.Ly1 = QStringLiteral("0");
    } else {
        f.Px1 = f.Px2 = f.Py1 = f.Py2 = QStringLiteral("0");
        f.Pe = shown(c.Pe);
        f.pfai = shown(c.pfai);
    }
    f.barGradeX = f.barGradeY = c.barGrade;
    f.barSizeX = f.barSizeY = c.barSize;
    f.Fc = shown(c.Fc);
    f.Wc = shown(c.Wc);
    f.Ws = shown(c.Ws);
    f.edgx = shown(c.edgx);
    f.edgy = shown(c.edgy);
    f.pitchx = shown(c.pitchx);
    f.pitchy = shown(c.pitchy);
    f.nx = shown(c.nx);
    f.ny = shown(c.ny);
    f.priorityIndex = c.priority - 1;
    return f;
}

bool loadRecordForm(AppContext& ctx, RecordForm& form) {
    JobState& job = ctx.job;
    if (!QFileInfo::exists(ctx.folders.jobFile())) return false;
    int count = recordCountOf(ctx);
    if (count < 1 || job.currentRecord < 1 || count < job.currentRecord) return false;
    if (!readRecord(ctx, job.currentRecord)) return false;

    const FoundationRecord& r = job.currentRecordBuffer;
    const WorkingRecord w = workingRecordFrom(r);
    job.currentJobName = trimBlanks(r.jobName);
    job.currentFileName = trimBlanks(r.fileName);
    job.currentFoundationType = w.foundationType;
    job.unitSystem = static_cast<int>(cInt(r.data1[field::unitSystem]));

    RecordForm f;
    f.barGradeX = w.barGradeX;
    f.barSizeX = w.barSizeX;
    f.barGradeY = w.barGradeY;
    f.barSizeY = w.barSizeY;
    f.name = w.name;
    f.memo = w.memo;
    for (int j = 1; j <= 4; ++j) {
        if (j != 2) f.N[j] = shown(w.N[j]);
        f.M[j] = shown(w.M[j]);
        f.H[j] = shown(w.H[j]);
    }
    f.ax = shown(w.ax);
    f.ay = shown(w.ay);
    f.D1 = shown(w.D1);
    f.D2 = shown(w.D2);
    f.d = shown(w.d);
    f.h1 = shown(w.h1);
    f.h2 = shown(w.h2);
    f.Fc = shown(w.Fc);
    f.Wc = shown(w.Wc);
    f.Ws = shown(w.Ws);
    f.edgx = shown(w.edgx);
    f.edgy = shown(w.edgy);
    f.pitchx = shown(w.pitchx);
    f.pitchy = shown(w.pitchy);
    f.nx = shown(w.nx);
    f.ny = shown(w.ny);
    f.priorityIndex = w.priority - 1;
    if (w.isPileCap()) {
        f.Px1 = shown(w.Px1);
        f.Py1 = shown(w.Py1);
        f.Px2 = shown(w.Px2);
        f.Py2 = shown(w.Py2);
        f.Pe = shown(w.Pe);
        f.pfai = shown(w.pfai);
        f.pileLayoutIndex = std::max(w.pileLayout, 1) - 1;
        ctx.work.minEdge = w.minEdge;
        ctx.work.minSpacing = w.minSpacing;
    } else {
        f.centreX = w.centreX != 0;
        f.centreY = w.centreY != 0;
        f.Lx1 = shown(w.Lx1);
        f.Ly1 = shown(w.Ly1);
        f.Lx = shown(w.Lx);
        f.Ly = shown(w.Ly);
        f.fe = shown(w.fe);
    }
    form = f;
    return true;
}

QString readRecordForm(AppContext& ctx, const RecordForm& f) {
    WorkingRecord w = ctx.work;
    bool singles = true;
    auto single = [&](const QString& text, float& into) { singles = readSingle(text, into) && singles; };
    w.foundationType = ctx.job.currentFoundationType;
    w.name = trimBlanks(f.name);
    w.memo = trimBlanks(f.memo);
    single(f.ax, w.ax);
    single(f.ay, w.ay);
    single(f.h1, w.h1);
    single(f.D1, w.D1);
    single(f.D2, w.D2);
    single(f.d, w.d);
    for (int j : {1, 3, 4})
        single(f.N[j], w.N[j]);
    for (int j = 1; j <= 4; ++j)
        single(f.M[j], w.M[j]);
    single(f.Fc, w.Fc);
    single(f.Wc, w.Wc);
    single(f.Ws, w.Ws);
    w.barGradeX = trimBlanks(f.barGradeX);
    w.barSizeX = trimBlanks(f.barSizeX);
    w.barGradeY = trimBlanks(f.barGradeY);
    w.barSizeY = trimBlanks(f.barSizeY);
    if (w.isPileCap()) {
        single(f.pfai, w.pfai);
        w.pileLayout = f.pileLayoutIndex + 1;
        single(f.Pe, w.Pe);
        // Only the distances the chosen arrangement has are read; the others
        // are stored as 0 whatever the hidden fields hold.
        w.Px1 = w.Px2 = w.Py1 = w.Py2 = 0;
        single(f.Px1, w.Px1);
        single(f.Py1, w.Py1);
        if (w.pileLayout != 1) single(f.Px2, w.Px2);
        if (w.pileLayout == 5 || w.pileLayout == 7 || w.pileLayout == 10 || w.pileLayout == 11)
            single(f.Py2, w.Py2);
    } else {
        single(f.Lx, w.Lx);
        single(f.Ly, w.Ly);
        single(f.fe, w.fe);
    }
    single(f.h2, w.h2);
    for (int j = 1; j <= 4; ++j)
        single(f.H[j], w.H[j]);
    if (w.isIsolated()) {
        w.centreX = f.centreX ? 1 : 0;
        w.centreY = f.centreY ? 1 : 0;
        single(f.Lx1, w.Lx1);
        single(f.Ly1, w.Ly1);
    }
    if (!singles) return singleRangeMessage();
    bool integers = readInteger(f.edgx, w.edgx) && readInteger(f.edgy, w.edgy) &&
                    readInteger(f.pitchx, w.pitchx) && readInteger(f.pitchy, w.pitchy) &&
                    readInteger(f.nx, w.nx) && readInteger(f.ny, w.ny);
    if (!integers) return integerRangeMessage();
    if (f.priorityIndex >= 0 && f.priorityIndex <= 2) w.priority = f.priorityIndex + 1;
    ctx.work = w;
    return {};
}

void buildRecord(AppContext& ctx) {
    JobState& job = ctx.job;
    FoundationRecord& r = job.currentRecordBuffer;
    bool own = ownsNameAndLoads(job);
    if (job.editMode == 1) r = FoundationRecord{};
    r.formatVersion = r.formatVersion2 = FoundationRecord::kCurrentFormat;
    for (int i = 0; i <= 35; ++i)
        r.data1[i] = 0;
    for (int i = 0; i <= 60; ++i) {
        if (!own && i >= 1 && i <= 3) continue;
        for (int j = 1; j <= 4; ++j)
            r.data2[i][j] = 0;
    }

    // Only what the window edits is taken from the working record: the values
    // the calculation derives (the far-side offsets, the auxiliary spacing)
    // and the fields of the other foundation type are stored as 0.
    WorkingRecord w = ctx.work;
    w.foundationType = job.currentFoundationType;
    w.Lx2 = w.Ly2 = 0;
    w.auxSpacing = 0;
    if (!own) {
        w.name = trimBlanks(r.name);
        for (int j = 1; j <= 4; ++j) {
            w.N[j] = r.data2[1][j];
            w.M[j] = r.data2[2][j];
            w.H[j] = r.data2[3][j];
        }
    }
    if (w.isIsolated()) {
        w.pfai = w.Pe = 0;
        w.pileLayout = w.pileKind = 0;
        w.minEdge = w.minSpacing = 0;
        w.Px1 = w.Px2 = w.Py1 = w.Py2 = 0;
    } else {
        // The cap size and the column offsets are derived from the arrangement
        // by the calculation-time check.
        w.fe = 0;
        w.centreX = w.centreY = 0;
        w.Lx = w.Ly = w.Lx1 = w.Ly1 = 0;
    }
    storeWorkingRecord(w, r);
    r.jobName = job.currentJobName;
    r.fileName = job.currentFileName;
    r.data1[field::unitSystem] = static_cast<float>(job.unitSystem);
    if (w.isPileCap()) {
        PileArrangement a = pileArrangement(w.pileLayout);
        r.data1[field::pileCount] = static_cast<float>(a.count);
        r.data1[field::pileVariant] = static_cast<float>(a.variant);
    }
}

bool saveWorkingRecord(AppContext& ctx) {
    JobState& job = ctx.job;
    // The correction is built on the stored record itself, whatever another
    // job-file operation left in the shared buffer since the window opened.
    if (job.editMode == 2 && !readRecord(ctx, job.currentRecord)) return false;
    buildRecord(ctx);
    int count = recordCountOf(ctx);
    int target = job.editMode == 1 ? count + 1 : job.currentRecord;
    if (!writeRecord(ctx, target)) return false;
    if (job.editMode == 1) {
        job.recordCount = target;
        return true;
    }
    if (job.pRX23DataChk == 0) return true;

    // A design group shares one design: the other records of the group take
    // it, each keeping its own name, loads and import data. Group 0 holds the
    // supports that belong to no group, so they are never handed a design.
    int group = job.currentRecordBuffer.groupNo;
    if (group == 0) return true;
    bool ok = true;
    for (int i = 1; i <= count; ++i) {
        if (i == job.currentRecord) continue;
        if (!readRecord(ctx, i)) return false;
        if (job.currentRecordBuffer.groupNo != group) continue;
        buildRecord(ctx);
        ok = writeRecord(ctx, i) && ok;
    }
    return ok;
}

namespace {

bool readFormOrWarn(AppContext& ctx, const RecordForm& form) {
    QString problem = readRecordForm(ctx, form);
    if (problem.isEmpty()) return true;
    ctx.ask().warn(problem);
    return false;
}

} // namespace

bool recordAsIs(AppContext& ctx, const RecordForm& form) {
    if (!readFormOrWarn(ctx, form)) return false;
    return saveWorkingRecord(ctx);
}

bool registerRecord(AppContext& ctx, const RecordForm& form) {
    if (!readFormOrWarn(ctx, form)) return false;
    // Empty fields take the defaults of the record's own unit system.
    loadCommonValues(ctx, ctx.job.unitSystem);
    if (!checkRecordForRegister(ctx, 0)) return false;
    return saveWorkingRecord(ctx);
}

QString duplicateName(const QString& shownName) {
    // The name as the text rule reads it: up to a terminator that is not the
    // first character, otherwise the whole text without surrounding blanks.
    qsizetype end = shownName.indexOf(u'~', 1);
    QString base = end > 0 ? shownName.left(end) : trimBlanks(shownName);
    return base + QStringLiteral("の複製");
}

bool duplicateRecord(AppContext& ctx, RecordForm& form) {
    JobState& job = ctx.job;
    if (job.editMode != 2) return false;
    if (!readFormOrWarn(ctx, form) || !saveWorkingRecord(ctx)) return false;
    QString name = duplicateName(form.name);
    form.name = name;
    ctx.work.name = name;
    job.editMode = 1;
    bool appended = saveWorkingRecord(ctx);
    job.editMode = 2;
    if (!appended) return false;
    job.currentRecord = job.recordCount;
    QString crlf = QStringLiteral("\r\n");
    ctx.ask().inform(
        name + QStringLiteral("を作成しました。") + crlf + crlf +
        QStringLiteral("複製されたデータの名称は、仮に「") + name + QStringLiteral("」としています。　　　") +
        crlf + crlf +
        QStringLiteral("複製されたデータは、新しい基礎データとして現内容で記録済みとなっています。　　　") +
        crlf + crlf +
        QStringLiteral("なお、現入力画面に表示されているデータは、複製されたデータとなっています。"));
    return true;
}

} // namespace k5
