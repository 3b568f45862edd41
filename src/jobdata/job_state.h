#pragma once
#include "jobdata/foundation_record.h"
#include "platform/prompt.h"

#include <QString>
#include <functional>

namespace k5 {

struct Folders;

inline const QString kUndecided = QStringLiteral("(未定)");

// The open job as the windows see it.
struct JobState {
    QString currentJobName = kUndecided;
    QString currentFileName = kUndecided;
    int unitSystem = 1; // 1 SI, 2 CGS: unit of new records and of the unit label
    int recordCount = 0;
    int currentRecord = 0; // the record opened last from the list, which the spinner moves
    bool imported = false; // the job was imported from the analysis program

    bool isSi() const { return unitSystem == 1; }
};

// How an input window is opened: for a new record appended to the job, or
// for the correction of a stored one.
enum class EditMode { NewRecord, Correction };

struct EditRequest {
    EditMode mode = EditMode::NewRecord;
    int record = 0;         // the record corrected; recordCount + 1 for a new one
    int foundationType = 0; // kTypeIsolated or kTypePileCap

    bool isCorrection() const { return mode == EditMode::Correction; }
};

// Where the older job formats plug into loading a job: the conversion of the
// oldest job file when no current one exists (failing without a message when
// there is nothing to convert), and the upgrade of older records of the
// current file. Unset hooks do nothing. Given `inMemory`, a hook writes no
// file at all: it puts the job's bytes in the current format there instead
// (the converted or upgraded records, or the job file as it is when it needs
// no change).
using JobFileHook = std::function<Outcome(const Folders&, JobState&, QByteArray* inMemory)>;
struct JobLoadHooks {
    JobFileHook convertOldJobFile;
    JobFileHook upgradeJobFormat;
    // A run that does not hold the tree's lock keeps what a load changes
    // (conversion, upgrade, repaired defaults) in memory: the program that
    // holds the lock may be replacing the job at that moment, and a rename
    // of ours would undo its work.
    bool writeBack = true;
};

} // namespace k5
