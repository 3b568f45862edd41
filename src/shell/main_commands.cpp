#include "shell/main_commands.h"

#include "calc/design_results.h"

#include "jobdata/record_layout.h"
#include "platform/fixed_text.h"
#include "platform/prompt.h"
#include "shell/app_context.h"
#include "shell/row_range.h"

namespace k5 {
namespace {

QString typeWindowTrace(int type, const QString& step) {
    return type == kTypePileCap ? QStringLiteral("_201") + step + QStringLiteral(" (frm03杭基礎VUP02.Show 1)")
                                : QStringLiteral("_201") + step + QStringLiteral(" (frm01独立基礎.Show 1)");
}

void openInputWindow(AppContext& ctx, const EditRequest& request, const QString& traceEntry,
                     const OpenRowSteps& steps) {
    steps.hideMain(request.foundationType);
    ctx.trace(traceEntry);
    steps.showInputWindow(request);
}

void openNewRecord(AppContext& ctx, int row, const OpenRowSteps& steps) {
    JobState& job = ctx.job;
    ctx.trace(QStringLiteral("_201R pEditRecp=") + QString::number(row) +
              QStringLiteral("→新規作成モード(New)"));
    job.currentRecord = job.recordCount + 1;
    ctx.trace(QStringLiteral("_201S (frm新規基礎タイプ指定.Show 1)"));
    const int type = steps.askFoundationType();
    if (type == 0) return;
    const EditRequest request{EditMode::NewRecord, job.currentRecord, type};
    openInputWindow(ctx, request,
                    typeWindowTrace(type, type == kTypePileCap ? QStringLiteral("V") : QStringLiteral("T")),
                    steps);
    ctx.trace(QStringLiteral("_201W"));
    steps.showMainAgain();
}

// False when the command ends early (the type question was cancelled).
bool openExistingRecord(AppContext& ctx, int row, const QString& typeCell, const OpenRowSteps& steps) {
    JobState& job = ctx.job;
    ctx.trace(QStringLiteral("_201A pEditRecp=") + QString::number(row) +
              QStringLiteral("→修正モード(Edit)"));
    ctx.trace(QStringLiteral("_201E 基礎タイプ呼称=") + foundationTypeCaption(kTypeIsolated));
    const QString caption = typeCell.trimmed();
    if (caption == foundationTypeCaption(kTypeIsolated) || caption == foundationTypeCaption(kTypePileCap)) {
        const int type = caption == foundationTypeCaption(kTypeIsolated) ? kTypeIsolated : kTypePileCap;
        const EditRequest request{EditMode::Correction, row, type};
        openInputWindow(
            ctx, request,
            typeWindowTrace(type, type == kTypePileCap ? QStringLiteral("P") : QStringLiteral("L")), steps);
        ctx.trace(QStringLiteral("_201Q"));
        steps.showMainAgain();
        return true;
    }
    // A record whose type is not known only gets its type here; the user
    // opens it again to edit it in the window of that type.
    ctx.trace(QStringLiteral("_201F 基礎ﾀｲﾌﾟがどちらでもない→独立基礎に仮設定") +
              foundationTypeCaption(kTypeIsolated));
    const int type = steps.askFoundationType();
    if (type == 0) {
        ctx.trace(QStringLiteral("_201G 新規基礎ﾀｲﾌﾟの指定がｷｬﾝｾﾙされた　End-------------->"));
        return false;
    }
    ctx.trace(QStringLiteral("_201H"));
    steps.setTypeCell(row, foundationTypeCaption(type));
    if (!storeFoundationType(ctx, job.currentRecord, type))
        ctx.ask().error(QStringLiteral("基礎タイプを記録できませんでした。　　　\n\n") +
                        ctx.folders.jobFile());
    return true;
}

} // namespace

QString newJobSaveQuestion(const JobState& job) {
    return QStringLiteral("新しい工事を［登録］すると、現在のデータは置き換えられます。\n（工事名：") +
           job.currentJobName + QStringLiteral("　基礎データ数：") + QString::number(job.recordCount) +
           QStringLiteral("）\n\n"
                          "現在のデータを保存データとして保存しますか？　　　\n\n"
                          "はい：保存してから新しい工事を作成します。\n"
                          "いいえ：保存しないで新しい工事を作成します。\n"
                          "キャンセル：「新規データを作成」を中止します。");
}

QString newJobReplaceQuestion(const JobState& job) {
    return QStringLiteral("現在の工事「") + job.currentJobName +
           QStringLiteral("」には基礎データがありません。\n\n"
                          "新しい工事を［登録］すると、この工事名と単位は置き換えられます。\n\n"
                          "「新規データを作成」を続けていいですか？\n"
                          "（中止する場合は[ｷｬﾝｾﾙ]）");
}

QString analysisImportQuestion(const QString& analysisProgramName) {
    return analysisProgramName + QStringLiteral("のデータは、現在のデータを削除後に読み込まれます。\n\n") +
           QStringLiteral(
               "現在のデータを保管しておく必要がある場合は、ここで読み込みを中止しデータを保管してください。"
               "　　　　\n\n") +
           QStringLiteral("「") + analysisProgramName +
           QStringLiteral("のデータ読込」を続けていいですか？\n") +
           QStringLiteral("（中止する場合は[ｷｬﾝｾﾙ]）");
}

QString exitQuestion() {
    return kProgramTitle + QStringLiteral("を終了します。\nいいですか？");
}

QString deleteChosenQuestion() {
    return QStringLiteral("指定されている") + QStringLiteral("削除しましす。　　　\n\n") +
           QStringLiteral("削除したデータはもとにもどすことはできません。　　　\n\n") +
           QStringLiteral("データ削除を続けてもいいですか。\n");
}

QString deleteAllQuestion() {
    return QStringLiteral("入力されているデータを全て削除します。\n"
                          "削除したデータは元に戻すことはできません。\n"
                          "データ削除を続けてもいいですか？");
}

QString notCalculatedMessage() {
    return QStringLiteral("基礎の計算が行われていません。　　　\n\n処理を中止します。");
}

QString recordCountLabel(int recordCount) {
    return QStringLiteral("入力済み基礎データリスト（データ数： ") + QString::number(recordCount) +
           QStringLiteral(" ）");
}

int listRowCount(int recordCount) {
    return std::max(recordCount + 3, 10);
}

NewJobStart askBeforeNewJob(AppContext& ctx) {
    JobState& job = ctx.job;
    job.recordCount = recordCountOf(ctx.folders);
    if (job.recordCount > 0) {
        const Answer answer = ctx.ask().show(
            {newJobSaveQuestion(job), kProgramTitle, Icon::Question, Buttons::YesNoCancel, Answer::Cancel});
        if (answer == Answer::Yes) return NewJobStart::SaveFirst;
        return answer == Answer::No ? NewJobStart::Replace : NewJobStart::Cancel;
    }
    auto undecided = [](const QString& name) { return name == kUndecided || trimBlanks(name).isEmpty(); };
    if (undecided(job.currentJobName) && undecided(job.currentFileName)) return NewJobStart::Replace;
    const Answer answer = ctx.ask().show(
        {newJobReplaceQuestion(job), kProgramTitle, Icon::Information, Buttons::OkCancel, Answer::Cancel});
    return answer == Answer::Ok ? NewJobStart::Replace : NewJobStart::Cancel;
}

bool createNewJob(AppContext& ctx, const std::function<bool()>& registerNewJob) {
    const JobState current = ctx.job;
    ctx.job = JobState{}; // typed in, SI, no names, no records
    if (!registerNewJob()) {
        ctx.job = current;
        return false;
    }
    if (!replaceWithEmptyJob(ctx.folders, ctx.job)) {
        ctx.job = current;
        ctx.ask().error(QStringLiteral("新しい工事を作成できませんでした。　　　\n\n"
                                       "現在のデータはそのまま残っています。\n\n") +
                        ctx.folders.jobFile());
        return false;
    }
    return true;
}

bool storeJobIdentity(AppContext& ctx) {
    if (rewriteJobIdentity(ctx.folders, ctx.job)) return true;
    ctx.ask().error(QStringLiteral("工事名を記録できませんでした。　　　\n\n") + ctx.folders.jobFile());
    return false;
}

bool confirmExit(AppContext& ctx) {
    return ctx.ask().askYesNo(exitQuestion(), Icon::Information);
}

QString analysisLauncherPath(const Folders& folders) {
    return folders.analysisPrgFolder + QStringLiteral("/kamo-rx");
}

bool deleteChosenRows(AppContext& ctx, int& selFirst, int& selLast) {
    bool deleted = false;
    if (confirmRowRange(ctx.ask(), selFirst, selLast, ctx.job.recordCount, kDeleteAction) &&
        ctx.ask().askOkCancel(deleteChosenQuestion(), Icon::Information)) {
        deleted = deleteRecords(ctx.folders, ctx.job, selFirst, selLast);
        if (!deleted)
            ctx.ask().error(QStringLiteral("データを削除できませんでした。　　　\n\n") +
                            ctx.folders.jobFile());
    }
    selFirst = selLast = 0;
    return deleted;
}

bool deleteAllFoundations(AppContext& ctx) {
    if (recordCountOf(ctx.folders) < 1) {
        ctx.ask().inform(kNothingToDelete);
        return false;
    }
    if (!ctx.ask().askOkCancel(deleteAllQuestion(), Icon::Information)) return false;
    if (!deleteAllRecords(ctx.folders, ctx.job)) {
        ctx.ask().error(QStringLiteral("データを削除できませんでした。　　　\n\n") + ctx.folders.jobFile());
        return false;
    }
    ctx.ask().inform(kAllDeleted);
    return true;
}

bool canMoveRecord(const AppContext& ctx) {
    return ctx.job.currentRecord >= 1 && ctx.job.currentRecord <= ctx.job.recordCount;
}

bool moveRecord(AppContext& ctx, int step, const RecordVisitor& refillRow) {
    JobState& job = ctx.job;
    const int target = job.currentRecord + step;
    if (!canMoveRecord(ctx) || target < 1 || target > job.recordCount) return false;
    if (!swapRecords(ctx.folders, job.currentRecord, target, refillRow)) {
        ctx.ask().error(QStringLiteral("データを移動できませんでした。　　　\n\n") + ctx.folders.jobFile());
        return false;
    }
    job.currentRecord = target;
    return true;
}

bool allRecordsCalculated(AppContext& ctx) {
    const int count = recordCountOf(ctx.folders);
    for (int n = 1; n <= count; ++n) {
        // Calculated as the results list and the drawing judge it.
        const std::optional<FoundationRecord> record = readRecord(ctx.folders, n);
        if (!record || !hasCompleteResults(*record)) {
            ctx.ask().error(notCalculatedMessage());
            return false;
        }
    }
    return true;
}

bool openRow(AppContext& ctx, int row, const QString& typeCell, const OpenRowSteps& steps) {
    JobState& job = ctx.job;
    ctx.trace(QStringLiteral("_201 (MSFlexGrid1_DblClick) Start"));
    ctx.trace(QStringLiteral("_201A p現レコード数= ") + QString::number(job.recordCount));
    job.currentRecord = row;
    if (row < 1 || row > job.recordCount)
        openNewRecord(ctx, row, steps);
    else if (!openExistingRecord(ctx, row, typeCell, steps))
        return false;
    ctx.trace(QStringLiteral("_201X End------------------->"));
    return true;
}

bool storeFoundationType(AppContext& ctx, int n, int type) {
    ctx.trace(QStringLiteral("_201J dum_FileName=") + ctx.folders.jobFile());
    std::optional<FoundationRecord> record = readRecord(ctx.folders, n);
    if (!record) return false;
    record->data1[field::foundationType] = static_cast<float>(type);
    ctx.trace(QStringLiteral("_201K 入力データ02.data1(0)=p基礎ﾀｲﾌﾟ=") + QString::number(type));
    return writeRecord(ctx.folders, n, *record);
}

} // namespace k5
