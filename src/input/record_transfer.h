#pragma once
#include "jobdata/job_state.h"
#include "jobdata/working_record.h"
#include "platform/prompt.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// Moving one foundation between the fields of an input window, the working
// record and the job file, and the three saving commands of the input windows.
// The windows only read and show texts; every rule of the transfer lives here.
namespace k5 {

struct CommonValues;
struct Folders;

// One input window's work on one record: the job it belongs to, what the
// window was opened for, and the working record it fills.
struct RecordEdit {
    const Folders& folders;
    JobState& job;
    EditRequest request;
    WorkingRecord work; // the foundation in hand
};

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
    int pileKind = 0;        // the kind to select (the window's handler stores it)
    // What loading a stored record had to change to show it (a value out of
    // its range shown as the first choice), one sentence each.
    QStringList notes;
};

// Whether a save of this edit keeps the stored name and loads instead of the
// window's: a correction in an imported job keeps the imported name and
// loads (names are given in the import review); a record appended to an
// imported job (a new one or a duplicate) has no imported data of its own
// and is stored like a typed-in record.
bool keepsImportedNameAndLoads(const RecordEdit& edit);

// Captions of the unit labels 0..7 for a unit system and foundation type;
// index 3 is empty for a pile cap.
QStringList unitCaptions(int unitSystem, int foundationType);

// The fields of a new record from the common design values of the job's unit
// system. The working record is not touched.
RecordForm newRecordForm(const RecordEdit& edit);

// The fields of the record edit.request.record. False, with nothing changed,
// when the job file does not hold that record. On success the job state
// takes the record's job name, file name and unit system, the request its
// foundation type; a pile cap also gives the working record its pile minima.
bool loadRecordForm(RecordEdit& edit, RecordForm& form);

// The fields into edit.work for the request's foundation type. Integer
// fields are rounded halves to even. Returns the message, naming the field,
// for the first value that cannot be stored as it is (a text too long for
// its field or with a character the job file cannot hold, a number beyond
// its field's range); empty when all can. edit.work is then left as it was.
// `input`, when given, receives the refused field's name in the form (the
// RecordForm member: "Lx", "name", "N1", "M2", ...).
QString readRecordForm(RecordEdit& edit, const RecordForm& form, QString* input = nullptr);

// `stored` rebuilt from edit.work: every result cleared, so a saved record
// counts as not calculated. A new record is built from nothing.
FoundationRecord buildRecord(const RecordEdit& edit, FoundationRecord stored);

// The records a save of this edit writes, with their numbers: the edited
// record (appended for a new one), then, for a correction in an imported
// job, the other records of its design group, each with the edit's design
// and its own name, loads and import data. What 登録 would store, for a
// trial of the form. nullopt when the job file cannot be read.
std::optional<QList<std::pair<int, FoundationRecord>>> recordsToSave(const RecordEdit& edit);

// Builds and writes the working record: appended for a new record, over the
// requested record for a correction; in an imported job a correction is
// handed on to the other records of the same group. A failed write is
// reported with the job file's name.
Outcome saveWorkingRecord(RecordEdit& edit);

// The outcomes of the saving commands name the refused input (Outcome::field)
// as readRecordForm does.
// "現状記録終了": the fields saved without checks. Fails when nothing was
// saved (a value that cannot be stored, or the write).
Outcome recordAsIs(RecordEdit& edit, const RecordForm& form);
// What "登録" does before it saves: the fields read into edit.work, empty
// ones filled from `common` (the values of the record's unit system), the
// register-time check. Fails with the message of the first refusal.
Outcome prepareRegistration(RecordEdit& edit, const RecordForm& form, const CommonValues& common);
// "登録": prepareRegistration with the job's common values, then the save.
// Fails when the check (or a value that cannot be stored, or the write)
// refused it.
Outcome registerRecord(RecordEdit& edit, const RecordForm& form);
// "複製" in correction mode: the shown record is saved, then appended once
// more under the name "<name>の複製", which becomes the requested record in
// correction mode; form.name shows the new name. Succeeds with the message
// that tells what was made.
Outcome duplicateRecord(RecordEdit& edit, RecordForm& form);

// The name a duplicate of a record named `shownName` gets: "<name>の複製",
// cut between characters to the width of a stored name.
QString duplicateName(const QString& shownName);

} // namespace k5
