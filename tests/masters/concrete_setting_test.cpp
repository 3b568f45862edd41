#include "masters/concrete_setting.h"
#include "masters_fixture.h"

using namespace k5;
using namespace k5test;

TEST_F(MastersTest, ConcreteSettingLoadsTheFileAndRepairsWhatCannotBeRead) {
    struct Case {
        const char* content; // nullptr: no file
        int edition;
        float factorC;
        float factorS;
    };
    for (Case c : {Case{nullptr, 2, 2, 1.5f}, Case{"", 2, 2, 1.5f}, Case{"1 3", 2, 2, 1.5f},
                   Case{"1,3,2.5\r\n", 1, 3, 2.5f}, Case{"3\r\n1.8\r\n1.2\r\n", 3, 1.8f, 1.2f},
                   // An edition the calculation does not know is kept; the window shows the latest.
                   Case{"7 2 1.5\r\n", 7, 2, 1.5f}}) {
        QFile::remove(concreteFile(ctx.folders));
        if (c.content) writeBytes(concreteFile(ctx.folders), c.content);
        ctx.concrete = {0, 0, 0};
        ctx.concrete = loadConcreteSetting(ctx.folders);
        EXPECT_EQ(ctx.concrete.concreteEdition, c.edition) << c.content;
        EXPECT_EQ(ctx.concrete.cgsShortFactorC, c.factorC) << c.content;
        EXPECT_EQ(ctx.concrete.cgsShortFactorS, c.factorS) << c.content;
        ctx.concrete = {0, 0, 0};
        ctx.concrete = loadConcreteSetting(ctx.folders);
        EXPECT_EQ(ctx.concrete.concreteEdition, c.edition) << "the file must now hold what was loaded";
    }
}

TEST_F(MastersTest, ConcreteFieldsThatAreNotNumbersAreRefused) {
    ensureConcreteFile(ctx.folders);
    const QByteArray before = readBytes(concreteFile(ctx.folders));
    EXPECT_FALSE(readConcreteFields(ctx.ask(), 1, QStringLiteral("2倍"), QStringLiteral("1.5")));
    EXPECT_FALSE(readConcreteFields(ctx.ask(), 1, QStringLiteral("2"), QStringLiteral("")));
    EXPECT_EQ(tree.prompt.texts(),
              (QStringList{QStringLiteral("「短期fcの倍率」が数値ではありません：「2倍」\n"
                                          "数値を入力してください。登録は行いませんでした。"),
                           QStringLiteral("「短期fs・faの倍率」が数値ではありません：「」\n"
                                          "数値を入力してください。登録は行いませんでした。")}));
    EXPECT_EQ(readBytes(concreteFile(ctx.folders)), before);

    std::optional<ConcreteSetting> read =
        readConcreteFields(ctx.ask(), 1, QStringLiteral(" 3 "), QStringLiteral("1.25"));
    ASSERT_TRUE(read);
    ctx.concrete = *read;
    ASSERT_TRUE(saveConcreteSetting(ctx.folders, ctx.concrete));
    EXPECT_EQ(readBytes(concreteFile(ctx.folders)), QByteArray("1 3 1.25\r\n"));
}
