#pragma once
#include "jobdata/job_file.h"
#include "jobdata/job_state.h"

#include <QString>
#include <functional>

// The main window's commands without their widgets: what to ask, what to
// change in the job, what to write to the trace. The window supplies the
// steps that show or hide windows.
namespace k5 {

struct AppContext;
struct Folders;

// "新規作成..." over a job with foundations: save it first (Yes), go on (No)
// or stop (Cancel); over a named job without foundations: go on or stop.
QString newJobSaveQuestion(const JobState& job);
QString newJobReplaceQuestion(const JobState& job);
QString analysisImportQuestion(const QString& analysisProgramName);
QString exitQuestion();
QString deleteChosenQuestion();
QString deleteAllQuestion();
QString notCalculatedMessage();
inline const QString kNothingToDelete = QStringLiteral("削除するデータがありません");
inline const QString kAllDeleted = QStringLiteral("入力されているデータを全て削除しました。");
inline const QString kDeleteAction = QStringLiteral("データを削除");

// Count label above the list: "入力済み基礎データリスト（データ数： 12 ）".
QString recordCountLabel(int recordCount);
// Rows of the foundation list: three empty rows below the records, at least ten.
int listRowCount(int recordCount);

// What "新規作成..." does with the job in hand.
enum class NewJobStart { Cancel, SaveFirst, Replace };
// Asks about the job in hand, Enter keeping it: nothing for an empty job
// without names; whether to replace a named job without foundations; for a
// job with foundations whether to save it as an archive first, go on without
// saving, or stop.
NewJobStart askBeforeNewJob(AppContext& ctx);
// Runs `registerNewJob` (the job window; true when it registered) on a new
// typed-in SI job without names. The job in hand is replaced by the new,
// empty one only when the window registered; cancelled, the job file, the
// identity kept beside it and the job state stay as they were. A failure is
// shown and keeps the old job. True when the new job replaced the old one.
bool createNewJob(AppContext& ctx, const std::function<bool()>& registerNewJob);

bool confirmExit(AppContext& ctx);

// Writes the job's names and unit system into every record after the job
// window; a failure is shown and leaves the job file as it was.
bool storeJobIdentity(AppContext& ctx);

// The analysis program's launcher in its program folder.
QString analysisLauncherPath(const Folders& folders);

// Deletes the rows selFirst..selLast (1-based, either order, selLast 0 for
// one row) after the range confirmation and a second question. True when
// records were deleted; selFirst and selLast end as 0 in every case.
bool deleteChosenRows(AppContext& ctx, int& selFirst, int& selLast);
// Deletes every foundation after a question. True when they were deleted.
bool deleteAllFoundations(AppContext& ctx);

// The record opened last can be moved with the spinner.
bool canMoveRecord(const AppContext& ctx);
// Moves the opened record one place up (step -1) or down (+1); the visitor
// refills both rows. False when the record is already at that end.
bool moveRecord(AppContext& ctx, int step, const RecordVisitor& refillRow);

// The report needs every record calculated; shows the refusal otherwise.
bool allRecordsCalculated(AppContext& ctx);

// What opening a list row needs from the window.
struct OpenRowSteps {
    // The type window: the type chosen, 0 when cancelled.
    std::function<int()> askFoundationType;
    std::function<void(int type)> hideMain;
    // The input window of the request's type, modal.
    std::function<void(const EditRequest& request)> showInputWindow;
    std::function<void()> showMainAgain;
    // The list's type cell of the row takes the caption.
    std::function<void(int row, const QString& caption)> setTypeCell;
};

// Opens list row `row` (1-based) whose type cell reads `typeCell`: a new
// record for an empty row, the input window of the record's type, or the
// type question for a record without a known type. False when the command
// ended early (the type question of such a record was cancelled).
bool openRow(AppContext& ctx, int row, const QString& typeCell, const OpenRowSteps& steps);

// Writes the foundation type into record n.
bool storeFoundationType(AppContext& ctx, int n, int type);

} // namespace k5
