#include "masters/font_set.h"
#include "masters_fixture.h"

using namespace k5;
using namespace k5test;

namespace {

QByteArray fontRecord(const char* face, int title, int body, int small, int inUse) {
    RecordWriter w(kFontSetRecordLength);
    w.putBytes(0, QByteArray(face).leftJustified(20, ' ', true));
    w.putInt16(20, title);
    w.putInt16(22, body);
    w.putInt16(24, small);
    w.putInt16(26, inUse);
    return w.bytes();
}

class FontSetTest : public MastersTest {
  protected:
    QString fontFile() const { return ctx.folders.fontFile; }
    QByteArray defaults() const { return golden(QStringLiteral("m_font.k5d")); }
    // The default file with only record `flagged` in use (0: none).
    QByteArray defaultsFlagging(std::initializer_list<int> flagged) const {
        QByteArray bytes = defaults();
        for (int n = 1; n <= 8; ++n)
            bytes[(n - 1) * 28 + 26] = 0;
        for (int n : flagged)
            bytes[(n - 1) * 28 + 26] = 1;
        return bytes;
    }
    FontSetRows rowsOf(const QList<FontSetRecord>& records) const {
        FontSetRows rows;
        for (const FontSetRecord& r : records)
            rows.append({r.faceName, QString::number(r.titleSize), QString::number(r.bodySize),
                         QString::number(r.smallSize)});
        while (rows.size() < kFontSetGridRows)
            rows.append({QString(), QString(), QString(), QString()});
        return rows;
    }
};

} // namespace

TEST_F(FontSetTest, AMissingOrShortFileGivesTheDefaultSets) {
    for (int bytes : {-1, 0, 14}) {
        QFile::remove(fontFile());
        if (bytes >= 0) writeBytes(fontFile(), defaults().left(bytes));
        ctx.reportFont = {};
        QList<FontSetRecord> records = loadFontSet(ctx.folders, ctx.reportFont);
        EXPECT_EQ(readBytes(fontFile()), defaults()) << bytes;
        EXPECT_EQ(records.size(), 8);
        EXPECT_EQ(ctx.reportFont.fontSetInUse, 1);
        EXPECT_EQ(ctx.reportFont.reportFaceName, QStringLiteral("ＭＳＰ明朝"));
        EXPECT_EQ(ctx.reportFont.largeSize, 12);
        EXPECT_EQ(ctx.reportFont.bodySize, 8);
        EXPECT_EQ(ctx.reportFont.smallSize, 6);
    }
}

TEST_F(FontSetTest, TheLastFlaggedRecordIsTheSetInUse) {
    writeBytes(fontFile(), defaultsFlagging({5}));
    QList<FontSetRecord> records = loadFontSet(ctx.folders, ctx.reportFont);
    EXPECT_EQ(ctx.reportFont.fontSetInUse, 5);
    EXPECT_EQ(ctx.reportFont.largeSize, 14);
    EXPECT_EQ(ctx.reportFont.bodySize, 10);
    EXPECT_EQ(ctx.reportFont.smallSize, 8);
    EXPECT_EQ(records[4].faceName, QStringLiteral("ＭＳＰ明朝          ")); // as stored, for the table

    writeBytes(fontFile(), defaultsFlagging({2, 7}));
    loadFontSet(ctx.folders, ctx.reportFont);
    EXPECT_EQ(ctx.reportFont.fontSetInUse, 7);
    EXPECT_EQ(ctx.reportFont.reportFaceName, QStringLiteral("ＭＳＰゴシック"));
}

TEST_F(FontSetTest, AFileWithoutAFlaggedRecordIsReplacedByTheDefaults) {
    writeBytes(fontFile(), defaultsFlagging({}) + fontRecord("IPAGothic", 20, 10, 5, 0));
    QList<FontSetRecord> records = loadFontSet(ctx.folders, ctx.reportFont);
    EXPECT_EQ(readBytes(fontFile()), defaults());
    EXPECT_EQ(records.size(), 8); // the table shows the defaults, not the old rows
    EXPECT_EQ(ctx.reportFont.fontSetInUse, 1);
}

TEST_F(FontSetTest, SavingStopsAtTheFirstEmptyRowAndKeepsLaterRecords) {
    QList<FontSetRecord> records = loadFontSet(ctx.folders, ctx.reportFont);
    FontSetRows rows = rowsOf(records);
    rows[0][1] = QStringLiteral("10.5");
    rows[1][1] = QStringLiteral("11.5");
    for (qsizetype r = 2; r < rows.size(); ++r)
        rows[r] = QStringList{QString(), QString(), QString(), QString()};
    ASSERT_TRUE(saveFontSets(ctx.folders, ctx.ask(), rows, 2));

    QByteArray after = readBytes(fontFile());
    EXPECT_EQ(after.left(56), fontRecord("\x82\x6c\x82\x72\x82\x6f\x96\xbe\x92\xa9", 10, 8, 6, 0) +
                                  fontRecord("\x82\x6c\x82\x72\x96\xbe\x92\xa9", 12, 8, 6, 1));
    EXPECT_EQ(after.mid(56), defaults().mid(56)); // records 3 to 8 remain
    loadFontSet(ctx.folders, ctx.reportFont);
    EXPECT_EQ(ctx.reportFont.fontSetInUse, 2);
}

TEST_F(FontSetTest, AFaceLongerThanItsFieldIsCutBetweenCharacters) {
    FontSetRows rows = rowsOf(loadFontSet(ctx.folders, ctx.reportFont));
    rows[0][0] = QStringLiteral("ＭＳ明朝ＭＳ明朝ＭＳ明朝"); // 24 bytes: cut to 20, whole characters
    ASSERT_TRUE(saveFontSets(ctx.folders, ctx.ask(), rows, 1));
    EXPECT_EQ(readBytes(fontFile()).left(20),
              QByteArray("\x82\x6c\x82\x72\x96\xbe\x92\xa9\x82\x6c\x82\x72\x96\xbe"
                         "\x92\xa9\x82\x6c\x82\x72"));
}

// A row that cannot be stored is named, never dropped in silence, and the
// file stays as it was.
TEST_F(FontSetTest, ARowThatCannotBeStoredIsNamed) {
    const FontSetRows rows = rowsOf(loadFontSet(ctx.folders, ctx.reportFont));
    const QString notSaved = QStringLiteral("登録は行いませんでした。");
    const QString range = QStringLiteral("\n4～72の範囲で入力してください。") + notSaved;
    struct Case {
        int row, column;
        QString text;
        int inUse;
        QString message;
    };
    const QList<Case> cases{
        {1, 3, "-5", 1, "1行目の「添字」が範囲外です：「-5」" + range},
        {2, 1, "0", 1, "2行目の「ﾀｲﾄﾙ文字」が範囲外です：「0」" + range},
        {4, 2, "73", 1, "4行目の「一般文字」が範囲外です：「73」" + range},
        {4, 2, "32768", 1, "4行目の「一般文字」が範囲外です：「32768」" + range},
        {4, 2, "12pt", 1,
         "4行目の「一般文字」が数値ではありません：「12pt」\n数値を入力してください。" + notSaved},
        {1, 3, "", 1, "1行目の「添字」が空欄です。" + range},
        {3, 0, "", 1, "3行目の「フォント」が空欄です。\nフォントを指定してください。" + notSaved},
        {1, 1, "12", 9,
         "使用するフォントセット（9行目）が空欄です。\n"
         "フォントとサイズを入力するか、別の行を「このﾌｫﾝﾄｾｯﾄを使う」で指定してください。" +
             notSaved},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(qPrintable(c.message));
        FontSetRows bad = rows;
        bad[c.row - 1][c.column] = c.text;
        EXPECT_FALSE(saveFontSets(ctx.folders, ctx.ask(), bad, c.inUse));
        EXPECT_EQ(tree.prompt.lastText(), c.message);
        EXPECT_EQ(readBytes(fontFile()), defaults());
    }
    FontSetRows gap = rows;
    gap[2] = QStringList{QString(), QString(), QString(), QString()};
    EXPECT_FALSE(saveFontSets(ctx.folders, ctx.ask(), gap, 1));
    EXPECT_EQ(tree.prompt.lastText(),
              "3行目が空欄のため、4行目は登録できません。\n空欄の行を詰めてください。" + notSaved);

    FontSetRows edges = rows;
    edges[3][2] = QStringLiteral("４"); // full-width digits are digits
    edges[3][1] = QStringLiteral("72");
    EXPECT_TRUE(saveFontSets(ctx.folders, ctx.ask(), edges, 1));
    EXPECT_EQ(loadFontSet(ctx.folders, ctx.reportFont)[3].bodySize, 4);
}
