#pragma once
#include <QString>
#include <QStringList>

#include <array>

// Moving one foundation between the fields of an input window, the working
// record and the job file, and the three saving commands of the input windows.
// The windows only read and show texts; every rule of the transfer lives here.
namespace k5 {

struct AppContext;
struct CommonValues;
struct WorkingRecord;

// The fields of an input window as texts. Loads use the columns of the
// working record: N[1] long, N[3] short X, N[4] short Y; M and H [1] long X,
// [2] long Y, [3] short X, [4] short Y. Fields one foundation type lacks are
// ignored for the other type.
struct RecordForm {
    QString name, memo;
    std::array<QString, 5> N, M, H;
    QString ax, ay, D1, D2, d, h1, h2;
    QString Fc, Wc, Ws;
    QString barGradeX, barSizeX, barGradeY, barSizeY;
    QString edgx, edgy, pitchx, pitchy, nx, ny;
    int priorityIndex = -1; // chosen option of the rebar priority, -1 none
    // Isolated footing.
    QString Lx, Ly, fe, Lx1, Ly1;
    bool centreX = false, centreY = false;
    // Pile cap.
    QString Px1, Px2, Py1, Py2, Pe, pfai;
    int pileLayoutIndex = 0; // list position of the arrangement
};

// Captions of the unit labels 0..7 for a unit system and foundation type;
// index 3 is empty for a pile cap.
QStringList unitCaptions(int unitSystem, int foundationType);

// The fields of a new record from the common design values of the job's unit
// system (loaded into ctx.common first). The working record is not touched.
RecordForm newRecordForm(AppContext& ctx, int foundationType);

// The fields of record ctx.job.currentRecord. False, with nothing changed,
// when the job file does not hold that record. On success the record stays in
// ctx.job.currentRecordBuffer and the job state takes its job name, file name,
// foundation type and unit system; a pile cap also gives the working record
// its pile minima.
bool loadRecordForm(AppContext& ctx, RecordForm& form);

// The fields into ctx.work for ctx.job.currentFoundationType. Integer fields
// are rounded halves to even. Returns the message for a value that cannot be
// stored (empty when all can); ctx.work is then left as it was.
QString readRecordForm(AppContext& ctx, const RecordForm& form);

// ctx.job.currentRecordBuffer rebuilt from ctx.work: every result cleared, so a
// saved record counts as not calculated.
void buildRecord(AppContext& ctx);

// Builds and writes the working record: appended in new mode (editMode 1),
// over ctx.job.currentRecord in correction mode; in an imported job a
// correction is handed on to the other records of the same group.
bool saveWorkingRecord(AppContext& ctx);

// "現状記録終了": the fields saved without checks. False when nothing was saved
// (a value that cannot be stored was reported).
bool recordAsIs(AppContext& ctx, const RecordForm& form);
// "登録": default filling and the register-time check, then the save. False
// when the check (or a value that cannot be stored) refused the record.
bool registerRecord(AppContext& ctx, const RecordForm& form);
// "複製" in correction mode: the shown record is saved, then appended once
// more under the name "<name>の複製", which becomes the current record in
// correction mode; form.name shows the new name. False when nothing happened.
bool duplicateRecord(AppContext& ctx, RecordForm& form);

// The name a duplicate of a record named `shownName` gets.
QString duplicateName(const QString& shownName);

} // namespace k5
