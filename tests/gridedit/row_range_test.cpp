#include "platform/prompt.h"
#include "shell/row_range.h"

#include <gtest/gtest.h>

using namespace k5;

namespace {

const QString kTail = QStringLiteral("　　　");

struct RangeCase {
    const char* name;
    int first, last, rowCount;
    const char* action; // nullptr: no action text
    bool expected;
    int firstAfter, lastAfter;
    const char* message; // the one message shown, nullptr for none
    Icon icon;
};

const RangeCase kCases[] = {
    {"nothing selected", 0, 0, 5, "データを削除", false, 0, 0,
     "データを削除する範囲が選択されていません　　　", Icon::Warning},
    {"nothing selected, silent", 0, 4, 5, nullptr, false, 0, 0, nullptr, Icon::None},
    {"first beyond the rows", 6, 0, 5, "データを削除", false, 0, 0,
     "データを削除する範囲の指定が不正です　　　", Icon::Error},
    {"first negative", -2, 0, 5, "データを削除", false, 0, 0, "データを削除する範囲の指定が不正です　　　",
     Icon::Error},
    {"first beyond the rows, silent", 6, 2, 5, nullptr, false, 0, 0, nullptr, Icon::None},
    {"last beyond the rows", 2, 6, 5, "データを削除", false, 2, 6, nullptr, Icon::None},
    {"last negative", 2, -1, 5, "データを削除", false, 2, -1, nullptr, Icon::None},
    {"single row, silent", 3, 0, 5, nullptr, true, 3, 3, nullptr, Icon::None},
    {"reversed range, silent", 5, 2, 5, nullptr, true, 2, 5, nullptr, Icon::None},
    {"single row asked", 3, 0, 3, "ｸﾞﾙｰﾌﾟ化", true, 3, 3,
     "3行目のデータをｸﾞﾙｰﾌﾟ化します　　　\nいいですか？　　　", Icon::Information},
    {"reversed range asked in order", 5, 2, 9, "ｸﾞﾙｰﾌﾟ化", true, 2, 5,
     "2行目から5行目のデータをｸﾞﾙｰﾌﾟ化します　　　\nいいですか？　　　", Icon::Information},
    {"group release is cautioned", 12, 10, 20, "現在のグループから解除", true, 10, 12,
     "10行目から12行目のデータを現在のグループから解除します　　　\n\nグループの解除は十分な確認の上、行って"
     "ください"
     "　　　\n解除してもいいですか？　　　",
     Icon::Warning},
};

TEST(ConfirmRowRange, ChecksOrdersAndAsks) {
    for (const RangeCase& c : kCases) {
        SCOPED_TRACE(c.name);
        ScriptedPrompt prompt;
        int first = c.first, last = c.last;
        QString action = c.action ? QString::fromUtf8(c.action) : QString();
        EXPECT_EQ(confirmRowRange(prompt, first, last, c.rowCount, action), c.expected);
        EXPECT_EQ(first, c.firstAfter);
        EXPECT_EQ(last, c.lastAfter);
        if (!c.message) {
            EXPECT_TRUE(prompt.shown().empty());
            continue;
        }
        ASSERT_EQ(prompt.shown().size(), 1u);
        const Message& m = prompt.shown().front();
        EXPECT_EQ(m.text, QString::fromUtf8(c.message));
        EXPECT_EQ(m.icon, c.icon);
        EXPECT_EQ(m.title, kProgramTitle);
        EXPECT_EQ(m.buttons, c.expected ? Buttons::OkCancel : Buttons::Ok);
    }
}

TEST(ConfirmRowRange, CancelRefusesButKeepsTheOrderedRange) {
    ScriptedPrompt prompt;
    prompt.script({Answer::Cancel});
    int first = 4, last = 1;
    EXPECT_FALSE(confirmRowRange(prompt, first, last, 4, QStringLiteral("データを削除")));
    EXPECT_EQ(first, 1);
    EXPECT_EQ(last, 4);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("1行目から4行目のデータをデータを削除します") + kTail +
                                     QStringLiteral("\nいいですか？") + kTail);
}

} // namespace
