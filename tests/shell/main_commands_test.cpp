#include "jobdata/job_file.h"
#include "platform/cp932.h"
#include "sample_job.h"
#include "shell/main_commands.h"
#include "temp_tree.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace k5;

namespace {

// Trace entries of the open-row command, without their quotes.
QStringList openRowTrace(const AppContext& ctx) {
    QStringList entries;
    const QString text = fromCp932(k5test::readBytes(ctx.folders.traceFile));
    for (QString line : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        line = line.mid(1, line.size() - 2);
        if (line.startsWith(QStringLiteral("_201"))) entries << line;
    }
    return entries;
}

// Records what the command asked of the window.
struct WindowLog {
    QStringList calls;
    bool typeChosen = true;
    int chosenType = kTypePileCap;
    EditRequest request; // what the input window was opened for

    OpenRowSteps steps(AppContext&) {
        OpenRowSteps s;
        s.askFoundationType = [this] {
            calls << QStringLiteral("askType");
            return typeChosen ? chosenType : 0;
        };
        s.hideMain = [this](int) { calls << QStringLiteral("hide"); };
        s.showInputWindow = [this](const EditRequest& r) {
            request = r;
            calls << QStringLiteral("input%1").arg(r.foundationType);
        };
        s.showMainAgain = [this] { calls << QStringLiteral("show"); };
        s.setTypeCell = [this](int row, const QString& caption) {
            calls << QStringLiteral("cell%1=").arg(row) + caption;
        };
        return s;
    }
};

class MainCommands : public ::testing::Test {
  protected:
    k5test::TempTree tree;
    AppContext& ctx = tree.ctx;

    void loadSampleJob(int count) {
        k5test::writeSampleJob(ctx, count);
        loadJob(ctx.folders, ctx.job, ctx.jobHooks);
    }
};

TEST_F(MainCommands, OpeningATypedRowShowsTheInputWindowOfItsType) {
    struct Case {
        QString cell;
        int type;
        QString traceEntry;
    };
    for (const Case& c :
         {Case{QStringLiteral("直接基礎"), 1, QStringLiteral("_201L (frm01独立基礎.Show 1)")},
          Case{QStringLiteral(" 杭基礎 "), 2, QStringLiteral("_201P (frm03杭基礎VUP02.Show 1)")}}) {
        k5test::TempTree fresh;
        k5test::writeSampleJob(fresh.ctx, 3);
        loadJob(fresh.ctx.folders, fresh.ctx.job, fresh.ctx.jobHooks);
        WindowLog window;
        openRow(fresh.ctx, 2, c.cell, window.steps(fresh.ctx));
        EXPECT_EQ(window.calls, QStringList({"hide", QStringLiteral("input%1").arg(c.type), "show"}));
        EXPECT_TRUE(window.request.isCorrection());
        EXPECT_EQ(window.request.record, 2);
        EXPECT_EQ(fresh.ctx.job.currentRecord, 2);
        EXPECT_EQ(window.request.foundationType, c.type);
        EXPECT_EQ(openRowTrace(fresh.ctx),
                  QStringList({"_201 (MSFlexGrid1_DblClick) Start", "_201A p現レコード数= 3",
                               "_201A pEditRecp=2→修正モード(Edit)", "_201E 基礎タイプ呼称=直接基礎",
                               c.traceEntry, "_201Q", "_201X End------------------->"}));
    }
}

TEST_F(MainCommands, OpeningAnEmptyRowStartsTheNextRecordOfTheChosenType) {
    loadSampleJob(12);
    WindowLog window;
    openRow(ctx, 15, QString(), window.steps(ctx));
    EXPECT_EQ(window.calls, QStringList({"askType", "hide", "input2", "show"}));
    EXPECT_EQ(window.request.mode, EditMode::NewRecord);
    EXPECT_EQ(window.request.record, 13);
    EXPECT_EQ(window.request.foundationType, kTypePileCap);
    EXPECT_EQ(ctx.job.currentRecord, 13);
    EXPECT_EQ(openRowTrace(ctx),
              QStringList({"_201 (MSFlexGrid1_DblClick) Start", "_201A p現レコード数= 12",
                           "_201R pEditRecp=15→新規作成モード(New)", "_201S (frm新規基礎タイプ指定.Show 1)",
                           "_201V (frm03杭基礎VUP02.Show 1)", "_201W", "_201X End------------------->"}));
}

TEST_F(MainCommands, CancellingTheTypeOfAnEmptyRowOpensNothing) {
    loadSampleJob(2);
    WindowLog window;
    window.typeChosen = false;
    EXPECT_TRUE(openRow(ctx, 3, QString(), window.steps(ctx)));
    EXPECT_EQ(window.calls, QStringList({"askType"}));
    EXPECT_EQ(recordCountOf(ctx.folders), 2);
    EXPECT_EQ(openRowTrace(ctx).last(), "_201X End------------------->");
}

TEST_F(MainCommands, AnUntypedRecordOnlyGetsItsTypeStored) {
    k5test::writeJob(ctx,
                     {k5test::sampleRecord("A", kTypeIsolated), k5test::sampleRecord("B", kTypeUnknown)});
    loadJob(ctx.folders, ctx.job, ctx.jobHooks);
    WindowLog window;
    openRow(ctx, 2, QStringLiteral("?"), window.steps(ctx));
    EXPECT_EQ(window.calls, QStringList({"askType", "cell2=杭基礎"}));
    const FoundationRecord stored = readRecord(ctx.folders, 2).value();
    EXPECT_EQ(stored.data1[0], 2.0f);
    EXPECT_EQ(stored.name, "B");
    const QStringList trace = openRowTrace(ctx);
    EXPECT_EQ(trace.mid(4),
              QStringList({"_201F 基礎ﾀｲﾌﾟがどちらでもない→独立基礎に仮設定直接基礎", "_201H",
                           "_201J dum_FileName=" + ctx.folders.jobFile(),
                           "_201K 入力データ02.data1(0)=p基礎ﾀｲﾌﾟ=2", "_201X End------------------->"}));
}

TEST_F(MainCommands, CancellingTheTypeOfAnUntypedRecordEndsTheCommand) {
    k5test::writeJob(ctx, {k5test::sampleRecord("A", kTypeUnknown)});
    loadJob(ctx.folders, ctx.job, ctx.jobHooks);
    const QByteArray before = k5test::readBytes(ctx.folders.jobFile());
    WindowLog window;
    window.typeChosen = false;
    EXPECT_FALSE(openRow(ctx, 1, QStringLiteral("?"), window.steps(ctx)));
    EXPECT_EQ(window.calls, QStringList({"askType"}));
    EXPECT_EQ(k5test::readBytes(ctx.folders.jobFile()), before);
    EXPECT_EQ(openRowTrace(ctx).last(), "_201G 新規基礎ﾀｲﾌﾟの指定がｷｬﾝｾﾙされた　End-------------->");
}

TEST_F(MainCommands, MovingARecordStopsAtBothEnds) {
    loadSampleJob(3);
    QList<int> refilled;
    auto refill = [&refilled](int n, const FoundationRecord&) { refilled << n; };

    ctx.job.currentRecord = 1;
    EXPECT_FALSE(moveRecord(ctx, -1, refill));
    ctx.job.currentRecord = 3;
    EXPECT_FALSE(moveRecord(ctx, +1, refill));
    EXPECT_TRUE(refilled.isEmpty());
    EXPECT_EQ(k5test::recordNames(ctx), QStringList({"F1", "F2", "F3"}));

    EXPECT_TRUE(moveRecord(ctx, -1, refill));
    EXPECT_EQ(ctx.job.currentRecord, 2);
    EXPECT_EQ(k5test::recordNames(ctx), QStringList({"F1", "F3", "F2"}));
    EXPECT_EQ(refilled.size(), 2);

    ctx.job.currentRecord = 0; // nothing opened: the spinner does nothing
    EXPECT_FALSE(canMoveRecord(ctx));
    EXPECT_FALSE(moveRecord(ctx, +1, refill));
}

TEST_F(MainCommands, DeletingChosenRowsConfirmsTheOrderedRangeTwice) {
    loadSampleJob(6);
    int first = 5, last = 3;
    tree.prompt.script({Answer::Ok, Answer::Cancel});
    EXPECT_FALSE(deleteChosenRows(ctx, first, last));
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 0);
    EXPECT_EQ(recordCountOf(ctx.folders), 6);
    ASSERT_EQ(tree.prompt.texts().size(), 2);
    EXPECT_TRUE(tree.prompt.texts()[0].startsWith("3行目から5行目のデータをデータを削除します　　　"));
    EXPECT_EQ(tree.prompt.texts()[1], deleteChosenQuestion());

    first = 5, last = 3;
    EXPECT_TRUE(deleteChosenRows(ctx, first, last));
    EXPECT_EQ(k5test::recordNames(ctx), QStringList({"F1", "F2", "F6"}));
    EXPECT_EQ(first + last, 0);

    tree.prompt.clear();
    first = last = 0; // nothing chosen
    EXPECT_FALSE(deleteChosenRows(ctx, first, last));
    EXPECT_EQ(tree.prompt.texts(), QStringList({"データを削除する範囲が選択されていません　　　"}));
}

TEST_F(MainCommands, DeleteAllAsksAndReports) {
    EXPECT_FALSE(deleteAllFoundations(ctx));
    EXPECT_EQ(tree.prompt.texts(), QStringList({kNothingToDelete}));

    loadSampleJob(4);
    tree.prompt.clear();
    tree.prompt.script({Answer::Cancel});
    EXPECT_FALSE(deleteAllFoundations(ctx));
    EXPECT_EQ(recordCountOf(ctx.folders), 4);

    tree.prompt.clear();
    EXPECT_TRUE(deleteAllFoundations(ctx));
    EXPECT_EQ(recordCountOf(ctx.folders), 0);
    EXPECT_TRUE(QFileInfo::exists(ctx.folders.jobFile()));
    EXPECT_EQ(tree.prompt.texts(), QStringList({deleteAllQuestion(), kAllDeleted}));
    EXPECT_EQ(tree.prompt.shown().front().buttons, Buttons::OkCancel);
}

TEST_F(MainCommands, TheReportRefusesAJobWithAnUncalculatedRecord) {
    // Calculated: ΣN and a decided bar count in both directions, as the
    // results list and the drawing judge it.
    const auto calculated = [](FoundationRecord& r, float sumN, float bars) {
        r.data2[22][1] = sumN;
        r.data2[53][1] = r.data2[53][2] = bars;
    };
    QList<FoundationRecord> records{k5test::sampleRecord("A", 1), k5test::sampleRecord("B", 1)};
    calculated(records[0], 1, 4);
    k5test::writeJob(ctx, records);
    EXPECT_FALSE(allRecordsCalculated(ctx));
    EXPECT_EQ(tree.prompt.texts(),
              QStringList({"基礎の計算が行われていません。　　　\n\n処理を中止します。"}));
    EXPECT_EQ(tree.prompt.shown().front().icon, Icon::Error);

    // A bar count that is no count is no result either.
    for (float bars : {-5.0f, 1e38f}) {
        calculated(records[1], 3, bars);
        k5test::writeJob(ctx, records);
        tree.prompt.clear();
        EXPECT_FALSE(allRecordsCalculated(ctx)) << bars;
    }

    calculated(records[1], 3, 5);
    k5test::writeJob(ctx, records);
    tree.prompt.clear();
    EXPECT_TRUE(allRecordsCalculated(ctx));
    EXPECT_TRUE(tree.prompt.texts().isEmpty());
}

// The question before a new job: Enter keeps the job in hand; a job with
// foundations may be saved first; an empty job without names goes unasked.
TEST_F(MainCommands, ANewJobAsksWhatTheJobInHandWouldLose) {
    k5test::writeJob(ctx, {k5test::sampleRecord("A", 1, 2)});
    loadJobIdentity(ctx.folders, ctx.job);
    const struct {
        Answer answer;
        NewJobStart start;
    } withFoundations[] = {{Answer::Cancel, NewJobStart::Cancel},
                           {Answer::Yes, NewJobStart::SaveFirst},
                           {Answer::No, NewJobStart::Replace}};
    for (const auto& c : withFoundations) {
        tree.prompt.clear();
        tree.prompt.script({c.answer});
        EXPECT_EQ(askBeforeNewJob(ctx), c.start);
        ASSERT_EQ(tree.prompt.shown().size(), 1u);
        const Message& asked = tree.prompt.shown().front();
        EXPECT_EQ(asked.text, newJobSaveQuestion(ctx.job));
        EXPECT_EQ(asked.buttons, Buttons::YesNoCancel);
        EXPECT_EQ(asked.defaultButton, Answer::Cancel);
    }

    // A named job without foundations: go on or stop.
    k5test::writeBytes(ctx.folders.jobFile(), {});
    ctx.job.currentJobName = QStringLiteral("空の工事");
    for (const auto& [answer, start] :
         {std::pair{Answer::Cancel, NewJobStart::Cancel}, std::pair{Answer::Ok, NewJobStart::Replace}}) {
        tree.prompt.clear();
        tree.prompt.script({answer});
        EXPECT_EQ(askBeforeNewJob(ctx), start);
        ASSERT_EQ(tree.prompt.shown().size(), 1u);
        EXPECT_EQ(tree.prompt.lastText(), newJobReplaceQuestion(ctx.job));
        EXPECT_EQ(tree.prompt.shown().front().buttons, Buttons::OkCancel);
        EXPECT_EQ(tree.prompt.shown().front().defaultButton, Answer::Cancel);
    }

    // Nothing to lose: no question.
    tree.prompt.clear();
    ctx.job = JobState{};
    EXPECT_EQ(askBeforeNewJob(ctx), NewJobStart::Replace);
    EXPECT_TRUE(tree.prompt.shown().empty());
}

// The job in hand is replaced only once the job window registered the new
// one; cancelled, not a byte of it and nothing of the job state changes.
TEST_F(MainCommands, ANewJobReplacesTheJobInHandOnlyWhenRegistered) {
    QList<FoundationRecord> records{k5test::sampleRecord("A", 1, 2)};
    records[0].importFlag = -1;
    k5test::writeJob(ctx, records);
    loadJobIdentity(ctx.folders, ctx.job);
    ASSERT_TRUE(ctx.job.imported);
    const QByteArray job = k5test::readBytes(ctx.folders.jobFile());

    JobState inWindow;
    EXPECT_FALSE(createNewJob(ctx, [&] {
        inWindow = ctx.job;
        ctx.job.unitSystem = 1; // a unit clicked, then ｷｬﾝｾﾙ
        ctx.job.currentJobName = QStringLiteral("取消");
        return false;
    }));
    EXPECT_EQ(inWindow.currentJobName, kUndecided); // the window starts on a new job
    EXPECT_EQ(inWindow.unitSystem, 1);
    EXPECT_FALSE(inWindow.imported);
    EXPECT_EQ(k5test::readBytes(ctx.folders.jobFile()), job);
    EXPECT_EQ(ctx.job.currentJobName, QStringLiteral("試験工事"));
    EXPECT_EQ(ctx.job.unitSystem, 2);
    EXPECT_TRUE(ctx.job.imported);
    EXPECT_TRUE(tree.prompt.shown().empty());

    EXPECT_TRUE(createNewJob(ctx, [&] {
        ctx.job.currentJobName = ctx.job.currentFileName = QStringLiteral("試験工事２");
        ctx.job.unitSystem = 2;
        return true;
    }));
    EXPECT_EQ(k5test::fileSize(ctx.folders.jobFile()), 0);
    EXPECT_FALSE(ctx.job.imported);
    EXPECT_EQ(ctx.job.recordCount, 0);
    AppContext restarted;
    restarted.folders = Folders::forTree(tree.kmd());
    loadJobIdentity(restarted.folders, restarted.job);
    EXPECT_EQ(restarted.job.currentJobName, QStringLiteral("試験工事２"));
    EXPECT_EQ(restarted.job.currentFileName, QStringLiteral("試験工事２"));
    EXPECT_EQ(restarted.job.unitSystem, 2);
}

TEST_F(MainCommands, AJobNamedButStillEmptyKeepsItsNamesWhenLoaded) {
    ctx.job.currentJobName = QStringLiteral("新しい工事");
    ctx.job.currentFileName = QStringLiteral("新しい");
    ASSERT_TRUE(rewriteJobIdentity(ctx.folders, ctx.job)); // creates the empty job file
    ctx.job = JobState{};
    loadJob(ctx.folders, ctx.job, ctx.jobHooks);
    EXPECT_EQ(ctx.job.currentJobName, "新しい工事");
    EXPECT_EQ(ctx.job.currentFileName, "新しい");
    EXPECT_EQ(ctx.job.recordCount, 0);
}

// Every message of the main window's commands, in the order asked, with its
// icon and buttons: the answers cancel everything until delete-all is confirmed.
TEST_F(MainCommands, EachMessageHasItsIconAndButtons) {
    loadSampleJob(3);
    const QString newJobText = newJobSaveQuestion(ctx.job);
    int first = 2, last = 0;
    tree.prompt.script({Answer::Cancel, Answer::No, Answer::Ok, Answer::Cancel, Answer::Cancel, Answer::Ok});
    EXPECT_EQ(askBeforeNewJob(ctx), NewJobStart::Cancel);
    EXPECT_FALSE(confirmExit(ctx));
    EXPECT_FALSE(deleteChosenRows(ctx, first, last));
    EXPECT_FALSE(deleteAllFoundations(ctx));
    EXPECT_TRUE(deleteAllFoundations(ctx));
    EXPECT_FALSE(deleteAllFoundations(ctx));
    const struct {
        QString text;
        Icon icon;
        Buttons buttons;
    } expected[] = {
        {newJobText, Icon::Question, Buttons::YesNoCancel},
        {exitQuestion(), Icon::Information, Buttons::YesNo},
        {"2行目のデータをデータを削除します　　　\nいいですか？　　　", Icon::Information, Buttons::OkCancel},
        {deleteChosenQuestion(), Icon::Information, Buttons::OkCancel},
        {deleteAllQuestion(), Icon::Information, Buttons::OkCancel},
        {deleteAllQuestion(), Icon::Information, Buttons::OkCancel},
        {kAllDeleted, Icon::Information, Buttons::Ok},
        {kNothingToDelete, Icon::Information, Buttons::Ok},
    };
    const std::vector<Message>& shown = tree.prompt.shown();
    ASSERT_EQ(shown.size(), std::size(expected));
    for (size_t i = 0; i < shown.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(shown[i].text, expected[i].text);
        EXPECT_EQ(shown[i].icon, expected[i].icon);
        EXPECT_EQ(shown[i].buttons, expected[i].buttons);
        EXPECT_EQ(shown[i].title, kProgramTitle);
    }
}

TEST(MainCommandTexts, QuestionsKeepTheirExactWording) {
    EXPECT_EQ(exitQuestion(), "KAMO-K5を終了します。\nいいですか？");
    JobState job;
    job.currentJobName = QStringLiteral("本社ビル");
    job.recordCount = 12;
    EXPECT_EQ(newJobSaveQuestion(job), "新しい工事を［登録］すると、現在のデータは置き換えられます。\n"
                                       "（工事名：本社ビル　基礎データ数：12）\n\n"
                                       "現在のデータを保存データとして保存しますか？　　　\n\n"
                                       "はい：保存してから新しい工事を作成します。\n"
                                       "いいえ：保存しないで新しい工事を作成します。\n"
                                       "キャンセル：「新規データを作成」を中止します。");
    EXPECT_EQ(deleteAllQuestion(), "入力されているデータを全て削除します。\n"
                                   "削除したデータは元に戻すことはできません。\n"
                                   "データ削除を続けてもいいですか？");
    EXPECT_EQ(analysisImportQuestion("KAMO-RXⅡ"),
              "KAMO-RXⅡのデータは、現在のデータを削除後に読み込まれます。\n\n"
              "現在のデータを保管しておく必要がある場合は、ここで読み込みを中止しデータを保管してください。"
              "　　　　\n\n「KAMO-RXⅡのデータ読込」を続けていいですか？\n（中止する場合は[ｷｬﾝｾﾙ]）");
    EXPECT_EQ(deleteChosenQuestion(), "指定されている削除しましす。　　　\n\n"
                                      "削除したデータはもとにもどすことはできません。　　　\n\n"
                                      "データ削除を続けてもいいですか。\n");
    EXPECT_EQ(recordCountLabel(0), "入力済み基礎データリスト（データ数： 0 ）");
    EXPECT_EQ(listRowCount(0), 10);
    EXPECT_EQ(listRowCount(7), 10);
    EXPECT_EQ(listRowCount(12), 15);
    EXPECT_TRUE(analysisImportQuestion("KAMO-RX3").startsWith("KAMO-RX3のデータは、現在のデータを削除後に"));
}

} // namespace
