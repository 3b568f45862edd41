#include "masters/bar_size_master.h"
#include "masters/master_file.h"
#include "masters_fixture.h"

#include <optional>
#include <utility>

using namespace k5;
using namespace k5test;

namespace {

const QString D = QStringLiteral("D");
const QString R = QStringLiteral("R");

QByteArray barRecord(const char* name, float area, float perimeter) {
    RecordWriter w(kBarSizeRecordLength);
    w.putBytes(0, QByteArray(name).leftJustified(4, ' ', true));
    w.putSingle(4, area);
    w.putSingle(8, perimeter);
    return w.bytes();
}

class BarSizeTest : public MastersTest {
  protected:
    void SetUp() override {
        ensureBarSizeFile(ctx.folders, D);
        ensureBarSizeFile(ctx.folders, R);
    }
    QString deformedFile() const { return barSizeFile(ctx.folders, D); }
};

} // namespace

TEST_F(MastersTest, EnsureBarSizeFileKeepsAFileOfOneRecordAndReplacesLess) {
    struct Case {
        int bytes;
        qint64 sizeAfter;
    };
    // The count is the length over 12 rounded: 5 bytes hold no record, 12 one.
    for (Case c : {Case{-1, 168}, Case{0, 168}, Case{5, 168}, Case{12, 12}, Case{30, 30}}) {
        const QString file = barSizeFile(ctx.folders, D);
        QFile::remove(file);
        if (c.bytes >= 0) writeBytes(file, barRecord("D99", 1, 1).repeated(3).left(c.bytes));
        ensureBarSizeFile(ctx.folders, D);
        EXPECT_EQ(fileSize(file), c.sizeAfter) << c.bytes;
    }
}

TEST_F(BarSizeTest, FindBarSizeLooksUpTheKindsFileByItsFirstLetter) {
    struct Case {
        const char* size;
        float area;
        float perimeter;
    };
    for (Case c :
         {Case{"D25", 5.07f, 8}, Case{"R9", 0.64f, 2.83f}, Case{"D10", 0.713f, 3}, Case{"D51", 20.3f, 16},
          Case{"R32", 8.04f, 10.05f}, Case{"D20", -9999, -9999}, Case{"R10", -9999, -9999},
          // Any letter but "D" means the round-bar file: "9" is found in R9 first.
          Case{"9", 0.64f, 2.83f}, Case{"X9", -9999, -9999}, Case{"d25", -9999, -9999},
          Case{"", -9999, -9999}}) {
        BarSizeData found = findBarSize(ctx.folders, QString::fromLatin1(c.size));
        EXPECT_EQ(found.area, c.area) << c.size;
        EXPECT_EQ(found.perimeter, c.perimeter) << c.size;
    }
}

TEST_F(BarSizeTest, FindBarSizeTakesTheFirstNameThatContainsTheRequest) {
    writeBytes(deformedFile(), barRecord("D1", 1, 1) + barRecord(" D13", 2, 2) + barRecord("D13", 3, 3));
    EXPECT_EQ(findBarSize(ctx.folders, QStringLiteral("D13")).area, 2.0f); // "D1" does not contain "D13"
    EXPECT_EQ(findBarSize(ctx.folders, QStringLiteral("D1")).area, 1.0f);

    writeBytes(deformedFile(), barRecord("D13", 2, 2) + barRecord("D1", 1, 1));
    EXPECT_EQ(findBarSize(ctx.folders, QStringLiteral("D1")).area, 2.0f); // "D13" contains "D1"
}

TEST_F(BarSizeTest, ListsHoldSizesFrom9mmAsStored) {
    QStringList deformed = listBarSizes(ctx.folders, D);
    ASSERT_EQ(deformed.size(), 12);
    EXPECT_EQ(deformed.first(), QStringLiteral("D10 "));
    EXPECT_EQ(deformed.last(), QStringLiteral("D51 "));
    QStringList round = listBarSizes(ctx.folders, R);
    ASSERT_EQ(round.size(), 9);
    EXPECT_EQ(round.first(), QStringLiteral("R9  "));
    EXPECT_EQ(round.last(), QStringLiteral("R32 "));

    struct Case {
        QStringList items;
        const char* text;
        int index;
    };
    for (const Case& c : {Case{deformed, "D13", 1}, Case{deformed, " D51 ", 11}, Case{deformed, "D20", 0},
                          Case{deformed, "", 0}, Case{{}, "D13", -1}})
        EXPECT_EQ(findListIndex(c.items, QString::fromLatin1(c.text)), c.index) << c.text;
}

TEST_F(BarSizeTest, SavingStopsAtTheFirstIncompleteRowAndKeepsLaterRecords) {
    const QByteArray before = readBytes(deformedFile());
    BarSizeRows rows = {{QStringLiteral("d6"), QStringLiteral("0.5"), QStringLiteral("2")},
                        {QStringLiteral("D8"), QStringLiteral("0.6 "), QStringLiteral("2.5")},
                        {QString(), QStringLiteral("1"), QStringLiteral("1")},
                        {QStringLiteral("D99"), QStringLiteral("9"), QStringLiteral("9")}};
    ASSERT_TRUE(saveBarSizeRows(ctx.folders, ctx.ask(), D, rows));

    QByteArray after = readBytes(deformedFile());
    ASSERT_EQ(after.size(), 168);
    EXPECT_EQ(after.left(24), barRecord("d6", 0.5f, 2) + barRecord("D8", 0.6f, 2.5f)); // typed case kept
    EXPECT_EQ(after.mid(24), before.mid(24));

    for (const char* zeroCell : {"0", ""}) {
        BarSizeRows stop = {{QStringLiteral("D6"), QString::fromLatin1(zeroCell), QStringLiteral("2")}};
        ASSERT_TRUE(saveBarSizeRows(ctx.folders, ctx.ask(), D, stop));
        EXPECT_EQ(readBytes(deformedFile()), after) << zeroCell;
    }
}

TEST_F(BarSizeTest, SavingKeepsRecordsBeyondTheGrid) {
    QByteArray longFile = readBytes(deformedFile()) + barRecord("D57", 25.5f, 18);
    writeBytes(deformedFile(), longFile);
    BarSizeRows rows;
    for (const BarSizeRecord& r : readBarSizes(ctx.folders, D).mid(0, barSizeRowCount(D)))
        rows.append({r.sizeName, QString::number(r.area * 2), QString::number(r.perimeter)});
    ASSERT_TRUE(saveBarSizeRows(ctx.folders, ctx.ask(), D, rows));

    QList<BarSizeRecord> saved = readBarSizes(ctx.folders, D);
    ASSERT_EQ(saved.size(), 15);
    EXPECT_FLOAT_EQ(saved[13].area, 40.6f);
    EXPECT_EQ(saved[14].sizeName, QStringLiteral("D57 "));
    EXPECT_EQ(saved[14].area, 25.5f);
}

TEST_F(BarSizeTest, ANumericCellThatIsNotANumberRefusesTheWholeSave) {
    const QByteArray before = readBytes(deformedFile());
    BarSizeRows rows = {{QStringLiteral("D6"), QStringLiteral("0.5"), QStringLiteral("2")},
                        {QStringLiteral("D8"), QStringLiteral("0.5"), QStringLiteral("2,5")}};
    EXPECT_FALSE(saveBarSizeRows(ctx.folders, ctx.ask(), D, rows));
    EXPECT_EQ(readBytes(deformedFile()), before);
    ASSERT_EQ(tree.prompt.shown().size(), 1u);
    EXPECT_EQ(tree.prompt.shown()[0].icon, Icon::Warning);
    EXPECT_EQ(tree.prompt.lastText(), QStringLiteral("2行目の「ψ(cm)」が数値ではありません：「2,5」\n"
                                                     "数値を入力してください。登録は行いませんでした。"));
}

// A number typed into a master grid or field is read by the input fields'
// rule: digit groups as the number they write, anything else refused.
TEST(MasterNumbers, DigitGroupsAreReadAndOtherCommasRefused) {
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"1,500", 1500},        {"12,345.6", 12345.6}, {"１，５００", 1500},     {" 2.87 ", 2.87},
        {"1.5E3", 1500},        {"1,5", std::nullopt}, {"1234,5", std::nullopt}, {"12kN", std::nullopt},
        {"&H10", std::nullopt}, {"", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(k5::strictNumber(QString::fromUtf8(text)), expected) << text;
}
