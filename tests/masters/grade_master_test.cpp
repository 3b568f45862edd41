#include "masters/grade_master.h"
#include "masters_fixture.h"

using namespace k5;
using namespace k5test;

namespace {

class GradeTest : public MastersTest {
  protected:
    void SetUp() override { ensureGradeFile(ctx.folders); }
    QString gradeFile() const { return ctx.folders.rebarGradeFile; }
    QString youngFile() const { return ctx.folders.youngModulusFile; }
};

QStringList row(const char* material, const char* grade, const char* size, const char* stresses,
                const char* remark = "") {
    QStringList cells{QString::fromUtf8(material), QString::fromUtf8(grade), QString::fromUtf8(size)};
    cells += QString::fromUtf8(stresses).split(u' ');
    cells += QString::fromUtf8(remark);
    return cells;
}

} // namespace

TEST_F(MastersTest, EnsureGradeFileReplacesAFileThatIsNotWholeRecords) {
    struct Case {
        int bytes;
        qint64 sizeAfter;
    };
    for (Case c : {Case{-1, 660}, Case{0, 660}, Case{67, 660}, Case{65, 660}, Case{66, 66}, Case{132, 132}}) {
        const QString file = ctx.folders.rebarGradeFile;
        QFile::remove(file);
        if (c.bytes >= 0) writeBytes(file, QByteArray(c.bytes, ' '));
        ensureGradeFile(ctx.folders);
        EXPECT_EQ(fileSize(file), c.sizeAfter) << c.bytes;
    }
}

TEST_F(GradeTest, DefaultRecordsDecodeToTheTable) {
    QList<GradeRecord> grades = readGradeRecords(ctx.folders);
    ASSERT_EQ(grades.size(), 10);
    const GradeRecord& g = grades[7];
    EXPECT_EQ(g.material, QStringLiteral("高張力異形鉄筋      "));
    EXPECT_EQ(g.gradeName, QStringLiteral("SD345   "));
    EXPECT_EQ(g.sizeClass, kSizeClassFromD29);
    EXPECT_EQ(g.cgsLong, 2000.0f);
    EXPECT_EQ(g.cgsShort, 3500.0f);
    EXPECT_EQ(g.siLong, 195.0f);
    EXPECT_EQ(g.siShort, 345.0f);
    EXPECT_EQ(g.remark, QString());
    EXPECT_EQ(grades[0].sizeClass, kSizeClassAny);
    EXPECT_EQ(grades[2].sizeClass, kSizeClassUpToD25);
}

TEST_F(GradeTest, SavedRowsReadBackWithTheirSizeClassAndRemark) {
    ASSERT_TRUE(saveGradeRows(ctx.folders, ctx.ask(),
                              {row("丸鋼", "SR235", "-", "1600 2400 155 235", "  旧規格  "),
                               row("異形鉄筋", "SD490", "D29以上", "2000 4500 215 490"),
                               row("異形鉄筋", "SD490", "D32", "2000 4500 215 490")}));
    QList<GradeRecord> grades = readGradeRecords(ctx.folders);
    ASSERT_EQ(grades.size(), 10);
    EXPECT_EQ(grades[0].remark, QStringLiteral("旧規格"));
    EXPECT_EQ(grades[1].gradeName, QStringLiteral("SD490   "));
    EXPECT_EQ(grades[1].sizeClass, kSizeClassFromD29);
    EXPECT_EQ(grades[1].siShort, 490.0f);
    EXPECT_EQ(grades[2].sizeClass, kSizeClassUnrecognised);
    EXPECT_FALSE(listBarGrades(ctx.folders).contains(QStringLiteral("SD490   "))); // classes 2 and −1 only
    EXPECT_EQ(sizeClassText(kSizeClassUnrecognised), QStringLiteral("-"));
}

TEST_F(GradeTest, AStressOfZeroEndsTheSaveAndLaterRecordsStay) {
    const QByteArray before = readBytes(gradeFile());
    GradeRows rows;
    for (int i = 0; i < 10; ++i)
        rows.append(row("材料", "SD999", "D25以下", "1 2 3 4"));
    rows[4][5] = QStringLiteral("0");
    ASSERT_TRUE(saveGradeRows(ctx.folders, ctx.ask(), rows));

    QByteArray after = readBytes(gradeFile());
    EXPECT_EQ(readGradeRecords(ctx.folders)[3].gradeName, QStringLiteral("SD999   "));
    EXPECT_EQ(after.mid(4 * 66), before.mid(4 * 66));
}

TEST_F(GradeTest, GradeListHoldsEachGradeOnceByItsClass0Or1Record) {
    EXPECT_EQ(
        listBarGrades(ctx.folders),
        (QStringList{QStringLiteral("SR235   "), QStringLiteral("SR295   "), QStringLiteral("SD235   "),
                     QStringLiteral("SD295   "), QStringLiteral("SD345   "), QStringLiteral("SD390   ")}));
    GradeRows rows;
    for (const GradeRecord& g : readGradeRecords(ctx.folders))
        rows.append({g.material, g.gradeName,
                     g.gradeName.startsWith(QStringLiteral("SD345")) ? QStringLiteral("D29以上")
                                                                     : sizeClassText(g.sizeClass),
                     QString::number(g.cgsLong), QString::number(g.cgsShort), QString::number(g.siLong),
                     QString::number(g.siShort), g.remark});
    ASSERT_TRUE(saveGradeRows(ctx.folders, ctx.ask(), rows));
    EXPECT_FALSE(listBarGrades(ctx.folders).contains(QStringLiteral("SD345   ")));
    EXPECT_EQ(listBarGrades(ctx.folders).size(), 5);

    QFile::remove(gradeFile());
    EXPECT_EQ(listBarGrades(ctx.folders).size(), 6); // a missing file is made first
}

TEST_F(GradeTest, YoungsModulusFileIsRepairedWhenItCannotBeRead) {
    struct Case {
        const char* content; // nullptr: no file
        float si;
        float cgs;
    };
    for (Case c : {Case{nullptr, 205000, 2100}, Case{"", 205000, 2100}, Case{"210000", 205000, 2100},
                   Case{" 200000 , 2050\r\n", 200000, 2050}, Case{"200000\r\n2050\r\n", 200000, 2050}}) {
        QFile::remove(youngFile());
        if (c.content) writeBytes(youngFile(), c.content);
        YoungModulus young = loadYoung(ctx.folders);
        EXPECT_EQ(young.si, c.si) << c.content;
        EXPECT_EQ(young.cgs, c.cgs) << c.content;
        YoungModulus reread = loadYoung(ctx.folders);
        EXPECT_EQ(reread.si, c.si) << "the file must now hold what was shown";
    }
    ASSERT_TRUE(saveYoung(ctx.folders, {206000.5f, 2.1e3f}));
    EXPECT_EQ(readBytes(youngFile()), QByteArray("206000.5 2100\r\n"));
}

TEST_F(GradeTest, RegisteringRefusesNonNumbersAndSavesNeitherFile) {
    ensureYoungFile(ctx.folders);
    const QByteArray grades = readBytes(gradeFile());
    const QByteArray young = readBytes(youngFile());
    GradeRows rows{row("丸鋼", "SR999", "-", "1 2 3 4")};

    EXPECT_FALSE(saveGradeMaster(ctx.folders, ctx.ask(), rows, QStringLiteral("２０万"),
                                 QStringLiteral("2100")));
    EXPECT_EQ(tree.prompt.lastText(),
              QStringLiteral("「ヤング係数（SI単位）」が数値ではありません：「２０万」\n"
                             "数値を入力してください。登録は行いませんでした。"));
    EXPECT_FALSE(saveGradeMaster(ctx.folders, ctx.ask(), rows, QStringLiteral("205000"), QStringLiteral("")));
    rows[0][6] = QStringLiteral("4x");
    EXPECT_FALSE(
        saveGradeMaster(ctx.folders, ctx.ask(), rows, QStringLiteral("205000"), QStringLiteral("2100")));
    EXPECT_TRUE(tree.prompt.lastText().startsWith(QStringLiteral("1行目の「短期(SI)」が数値ではありません")));
    EXPECT_EQ(tree.prompt.shown().size(), 3u);
    EXPECT_EQ(readBytes(gradeFile()), grades);
    EXPECT_EQ(readBytes(youngFile()), young);

    rows[0][6] = QStringLiteral("４"); // full-width digits are digits
    EXPECT_TRUE(
        saveGradeMaster(ctx.folders, ctx.ask(), rows, QStringLiteral(" 1.5E5 "), QStringLiteral("２０００")));
    EXPECT_EQ(readGradeRecords(ctx.folders)[0].gradeName, QStringLiteral("SR999   "));
    EXPECT_EQ(loadYoung(ctx.folders).si, 150000.0f);
    EXPECT_EQ(loadYoung(ctx.folders).cgs, 2000.0f);
}
