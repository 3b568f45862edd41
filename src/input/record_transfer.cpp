#include "input/record_transfer.h"

#include "calc/record_checks.h"
#include "input/field_limits.h"
#include "jobdata/common_values.h"
#include "jobdata/job_file.h"
#include "jobdata/pile_arrangement.h"
#include "jobdata/record_layout.h"
#include "platform/fixed_text.h"
#include "platform/folders.h"
#include "platform/numbers.h"

#include <QFileInfo>
#include <cmath>
#include <limits>

namespace k5 {
namespace {

QString shown(double value) {
    return formatGeneral(value);
}

// Reads the fields of a form in order and keeps the message of the first
// value that cannot be stored, naming its field; `input` is the field's name
// in the form (the member of RecordForm), given back with the message.
class FieldReader {
  public:
    void single(const QString& text, const char* caption, float& into, const char* input) {
        if (hasStrayComma(text)) return refuse(strayCommaMessage(QString::fromUtf8(caption), text), input);
        const double value = parseLeadingNumber(text);
        if (!fitsSingle(value)) return refuse(numberTooLarge(QString::fromUtf8(caption)), input);
        into = static_cast<float>(value);
    }
    // An Integer field: the leading number rounded halves to even.
    void integer(const QString& text, const char* caption, int& into, const char* input) {
        if (hasStrayComma(text)) return refuse(strayCommaMessage(QString::fromUtf8(caption), text), input);
        const double value = parseLeadingNumber(text);
        if (!fitsInt16(value)) return refuse(integerOutOfRange(QString::fromUtf8(caption)), input);
        into = static_cast<int>(cInt(value));
    }
    void text(const QString& typed, const char* caption, int maxBytes, QString& into, const char* input) {
        into = trimBlanks(typed);
        if (QString problem = textProblem(into, QString::fromUtf8(caption), maxBytes); !problem.isEmpty())
            refuse(problem, input);
    }
    const QString& problem() const { return problem_; }
    const QString& input() const { return input_; }

  private:
    void refuse(const QString& message, const char* input) {
        if (!problem_.isEmpty()) return;
        problem_ = message;
        input_ = QString::fromUtf8(input);
    }
    QString problem_;
    QString input_;
};

CommonValues commonValuesOf(const RecordEdit& edit) {
    CommonValues common;
    loadCommonValues(edit.folders, edit.job.unitSystem, common);
    return common;
}

Outcome writeFailed(const QString& path) {
    return Outcome::error(QStringLiteral("基礎データをファイルに書き込めませんでした。　　　\n\n") + path);
}

} // namespace

bool keepsImportedNameAndLoads(const RecordEdit& edit) {
    return edit.job.imported && edit.request.isCorrection();
}

QStringList unitCaptions(int unitSystem, int foundationType) {
    bool si = unitSystem == 1;
    QString force = si ? QStringLiteral("kN") : QStringLiteral("t");
    bool isolated = foundationType == kTypeIsolated;
    QString index4 = isolated ? (si ? QStringLiteral("kN/m2") : QStringLiteral("t/m2"))
                              : (si ? QStringLiteral("kN/本") : QStringLiteral("t/本"));
    QString weight = si ? QStringLiteral("kN/m3") : QStringLiteral("t/m3");
    return {si ? QStringLiteral("（SI単位）") : QStringLiteral("（CGS単位）"),
            force,
            si ? QStringLiteral("kN･m") : QStringLiteral("t･m"),
            isolated ? force : QString(),
            index4,
            si ? QStringLiteral("N/mm2") : QStringLiteral("kg/cm2"),
            weight,
            weight};
}

RecordForm newRecordForm(const RecordEdit& edit) {
    const int foundationType = edit.request.foundationType;
    const CommonValues c = commonValuesOf(edit);
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

bool loadRecordForm(RecordEdit& edit, RecordForm& form) {
    JobState& job = edit.job;
    const int n = edit.request.record;
    if (!QFileInfo::exists(edit.folders.jobFile())) return false;
    int count = recordCountOf(edit.folders);
    if (count < 1 || n < 1 || count < n) return false;
    const std::optional<FoundationRecord> stored = readRecord(edit.folders, n);
    if (!stored) return false;

    const FoundationRecord& r = *stored;
    const WorkingRecord w = workingRecordFrom(r);
    job.currentJobName = trimBlanks(r.jobName);
    job.currentFileName = trimBlanks(r.fileName);
    edit.request.foundationType = w.foundationType;
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
    // A value outside its choices (a damaged or foreign record) shows the
    // first choice and says so, instead of showing nothing chosen.
    f.priorityIndex = w.priority - 1;
    if (w.priority < 1 || w.priority > 3) {
        f.priorityIndex = 0;
        f.notes << QStringLiteral("配筋決定優先（記録値 %1）は範囲外のため、「計算結果優先」にしています。")
                       .arg(w.priority);
    }
    if (w.isPileCap()) {
        f.Px1 = shown(w.Px1);
        f.Py1 = shown(w.Py1);
        f.Px2 = shown(w.Px2);
        f.Py2 = shown(w.Py2);
        f.Pe = shown(w.Pe);
        f.pfai = shown(w.pfai);
        // Imported records start without an arrangement (0): they show the
        // first one without a word.
        f.pileLayoutIndex = 0;
        if (pileArrangementRule(w.pileLayout))
            f.pileLayoutIndex = w.pileLayout - 1;
        else if (w.pileLayout != 0)
            f.notes << QStringLiteral("杭本数（記録値 %1）は範囲外のため、「 1」にしています。")
                           .arg(w.pileLayout);
        f.pileKind = 0;
        if (pileMinima(w.pileKind, 1)) // a kind with minima is a known kind
            f.pileKind = w.pileKind;
        else
            f.notes << QStringLiteral(
                           "杭の種類（記録値 %1）は範囲外のため、「既成ｺﾝｸﾘｰﾄ杭・閉端杭」にしています。")
                           .arg(w.pileKind);
        edit.work.minEdge = w.minEdge;
        edit.work.minSpacing = w.minSpacing;
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

QString readRecordForm(RecordEdit& edit, const RecordForm& f, QString* input) {
    WorkingRecord w = edit.work;
    FieldReader read;
    w.foundationType = edit.request.foundationType;
    read.text(f.name, "名称", kFoundationNameBytes, w.name, "name");
    read.text(f.memo, "メモ", kMemoBytes, w.memo, "memo");
    read.single(f.ax, "ax", w.ax, "ax");
    read.single(f.ay, "ay", w.ay, "ay");
    read.single(f.h1, "h1", w.h1, "h1");
    read.single(f.D1, "基端D", w.D1, "D1");
    read.single(f.D2, "先端D'", w.D2, "D2");
    read.single(f.d, "かぶりd", w.d, "d");
    read.single(f.N[1], "軸力 N X長期", w.N[1], "N1");
    read.single(f.N[3], "軸力 N X短期", w.N[3], "N3");
    read.single(f.N[4], "軸力 N Y短期", w.N[4], "N4");
    const char* mCaptions[] = {"モーメント M X長期", "モーメント M Y長期", "モーメント M X短期",
                               "モーメント M Y短期"};
    const char* mInputs[] = {"M1", "M2", "M3", "M4"};
    for (int j = 1; j <= 4; ++j)
        read.single(f.M[j], mCaptions[j - 1], w.M[j], mInputs[j - 1]);
    read.single(f.Fc, "コンクリート Fc", w.Fc, "Fc");
    read.single(f.Wc, "コンクリート単位重量 Wc", w.Wc, "Wc");
    read.single(f.Ws, "埋戻土単位重量 Ws", w.Ws, "Ws");
    w.barGradeX = trimBlanks(f.barGradeX);
    w.barSizeX = trimBlanks(f.barSizeX);
    w.barGradeY = trimBlanks(f.barGradeY);
    w.barSizeY = trimBlanks(f.barSizeY);
    if (w.isPileCap()) {
        read.single(f.pfai, "杭径 φ", w.pfai, "pfai");
        w.pileLayout = f.pileLayoutIndex + 1;
        read.single(f.Pe, "杭の支持力 Pe", w.Pe, "Pe");
        // Only the distances the chosen arrangement has are read; the others
        // are stored as 0 whatever the closed fields hold.
        w.Px1 = w.Px2 = w.Py1 = w.Py2 = 0;
        read.single(f.Px1, "Px1", w.Px1, "Px1");
        read.single(f.Py1, "Py1", w.Py1, "Py1");
        const PileArrangementRule* arrangement = pileArrangementRule(w.pileLayout);
        if (!arrangement || arrangement->hasPx2) read.single(f.Px2, "Px2", w.Px2, "Px2");
        if (arrangement && arrangement->hasPy2()) read.single(f.Py2, "Py2", w.Py2, "Py2");
    } else {
        read.single(f.Lx, "Lx", w.Lx, "Lx");
        read.single(f.Ly, "Ly", w.Ly, "Ly");
        read.single(f.fe, "地耐力 fe", w.fe, "fe");
    }
    read.single(f.h2, "h2", w.h2, "h2");
    const char* hCaptions[] = {"水平力 H X長期", "水平力 H Y長期", "水平力 H X短期", "水平力 H Y短期"};
    const char* hInputs[] = {"H1", "H2", "H3", "H4"};
    for (int j = 1; j <= 4; ++j)
        read.single(f.H[j], hCaptions[j - 1], w.H[j], hInputs[j - 1]);
    if (w.isIsolated()) {
        w.centreX = f.centreX ? 1 : 0;
        w.centreY = f.centreY ? 1 : 0;
        read.single(f.Lx1, "Lx1", w.Lx1, "Lx1");
        read.single(f.Ly1, "Ly1", w.Ly1, "Ly1");
    }
    read.integer(f.edgx, "端空き X方向", w.edgx, "edgx");
    read.integer(f.edgy, "端空き Y方向", w.edgy, "edgy");
    read.integer(f.pitchx, "＠ X方向", w.pitchx, "pitchx");
    read.integer(f.pitchy, "＠ Y方向", w.pitchy, "pitchy");
    read.integer(f.nx, "本数 X方向", w.nx, "nx");
    read.integer(f.ny, "本数 Y方向", w.ny, "ny");
    if (!read.problem().isEmpty()) {
        if (input) *input = read.input();
        return read.problem();
    }
    if (f.priorityIndex >= 0 && f.priorityIndex <= 2) w.priority = f.priorityIndex + 1;
    edit.work = w;
    return {};
}

FoundationRecord buildRecord(const RecordEdit& edit, FoundationRecord r) {
    const JobState& job = edit.job;
    const bool own = !keepsImportedNameAndLoads(edit);
    if (!edit.request.isCorrection()) r = FoundationRecord{};
    const float ownLx = r.data2[row::L][1], ownLy = r.data2[row::L][2];
    r.formatVersion = r.formatVersion2 = FoundationRecord::kCurrentFormat;
    for (int i = 0; i <= field::lastInput; ++i)
        r.data1[i] = 0;
    for (int i = 0; i <= row::lastInput; ++i) {
        // An imported record keeps the loads of its support.
        if (!own && (i == row::N || i == row::M || i == row::H)) continue;
        for (int j = 1; j <= 4; ++j)
            r.data2[i][j] = 0;
    }

    // Only what the window edits is taken from the working record: the values
    // the calculation derives (the far-side offsets, the auxiliary spacing)
    // and the fields of the other foundation type are stored as 0.
    WorkingRecord w = edit.work;
    w.foundationType = edit.request.foundationType;
    w.Lx2 = w.Ly2 = 0;
    w.auxSpacing = 0;
    if (!own) {
        w.name = trimBlanks(r.name);
        for (int j = 1; j <= 4; ++j) {
            w.N[j] = r.data2[row::N][j];
            w.M[j] = r.data2[row::M][j];
            w.H[j] = r.data2[row::H][j];
        }
    }
    if (w.isIsolated()) {
        w.pfai = w.Pe = 0;
        w.pileLayout = w.pileKind = 0;
        w.minEdge = w.minSpacing = 0;
        w.Px1 = w.Px2 = w.Py1 = w.Py2 = 0;
    } else {
        // The cap size and the column offsets are derived from the arrangement
        // by the calculation-time check. Until then a cap keeps the size it
        // has (none for a new one): the working record's size may be that of
        // another foundation, calculated last.
        w.fe = 0;
        w.centreX = w.centreY = 0;
        w.Lx = ownLx;
        w.Ly = ownLy;
        w.Lx1 = w.Ly1 = 0;
    }
    storeWorkingRecord(w, r);
    r.jobName = job.currentJobName;
    r.fileName = job.currentFileName;
    r.data1[field::unitSystem] = static_cast<float>(job.unitSystem);
    if (w.isPileCap()) {
        const PileArrangementRule* arrangement = pileArrangementRule(w.pileLayout);
        r.data1[field::pileCount] = static_cast<float>(arrangement ? arrangement->count : 0);
        r.data1[field::pileVariant] = static_cast<float>(arrangement ? arrangement->variant : 0);
    }
    return r;
}

std::optional<QList<std::pair<int, FoundationRecord>>> recordsToSave(const RecordEdit& edit) {
    const Folders& folders = edit.folders;
    const bool correction = edit.request.isCorrection();
    // A correction is built on the stored record itself.
    FoundationRecord stored;
    if (correction) {
        const std::optional<FoundationRecord> r = readRecord(folders, edit.request.record);
        if (!r) return std::nullopt;
        stored = *r;
    }
    const int count = recordCountOf(folders);
    const int target = correction ? edit.request.record : count + 1;
    QList<std::pair<int, FoundationRecord>> records{{target, buildRecord(edit, stored)}};

    // A design group shares one design: the other records of the group take
    // it, each keeping its own name, loads and import data. Group 0 holds the
    // supports that belong to no group, so they are never handed a design.
    const int group = stored.groupNo;
    if (correction && edit.job.imported && group != 0)
        for (int i = 1; i <= count; ++i) {
            if (i == target) continue;
            const std::optional<FoundationRecord> other = readRecord(folders, i);
            if (!other) return std::nullopt;
            if (other->groupNo == group) records.append({i, buildRecord(edit, *other)});
        }
    return records;
}

Outcome saveWorkingRecord(RecordEdit& edit) {
    const std::optional<QList<std::pair<int, FoundationRecord>>> records = recordsToSave(edit);
    // The whole group is written in one replacement of the job file, so a
    // failed write never leaves the group with two designs.
    if (!records || !writeRecords(edit.folders, *records)) return writeFailed(edit.folders.jobFile());
    if (!edit.request.isCorrection()) edit.job.recordCount = records->front().first;
    return Outcome::success();
}

namespace {

Outcome readForm(RecordEdit& edit, const RecordForm& form) {
    QString input;
    const QString problem = readRecordForm(edit, form, &input);
    return problem.isEmpty() ? Outcome::success() : Outcome::warning(problem).about(input);
}

} // namespace

Outcome recordAsIs(RecordEdit& edit, const RecordForm& form) {
    if (Outcome read = readForm(edit, form); !read) return read;
    return saveWorkingRecord(edit);
}

Outcome prepareRegistration(RecordEdit& edit, const RecordForm& form, const CommonValues& common) {
    if (Outcome read = readForm(edit, form); !read) return read;
    // Empty fields take the defaults of the record's own unit system.
    edit.work.foundationType = edit.request.foundationType;
    fillDefaults(edit.work, common);
    return checkRecordForRegister(edit.work, 0);
}

Outcome registerRecord(RecordEdit& edit, const RecordForm& form) {
    if (Outcome prepared = prepareRegistration(edit, form, commonValuesOf(edit)); !prepared) return prepared;
    return saveWorkingRecord(edit);
}

QString duplicateName(const QString& shownName) {
    // The name as the text rule reads it: up to a terminator that is not the
    // first character, otherwise the whole text without surrounding blanks.
    qsizetype end = shownName.indexOf(u'~', 1);
    QString base = end > 0 ? shownName.left(end) : trimBlanks(shownName);
    return cutToBytes(base + QStringLiteral("の複製"), kFoundationNameBytes);
}

Outcome duplicateRecord(RecordEdit& edit, RecordForm& form) {
    if (!edit.request.isCorrection()) return Outcome{false, {}};
    if (Outcome saved = recordAsIs(edit, form); !saved) return saved;
    QString name = duplicateName(form.name);
    form.name = name;
    edit.work.name = name;
    edit.request.mode = EditMode::NewRecord;
    const Outcome appended = saveWorkingRecord(edit);
    edit.request.mode = EditMode::Correction;
    if (!appended) return appended;
    edit.request.record = edit.job.recordCount;
    edit.job.currentRecord = edit.request.record;
    QString crlf = QStringLiteral("\r\n");
    return Outcome::success(
        name + QStringLiteral("を作成しました。") + crlf + crlf +
        QStringLiteral("複製されたデータの名称は、仮に「") + name + QStringLiteral("」としています。　　　") +
        crlf + crlf +
        QStringLiteral("複製されたデータは、新しい基礎データとして現内容で記録済みとなっています。　　　") +
        crlf + crlf +
        QStringLiteral("なお、現入力画面に表示されているデータは、複製されたデータとなっています。"));
}

} // namespace k5
