#include "jobdata/control_file.h"
#include "masters/key_actions.h"
#include "shell/app_context.h"
#include "shell/cancel_confirmation.h"
#include "temp_tree.h"

#include <gtest/gtest.h>

using namespace k5;
using k5test::TempTree;

namespace {

TEST(ConfirmCancel, AsksOnlyWhenTheSettingIsOne) {
    for (int setting : {0, 2, -1}) {
        TempTree t;
        t.ctx.control.cancelConfirm = setting;
        EXPECT_TRUE(confirmCancel(t.ctx)) << setting;
        EXPECT_TRUE(t.prompt.shown().empty()) << setting;
    }
    TempTree t;
    t.ctx.control.cancelConfirm = 1;
    t.prompt.script({Answer::No, Answer::Yes});
    EXPECT_FALSE(confirmCancel(t.ctx));
    EXPECT_TRUE(confirmCancel(t.ctx));
    ASSERT_EQ(t.prompt.shown().size(), 2u);
    const Message& m = t.prompt.shown().front();
    EXPECT_EQ(m.text, QStringLiteral("ここでの修正内容は記録されないで終了します。\n\n"
                                     "このままキャンセルを実行してもいいですか？\n"));
    EXPECT_EQ(m.title, QStringLiteral("警告"));
    EXPECT_EQ(m.icon, Icon::Warning);
    EXPECT_EQ(m.buttons, Buttons::YesNo);
}

TEST(CancelSetting, SavingChangesOnlyTheSettingAndKeepsTheKeyActionsOfTheRun) {
    TempTree t;
    t.ctx.control.lastSaveFolder = QStringLiteral("/home/user/保存");
    t.ctx.control.keyAction = {0, 0, 1, 0, 1};
    saveControlFile(t.ctx.folders, t.ctx.control);
    t.ctx.control.keyAction = {0, 1, 1, 1, 0};
    ASSERT_TRUE(saveKeyActions(t.ctx.folders, t.ctx.control));
    const QByteArray before = k5test::readBytes(t.ctx.folders.controlFile());

    saveCancelConfirm(t.ctx, 1);
    QByteArray after = k5test::readBytes(t.ctx.folders.controlFile());
    EXPECT_EQ(after.left(108), before.left(108));
    EXPECT_EQ(after.mid(108), QByteArray("\x01\x00", 2));
    EXPECT_EQ(t.ctx.control.cancelConfirm, 1);
    EXPECT_EQ(t.ctx.control.keyAction, (std::array<int, 5>{0, 1, 1, 1, 1})) << "key-action file wins";

    t.ctx.control.cancelConfirm = 0;
    EXPECT_EQ(loadCancelConfirm(t.ctx), 1);
    EXPECT_EQ(t.ctx.control.keyAction, (std::array<int, 5>{0, 1, 1, 1, 1}));
}

TEST(FileNameProblem, RefusesWhatCannotNameAnArchive) {
    for (const char* good : {"工事A", "K5-2024_01", "ビル 新築", "(未定)", "a.b", ""})
        EXPECT_TRUE(fileNameProblem(QString::fromUtf8(good)).isEmpty()) << good;
    for (const char* bad : {"a/b", "a\\b", "C:", "a*", "a?", "a\"b", "<a>", "a|b", "a\tb", "a\nb", "\x7f"})
        EXPECT_FALSE(fileNameProblem(QString::fromUtf8(bad)).isEmpty()) << bad;
    EXPECT_TRUE(
        fileNameProblem(QStringLiteral("x/y")).startsWith(QStringLiteral("ファイル名に使用できない文字")));
}

} // namespace
