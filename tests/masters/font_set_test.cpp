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

TEST_F(FontSetTest, SavingStopsAtTheFirstIncompleteRowAndKeepsLaterRecords) {
    QList<FontSetRecord> records = loadFontSet(ctx.folders, ctx.reportFont);
    FontSetRows rows = rowsOf(records);
    rows[0][1] = QStringLiteral("10.5");
    rows[1][1] = QStringLiteral("11.5");
    rows[2][0] = QString();
    ASSERT_TRUE(saveFontSets(ctx.folders, ctx.ask(), rows, 2));

    QByteArray after = readBytes(fontFile());
    EXPECT_EQ(after.left(56), fontRecord("\x82\x6c\x82\x72\x82\x6f\x96\xbe\x92\xa9", 10, 8, 6, 0) +
                                  fontRecord("\x82\x6c\x82\x72\x96\xbe\x92\xa9", 12, 8, 6, 1));
    EXPECT_EQ(after.mid(56), defaults().mid(56)); // records 3 to 8 remain
    loadFontSet(ctx.folders, ctx.reportFont);
    EXPECT_EQ(ctx.reportFont.fontSetInUse, 2);

    for (const char* size : {"0", "", "-3"}) {
        FontSetRows stop = rowsOf(records);
        stop[0][3] = QString::fromLatin1(size);
        ASSERT_TRUE(saveFontSets(ctx.folders, ctx.ask(), stop, 1));
        EXPECT_EQ(readBytes(fontFile()), after) << size;
    }
}

TEST_F(FontSetTest, UsingAnEmptyRowLeavesNoFlagAndTheNextLoadRestoresDefaults) {
    FontSetRows rows = rowsOf(loadFontSet(ctx.folders, ctx.reportFont));
    rows[0][0] = QStringLiteral("ＭＳ明朝ＭＳ明朝ＭＳ明朝"); // 24 bytes: cut to 20, whole characters
    ASSERT_TRUE(saveFontSets(ctx.folders, ctx.ask(), rows, 9));
    EXPECT_EQ(readBytes(fontFile()).left(20),
              QByteArray("\x82\x6c\x82\x72\x96\xbe\x92\xa9\x82\x6c\x82\x72\x96\xbe"
                         "\x92\xa9\x82\x6c\x82\x72"));
    loadFontSet(ctx.folders, ctx.reportFont);
    EXPECT_EQ(readBytes(fontFile()), defaults());
}

TEST_F(FontSetTest, SizesThatAreNotIntegersOfTheFileAreRefused) {
    FontSetRows rows = rowsOf(loadFontSet(ctx.folders, ctx.reportFont));
    struct Case {
        const char* text;
        const char* message;
    };
    for (Case c : {Case{"12pt", "4行目の「一般文字」が数値ではありません：「12pt」\n"
                                "数値を入力してください。登録は行いませんでした。"},
                   Case{"32768", "4行目の「一般文字」が範囲外です：「32768」\n"
                                 "-32768～32767の範囲で入力してください。登録は行いませんでした。"}}) {
        FontSetRows bad = rows;
        bad[3][2] = QString::fromUtf8(c.text);
        EXPECT_FALSE(saveFontSets(ctx.folders, ctx.ask(), bad, 1));
        EXPECT_EQ(tree.prompt.lastText(), QString::fromUtf8(c.message));
        EXPECT_EQ(readBytes(fontFile()), defaults());
    }
    rows[3][2] = QStringLiteral("32767");
    EXPECT_TRUE(saveFontSets(ctx.folders, ctx.ask(), rows, 1));
}
