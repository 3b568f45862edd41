#pragma once
#include "jobdata/common_values.h"
#include "jobdata/foundation_record.h"
#include "platform/prompt.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// Reading the support reactions the frame-analysis program writes into
// foundation records: one record per column support, with its key, names,
// the reactions of its five load cases in X and Y and the design loads taken
// from them.
//
// The whole input is read and checked in memory first; the job file is
// replaced only by a completely built job, so a bad file never leaves the
// user with half an import or without the job they had.
namespace k5 {

struct Folders;
struct JobState;

inline const QString kProjectFileName = QStringLiteral("KW-FPP1.dat");
inline const QString kSupportReactionFileName = QStringLiteral("KW-FSPTK5");

// More supports cannot be numbered by the job's 16-bit record counter.
constexpr int kMaxImportedRecords = 32767;

// One line of the support-reaction file.
struct ReactionLine {
    int lineNumber = 0;
    int direction = 0; // 1 X, 2 Y
    int frame = 0;     // in the direction of the analysis
    int storey = 0;
    int axis = 0;
    int loadCase = 0; // 1..5: L, E, S, W1, W2
    QString frameName;
    QString storeyName;
    QString axisName;
    float H = 0;
    float N = 0;
    float M = 0;
};

// The analysis job's name: the string that is the third item after the item
// "P-01" of the project file (CP932 text). Fails when there is no "P-01" or
// fewer than three readable items follow it; `path` names the file in the
// message.
Outcome readAnalysisJobName(const QByteArray& text, const QString& path, QString& name);

// Every line of the support-reaction file (CP932 text, CR LF, an end byte
// 0x1A or blank lines at the end are allowed). Fails with the line and item
// that cannot be read, or when the file holds no line at all.
Outcome parseSupportReactions(const QByteArray& text, const QString& path, std::vector<ReactionLine>& lines);

// The records the lines make, in file order: an X line of case 1 starts a
// support; an X line of another case joins the support started last when it
// has that support's key, else starts one; a Y line (frame and axis
// exchanged) joins the first support with its key, else starts one. Each new
// record is an isolated footing with the common values `common` (of the SI
// system) and the job name `jobName`. Fails when there are more supports
// than a job can number (the message names `path`, the support file).
Outcome buildImportedRecords(const std::vector<ReactionLine>& lines, const QString& jobName,
                             const CommonValues& common, std::vector<FoundationRecord>& records,
                             const QString& path = {});

// A reaction as a design load: rounded to 3 decimals with halves upward,
// on the stored Single, then made positive. None when the reaction is too
// large for its thousandfold to be a Single.
std::optional<float> designLoad(float reaction);
// The long- and short-term design loads of a record from its cases L and E.
void applyDesignLoads(FoundationRecord& record);

// The provisional name of record n: "F" + its last three digits + "(仮名)".
QString provisionalName(int n);

// The whole import from the analysis program's data folder: read, check,
// build, then the job file replaced at once. On success the job state
// becomes the imported job (no names yet, SI, the new count, imported). On
// failure nothing on disk or in `job` has changed and the outcome carries
// the message to show.
Outcome readSupportReactions(const Folders& folders, JobState& job);

} // namespace k5
