#include "platform/cp932.h"
#include "platform/file_replace.h"
#include "platform/fixed_text.h"
#include "platform/numbers.h"
#include "platform/record_file.h"
#include "platform/trace.h"
#include "temp_tree.h"

#include <QFile>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace k5;

namespace {

QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}

} // namespace

TEST(Cp932, MapsCharactersAsWindowsDoes) {
    struct Case {
        QString text;
        QByteArray bytes;
    };
    const Case cases[] = {
        {QStringLiteral("A1"), "A1"},
        {QStringLiteral("×"), hex("817e")},  // trail byte equals "~"
        {QStringLiteral("～"), hex("8160")}, // full-width tilde U+FF5E
        {QStringLiteral("＼"), hex("815f")}, // full-width reverse solidus
        {QStringLiteral("①"), hex("8740")},  // NEC extension
        {QStringLiteral("ﾃﾞｰﾀ"), hex("c3deb0c0")},
        {QStringLiteral("基礎"), hex("8aee9162")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toCp932(c.text), c.bytes) << c.text.toStdString();
        EXPECT_EQ(fromCp932(c.bytes), c.text) << c.text.toStdString();
    }
    EXPECT_EQ(toCp932(QStringLiteral("a😀b")), QByteArray("a?b"));
}

// Characters an input method outside Windows gives where Windows gives
// their CP932 twins are stored as the twins, and read back as them.
TEST(Cp932, TakesTheTwinsOfCharactersOtherSystemsType) {
    const std::pair<const char*, const char*> twins[] = {
        {"〜", "～"}, {"−", "－"}, {"‖", "∥"}, {"¢", "￠"}, {"£", "￡"}, {"¬", "￢"}, {"—", "―"},
    };
    for (const auto& [typed, stored] : twins) {
        const QString text = QString::fromUtf8(typed);
        const QString twin = QString::fromUtf8(stored);
        EXPECT_TRUE(cp932CanHold(text)) << typed;
        EXPECT_EQ(toCp932(text), toCp932(twin)) << typed;
        EXPECT_EQ(toCp932(text).size(), 2) << typed;
        EXPECT_EQ(fromCp932(toCp932(text)), twin) << typed;
        EXPECT_EQ(withCp932Twins(QStringLiteral("A") + text + QStringLiteral("基")),
                  QStringLiteral("A") + twin + QStringLiteral("基"));
    }
    const QString name = QStringLiteral("基礎〜A");
    EXPECT_EQ(encodeField(name, 14, Terminator::Tilde),
              encodeField(QStringLiteral("基礎～A"), 14, Terminator::Tilde));
    EXPECT_EQ(cp932Length(name), 7);
    EXPECT_FALSE(cp932CanHold(QStringLiteral("😀〜")));
}

TEST(FixedText, EncodesWithTerminatorAndCutsBetweenCharacters) {
    struct Case {
        QString text;
        int width;
        Terminator terminator;
        QByteArray bytes;
    };
    const Case cases[] = {
        {QStringLiteral("A1"), 14, Terminator::Tilde, "A1~           "},
        {QString(), 6, Terminator::Tilde, "      "},
        {QStringLiteral("   "), 6, Terminator::Tilde, "      "},    // blanks only: never a lone "~"
        {QStringLiteral("ABCDEF"), 6, Terminator::Tilde, "ABCDEF"}, // terminator lost when full
        {QStringLiteral("ABCDEFGH"), 6, Terminator::Tilde, "ABCDEF"},
        {QStringLiteral("SD295"), 8, Terminator::None, "SD295   "},
        {QStringLiteral("基礎基礎基礎基"), 14, Terminator::Tilde, toCp932(QStringLiteral("基礎基礎基礎基"))},
        {QStringLiteral("ab基礎"), 5, Terminator::Tilde, "ab" + toCp932(QStringLiteral("基")) + " "},
        {QStringLiteral("2×3"), 10, Terminator::Tilde, "2" + hex("817e") + "3~     "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(encodeField(c.text, c.width, c.terminator), c.bytes) << c.text.toStdString();
}

TEST(FixedText, DecodesBeforeTerminatorOrTrimmed) {
    struct Case {
        QByteArray field;
        QString text;
    };
    const Case cases[] = {
        {"A1~           ", QStringLiteral("A1")},
        {" A1 ~         ", QStringLiteral(" A1 ")},
        {"~A1           ", QStringLiteral("~A1")}, // "~" first: the trimmed field
        {"  A1          ", QStringLiteral("A1")},
        {"              ", QString()},
        {QByteArray(14, '\0'), QString()}, // past the end of a file
        {"2" + hex("817e") + "3~     ", QStringLiteral("2×3")},
        {toCp932(QStringLiteral("基礎基礎基礎基")), QStringLiteral("基礎基礎基礎基")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decodeField(c.field), c.text) << c.field.toHex().toStdString();
    EXPECT_EQ(decodePlainField("  D19   "), QStringLiteral("D19"));
}

TEST(Numbers, LeadingNumberRule) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"123", 123},
        {"  1 2 3", 123},
        {"\t12\n5", 125},
        {"12.5kN", 12.5},
        {"-3.5", -3.5},
        {"+7", 7},
        {".5", 0.5},
        {"1.2.3", 1.2},
        {"1E3", 1000},
        {"2.5d2", 250},
        {"1e-2x", 0.01},
        {"1e", 1},
        {"1,5", 1},
        {"abc", 0},
        {"", 0},
        {"&H1F", 31},
        {"&hFFFF", -1},
        {"&O17", 15},
        {"- 4", -4},
        {"1e999", 0},
        {"12x3", 12},
        // Full-width forms (a Japanese input method left on) read as ASCII.
        {"３４５", 345},
        {"－１．５", -1.5},
        {"１２３ｋＮ", 123},
        {"＋７　０", 70},
        {"−2", -2},
        {"１Ｅ３", 1000},
        {"１，５", 1},
        // Commas between groups of three digits, as a spreadsheet copies a
        // number, are read past; any other comma ends the number.
        {"1,500", 1500},
        {"12,345.6", 12345.6},
        {"-1,234,567", -1234567},
        {"1,500e2", 150000},
        {"１，５００", 1500},
        {"1,5000", 1},
        {"1234,567", 1234},
        {"12,34,567", 12},
        {",500", 0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(parseLeadingNumber(QString::fromUtf8(c.text)), c.value) << c.text;
    EXPECT_EQ(asciiNumberText(QStringLiteral("－１．５ｍｍ")), QStringLiteral("-1.5mm"));
    EXPECT_EQ(asciiNumberText(QStringLiteral("基礎12")), QStringLiteral("基礎12"));
}

// A comma that groups no digits makes a field's text no number a field may
// store; a whole number is the text and nothing else.
TEST(Numbers, StrayCommasAndWholeNumbers) {
    struct Case {
        const char* text;
        bool strayComma;
        std::optional<double> whole;
    };
    const Case cases[] = {
        {"1,500", false, 1500},         {" 12,345.6 ", false, 12345.6},   {"１，５００", false, 1500},
        {"-2.5E3", false, -2500},       {"1,5", true, std::nullopt},      {"1500,", true, std::nullopt},
        {"12kN,5", true, std::nullopt}, {"1,500,00", true, std::nullopt}, {"12kN", false, std::nullopt},
        {"", false, std::nullopt},      {"&H1F", false, std::nullopt},    {"1e999", false, std::nullopt},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(hasStrayComma(text), c.strayComma) << c.text;
        EXPECT_EQ(parseWholeNumber(text), c.whole) << c.text;
    }
}

TEST(Numbers, GeneralFormatIsShortestWithSevenDigits) {
    struct Case {
        float value;
        const char* text;
    };
    const Case cases[] = {
        {0.0f, "0"},
        {600.0f, "600"},
        {2.4f, "2.4"},
        {0.1f, "0.1"},
        {-12.5f, "-12.5"},
        {1234567.0f, "1234567"},
        {123456.7f, "123456.7"},
        {1.0f / 3.0f, "0.3333333"},
        {12345678.0f, "1.234568E+07"},
        {0.00001f, "0.00001"},
        {1e-7f, "1E-07"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatGeneral(c.value).toStdString(), c.text);
}

// A printed page writes every number out in position.
TEST(Numbers, PositionalFormNeverUsesAnExponent) {
    const std::pair<double, const char*> cases[] = {{1e30f, "1000000000000000000000000000000"},
                                                    {1.5e10, "15000000000"},
                                                    {558.3333f, "558.3333"},
                                                    {1e-7f, "0.0000001"},
                                                    {-250, "-250"},
                                                    {0, "0"}};
    for (auto [value, text] : cases)
        EXPECT_EQ(formatPositional(value).toStdString(), text) << value;
}

TEST(Numbers, ReportPatternsAndRounding) {
    struct Case {
        double value;
        const char* pattern;
        const char* text;
    };
    const Case cases[] = {
        {1.2345, "###0.000", "1.234"}, // the double just under 1.2345
        {0.0, "###0.000", "0.000"},
        {-2.5, "####0.0", "-2.5"},
        {12.25, "####0.0", "12.3"},
        {2.5, "#0", "3"},
        {3.5, "#0", "4"},
        {0.125f, "##0.00", "0.13"},
        {2.675f, "##0.00", "2.67"}, // the Single 2.67499995...
        {1234567.891, "###########0.00", "1234567.89"},
        {-0.001, "##0.00", "0.00"},
        {99.96, "######0.0", "100.0"},
        {12345678.0f, "#0", "12345678"},
        // A damaged file's huge value keeps the page's pattern: its digits, never an exponent.
        {1e30f, "####0.0", "1000000000000000000000000000000.0"},
        {-3.4e38f, "#0", "-340000000000000000000000000000000000000"},
        {1e16, "###0.000", "10000000000000000.000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatPattern(c.value, QString::fromLatin1(c.pattern)).toStdString(), c.text)
            << c.value << " " << c.pattern;

    const std::pair<double, long long> rounding[] = {{0.5, 0},  {1.5, 2},   {2.5, 2},
                                                     {-0.5, 0}, {-1.5, -2}, {2.6, 3}};
    for (auto [value, rounded] : rounding)
        EXPECT_EQ(cInt(value), rounded) << value;
    EXPECT_EQ(intFloor(-1.5), -2);
    EXPECT_EQ(intFloor(1.99), 1);
    EXPECT_TRUE(fitsInt16(32767.4));
    EXPECT_FALSE(fitsInt16(32767.6));
}

// Values at the rounding edge of every pattern the report prints with, six
// to nine significant digits, as Singles (f) and Doubles: each is rounded
// from its exact binary value, a true tie away from zero. The expected texts
// were worked out in decimal arithmetic from the exact binary values, not by
// this formatter: 3561.07349f is 3561.0734863..., so "3561.073", never the
// "3561.074" of rounding its shortest decimal 3561.0735 once more.
TEST(Numbers, PatternsRoundTheExactStoredValue) {
    struct Case {
        double value;
        const char* pattern;
        const char* text;
    };
    const Case cases[] = {
        {51.9705, "###0.000", "51.971"},
        {766.0495f, "###0.000", "766.049"},
        {6991.5965f, "###0.000", "6991.597"},
        {-14914.0885, "###0.000", "-14914.088"},
        {2144.35, "####0.0", "2144.3"},
        {17747.95f, "####0.0", "17747.9"},
        {761259.95, "####0.0", "761259.9"},
        {1831970.35f, "####0.0", "1831970.4"},
        {-47959.5f, "#0", "-47960"},
        {666950.5, "#0", "666951"},
        {4032085.5f, "#0", "4032086"},
        {59982352.5f, "#0", "59982352"},
        {677.075, "##0.00", "677.08"},
        {-9711.545, "##0.00", "-9711.55"},
        {-86750.585, "##0.00", "-86750.59"},
        {360494.235f, "##0.00", "360494.25"},
        {-688.385, "###########0.00", "-688.38"},
        {8353.365f, "###########0.00", "8353.37"},
        {77100.535, "###########0.00", "77100.54"},
        {-259367.625f, "###########0.00", "-259367.63"},
        {-2271.85, "######0.0", "-2271.8"},
        {-55898.95, "######0.0", "-55898.9"},
        {-172103.15, "######0.0", "-172103.1"},
        {-2090518.05, "######0.0", "-2090518.1"},
        {-46.7335, "####0.000", "-46.733"},
        {-123.9635, "####0.000", "-123.963"},
        {3753.6255, "####0.000", "3753.626"},
        {-17727.2235f, "####0.000", "-17727.223"},
        {-42455.5, "###0", "-42456"},
        {620625.5f, "###0", "620626"},
        {-8536114.5, "###0", "-8536115"},
        {-28377915.5, "###0", "-28377916"},
        {-7804.55f, "###0.0", "-7804.5"},
        {29781.15f, "###0.0", "29781.2"},
        {343224.35, "###0.0", "343224.3"},
        {-4059205.45f, "###0.0", "-4059205.5"},
        {-29094.5, "##0", "-29095"},
        {-739434.5f, "##0", "-739435"},
        {9648511.5, "##0", "9648512"},
        {-85064182.5, "##0", "-85064183"},
        {7536.65, "##0.0", "7536.6"},
        {93137.65f, "##0.0", "93137.6"},
        {-170619.35f, "##0.0", "-170619.3"},
        {2844290.55f, "##0.0", "2844290.5"},
        {10030.5f, "0", "10031"},
        {481272.5f, "0", "481273"},
        {-4488867.5f, "0", "-4488868"},
        {-95149012.5, "0", "-95149013"},
        {6966.75f, "0.0", "6966.8"},
        {-73972.75, "0.0", "-73972.8"},
        {427000.15f, "0.0", "427000.2"},
        {-6748475.45f, "0.0", "-6748475.5"},
        {628.025, "0.00", "628.02"},
        {3401.885, "0.00", "3401.89"},
        {-94268.115, "0.00", "-94268.12"},
        {275156.455, "0.00", "275156.46"},
        {3561.07349f, "###0.000", "3561.073"},
        {-134999.546875, "####0.0", "-134999.5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatPattern(c.value, QString::fromLatin1(c.pattern)).toStdString(), c.text)
            << c.value << " " << c.pattern;
}

TEST(RecordFile, CountsWholeRecordsAndReadsZerosPastEnd) {
    k5test::TempTree tree;
    const QString path = tree.dataFile(QStringLiteral("r.bin"));
    k5test::writeBytes(path, QByteArray("abcdefghij"));
    RecordFile file(path, 4);
    ASSERT_TRUE(file.openReadOnly());
    EXPECT_EQ(file.count(), 2);
    EXPECT_EQ(file.read(2), QByteArray("efgh"));
    EXPECT_EQ(file.read(3), QByteArray("ij\0\0", 4));
    EXPECT_EQ(file.read(9), QByteArray(4, '\0'));
    file.close();
    EXPECT_EQ(RecordFile::countOf(path, 4), 2);
    EXPECT_EQ(RecordFile::countOf(path + "missing", 4), 0);

    RecordWriter w(6);
    w.putInt16(0, -2);
    w.putSingle(2, 1.5f);
    EXPECT_EQ(w.bytes(), hex("feff0000c03f"));
    RecordReader r(w.bytes());
    EXPECT_EQ(r.int16(0), -2);
    EXPECT_EQ(r.single(2), 1.5f);
}

TEST(FileReplace, ReplacesWholeKeepsPermissionsAndLeavesLeadingRecordsTail) {
    k5test::TempTree tree;
    const QString path = tree.dataFile(QStringLiteral("m.k5d"));
    k5test::writeBytes(path, QByteArray("aaaabbbbcc"));
    const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(path, permissions));
    const auto kept = QFile::permissions(path);

    ASSERT_TRUE(replaceLeadingRecords(path, 4, {"XXXX"}));
    EXPECT_EQ(k5test::readBytes(path), QByteArray("XXXXbbbbcc"));
    ASSERT_TRUE(replaceLeadingRecords(path, 4, {"1111", "2222", "3333"}));
    EXPECT_EQ(k5test::readBytes(path), QByteArray("111122223333"));
    ASSERT_TRUE(replaceFile(path, {"new", " content"}));
    EXPECT_EQ(k5test::readBytes(path), QByteArray("new content"));
    EXPECT_EQ(QFile::permissions(path), kept);
    EXPECT_TRUE(k5test::scratchLeftIn(tree.ctx.folders.dataFolder).isEmpty());
}

// A file made read-only is not replaced, as a write in place would not be.
TEST(FileReplace, LeavesAReadOnlyFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes read-only files";
    k5test::TempTree tree;
    const QString path = tree.dataFile(QStringLiteral("m.k5d"));
    k5test::writeBytes(path, QByteArray("new content"));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner));
    EXPECT_FALSE(replaceFile(path, {"other"}));
    EXPECT_EQ(k5test::readBytes(path), QByteArray("new content"));
    EXPECT_TRUE(k5test::scratchLeftIn(tree.ctx.folders.dataFolder).isEmpty());
}

TEST(Trace, AppendsQuotedEntriesInCp932WithCrLf) {
    k5test::TempTree tree;
    const QString path = tree.dataFile(QStringLiteral("runlog.rep"));
    writeTrace(path, QStringLiteral("_000 Start"));
    writeTrace(path, QStringLiteral("_000A 使用ﾎﾙﾀﾞﾘｽﾄ\r\nA"));
    EXPECT_EQ(k5test::readBytes(path), QByteArray("\"_000 Start\"\r\n\"_000A ") +
                                           toCp932(QStringLiteral("使用ﾎﾙﾀﾞﾘｽﾄ")) + "\r\nA\"\r\n");
    writeTrace(QString(), QStringLiteral("ignored")); // no trace file: nothing happens
}
