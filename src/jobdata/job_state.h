#pragma once
#include "jobdata/foundation_record.h"

#include <QString>
#include <functional>

namespace k5 {

struct AppContext;

inline const QString kUndecided = QStringLiteral("(未定)");

// The open job as the windows see it.
struct JobState {
    QString currentJobName = kUndecided;
    QString currentFileName = kUndecided;
    int unitSystem = 1; // 1 SI, 2 CGS: unit of new records and of the unit label
    int recordCount = 0;
    int currentRecord = 0; // record opened for input, recordCount + 1 for a new one
    int editMode = 0;      // 1 new record, 2 correction of currentRecord
    int currentFoundationType = 0;
    int pRX23DataChk = 0; // -1 when the job was imported from the analysis program
    int jobDialogOk = 0;  // -1 after the job-name window registered
    FoundationRecord currentRecordBuffer;

    bool isSi() const { return unitSystem == 1; }
};

// Where the older job formats plug into loading a job: the conversion of the
// oldest job file when no current one exists, and the upgrade of older
// records of the current file. Unset hooks do nothing.
struct JobLoadHooks {
    std::function<bool(AppContext&)> convertOldJobFile;
    std::function<void(AppContext&)> upgradeJobFormat;
};

} // namespace k5
