#include "masters/key_actions.h"
#include "shell/app_context.h"
#include "shell/startup.h"
#include "temp_tree.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace k5;
using k5test::TempTree;

namespace {

QString keyFile(const TempTree& t) {
    return keyActionFilePath(t.ctx.folders);
}

TEST(KeyActionFile, LivesInTheMasterFolder) {
    TempTree t;
    EXPECT_EQ(keyFile(t), t.kmd() + QStringLiteral("/MAS/keyact.k5d"));
}

TEST(KeyActionFile, MissingOrEmptyFileIsRecreatedWithZeros) {
    for (bool empty : {false, true}) {
        SCOPED_TRACE(empty ? "empty" : "missing");
        TempTree t;
        if (empty) k5test::writeBytes(keyFile(t), {});
        t.ctx.control.keyAction = {0, 1, 1, 1, 1};
        ensureKeyActionFile(t.ctx.folders, t.ctx.control);
        EXPECT_EQ(k5test::readBytes(keyFile(t)), QByteArray(" 0\r\n 0\r\n 0\r\n"));
        EXPECT_EQ(t.ctx.control.keyAction[kWrapLeftToPreviousRow], 0);
        EXPECT_EQ(t.ctx.control.keyAction[kWrapDownToFirstRow], 0);
        EXPECT_EQ(t.ctx.control.keyAction[kVerticalToColumnOne], 1)
            << "the fourth lives in the control file only";
        EXPECT_TRUE(t.prompt.shown().empty());
    }
}

TEST(KeyActionFile, ExistingFileIsLeftAlone) {
    TempTree t;
    k5test::writeBytes(keyFile(t), " 1\r\n 0\r\n 1\r\n");
    ensureKeyActionFile(t.ctx.folders, t.ctx.control);
    EXPECT_EQ(k5test::readBytes(keyFile(t)), QByteArray(" 1\r\n 0\r\n 1\r\n"));
}

TEST(KeyActionFile, LoadReadsThreeNumbersInOrder) {
    const struct {
        const char* bytes;
        std::array<int, 3> expected;
    } cases[] = {
        {" 1\r\n 0\r\n 1\r\n", {1, 0, 1}},
        {"0\r\n1\r\n1\r\n", {0, 1, 1}}, // no blank before the digit
        {"1 1\n0", {1, 1, 0}},          // blanks and bare line feeds separate too
        {" 1\r\n", {1, 0, 0}},          // a damaged short file reads what it has
        {" 1,0,1\r\n", {1, 0, 1}},      // a list written with commas
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        TempTree t;
        k5test::writeBytes(keyFile(t), c.bytes);
        loadKeyActions(t.ctx.folders, t.ctx.control);
        EXPECT_EQ(t.ctx.control.keyAction[kWrapLeftToPreviousRow], c.expected[0]);
        EXPECT_EQ(t.ctx.control.keyAction[kWrapUpToLastRow], c.expected[1]);
        EXPECT_EQ(t.ctx.control.keyAction[kWrapDownToFirstRow], c.expected[2]);
    }
}

TEST(KeyActionFile, LoadRecreatesAnEmptyFileAndReadsNothing) {
    TempTree t;
    k5test::writeBytes(keyFile(t), {});
    t.ctx.control.keyAction = {0, 1, 1, 1, 0};
    loadKeyActions(t.ctx.folders, t.ctx.control);
    EXPECT_EQ(k5test::readBytes(keyFile(t)), QByteArray(" 0\r\n 0\r\n 0\r\n"));
    EXPECT_EQ(t.ctx.control.keyAction[kWrapUpToLastRow], 0);
}

TEST(KeyActionFile, SaveWritesTheSettingsAndLoadReadsThemBack) {
    TempTree t;
    t.ctx.control.keyAction = {0, 1, 0, 1, 1};
    ASSERT_TRUE(saveKeyActions(t.ctx.folders, t.ctx.control));
    EXPECT_EQ(k5test::readBytes(keyFile(t)), QByteArray(" 1\r\n 0\r\n 1\r\n"));
    t.ctx.control.keyAction = {};
    loadKeyActions(t.ctx.folders, t.ctx.control);
    EXPECT_EQ(t.ctx.control.keyAction, (std::array<int, 5>{0, 1, 0, 1, 0}));
}

} // namespace

namespace {

TEST(KeyActionFile, StartUpEnsuresItAndItWinsOverTheControlFile) {
    TempTree t;
    const QString prg = t.kmd() + QStringLiteral("/K5/PRG");
    t.ctx.control.keyAction = {0, 1, 1, 1, 1};
    saveControlFile(t.ctx.folders, t.ctx.control);
    t.ctx.control = {};
    ASSERT_TRUE(startUp(t.ctx, prg + QStringLiteral("/kamo-k5"), prg).ok);
    EXPECT_EQ(k5test::readBytes(keyFile(t)), QByteArray(" 0\r\n 0\r\n 0\r\n"));
    EXPECT_EQ(t.ctx.control.keyAction, (std::array<int, 5>{0, 0, 0, 0, 1}));

    k5test::writeBytes(keyFile(t), " 1\r\n 1\r\n 0\r\n");
    ASSERT_TRUE(startUp(t.ctx, prg + QStringLiteral("/kamo-k5"), prg).ok);
    EXPECT_EQ(t.ctx.control.keyAction, (std::array<int, 5>{0, 1, 1, 0, 1}));
}

} // namespace
