#include "input/common_values_form.h"
#include "input/rebar_lists.h"
#include "platform/prompt.h"

#include <gtest/gtest.h>

using namespace k5;

namespace {

CommonValues previous() {
    CommonValues v = defaultCommonValues(1);
    v.edgx = 81, v.edgy = 82, v.pitchx = 201, v.pitchy = 202, v.nx = 3, v.ny = 4, v.priority = 3;
    return v;
}

CommonValuesEntry typed() {
    CommonValuesEntry e = commonValuesEntry(defaultCommonValues(1));
    e.edgx = "70", e.edgy = "75", e.pitchx = "150", e.pitchy = "160", e.nx = "5", e.ny = "6";
    e.priorityIndex = 0;
    return e;
}

TEST(CommonValuesForm, TakesEveryValueOfACompleteEntry) {
    ScriptedPrompt prompt;
    CommonValuesEntry e = typed();
    e.fe = " 150kN", e.Pe = "650.5", e.pfai = " 400 ", e.barGrade = "SD345   ", e.barSize = "D22 ";
    e.nx = "2.5", e.ny = "3.5", e.Wc = "23.5";
    CommonValues v = previous();
    EXPECT_TRUE(collectCommonValues(e, v, prompt));
    EXPECT_TRUE(prompt.texts().isEmpty());
    EXPECT_EQ(v.fe, 150.0f);
    EXPECT_EQ(v.Pe, 650.5f);
    EXPECT_EQ(v.pfai, 400.0f);
    EXPECT_EQ(v.barGrade, "SD345");
    EXPECT_EQ(v.barSize, "D22");
    EXPECT_EQ(v.Wc, 23.5f);
    EXPECT_EQ(v.edgx, 70);
    EXPECT_EQ(v.pitchy, 160);
    EXPECT_EQ(v.nx, 2); // halves to even
    EXPECT_EQ(v.ny, 4);
    EXPECT_EQ(v.priority, 1);
}

// The first refused arrangement value is reported once; it and every value
// after it keep what the copy held.
TEST(CommonValuesForm, TheFirstRefusedArrangementValueEndsTheCollection) {
    struct Case {
        const char* field;
        const char* text;
        const char* message;
        int keptFrom; // index into edgx, edgy, pitchx, pitchy, nx, ny, priority
    };
    const Case cases[] = {
        {"edgx", "0", "<端空きx>の入力値が0または0以下になっている　　　", 0},
        {"edgy", "-5", "<端空きy>の入力値が0または0以下になっている　　　", 1},
        {"pitchx", "", "<@x>の入力値が0または0以下になっている　　　", 2},
        {"pitchy", "abc", "<@y>の入力値が0または0以下になっている　　　", 3},
        {"nx", "0.4", "<nx>の入力値が0または0以下になっている　　　", 4},
        {"ny", "0.5", "<ny>の入力値が0または0以下になっている　　　", 5},
        {"priority", "", "<配筋決定>で優先項目が選択されていない　　　", 6},
        {"edgx", "40000", "<端空きx>の入力値が大きすぎる　　　", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field + std::string(" = ") + c.text);
        CommonValuesEntry e = typed();
        const QString field = QString::fromUtf8(c.field);
        QString* target = field == "edgx"     ? &e.edgx
                          : field == "edgy"   ? &e.edgy
                          : field == "pitchx" ? &e.pitchx
                          : field == "pitchy" ? &e.pitchy
                          : field == "nx"     ? &e.nx
                          : field == "ny"     ? &e.ny
                                              : nullptr;
        if (target)
            *target = QString::fromUtf8(c.text);
        else
            e.priorityIndex = -1;
        ScriptedPrompt prompt;
        CommonValues v = previous();
        EXPECT_FALSE(collectCommonValues(e, v, prompt));
        ASSERT_EQ(prompt.shown().size(), 1u);
        EXPECT_EQ(prompt.lastText(), QString::fromUtf8(c.message));
        EXPECT_EQ(prompt.shown().front().icon, Icon::Error);

        const CommonValues before = previous();
        const int got[] = {v.edgx, v.edgy, v.pitchx, v.pitchy, v.nx, v.ny, v.priority};
        const int old[] = {before.edgx, before.edgy, before.pitchx,  before.pitchy,
                           before.nx,   before.ny,   before.priority};
        const int fresh[] = {70, 75, 150, 160, 5, 6, 1};
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(got[i], i < c.keptFrom ? fresh[i] : old[i]) << "value " << i;
        EXPECT_EQ(v.fe, 200.0f); // the values before the arrangement are taken
    }
}

TEST(CommonValuesForm, APileValueThatIsNoNumberKeepsItsPreviousValue) {
    ScriptedPrompt prompt;
    CommonValuesEntry e = typed();
    e.Pe = "八百";
    e.pfai = "";
    e.fe = "180";
    CommonValues v = previous();
    v.Pe = 777;
    v.pfai = 333;
    EXPECT_FALSE(collectCommonValues(e, v, prompt));
    EXPECT_EQ(prompt.texts(), QStringList({"<杭の支持力 Pe>の入力値が数値になっていない　　　",
                                           "<杭径>の入力値が数値になっていない　　　"}));
    EXPECT_EQ(v.Pe, 777.0f);
    EXPECT_EQ(v.pfai, 333.0f);
    EXPECT_EQ(v.fe, 180.0f);
    EXPECT_EQ(v.nx, 5); // the rest is still collected

    // Full-width digits (an input method left on) are digits.
    prompt.clear();
    e.Pe = "８００．５";
    e.pfai = "　６００";
    QString refused;
    EXPECT_TRUE(collectCommonValues(e, v, prompt, &refused));
    EXPECT_EQ(v.Pe, 800.5f);
    EXPECT_EQ(v.pfai, 600.0f);
    EXPECT_TRUE(refused.isEmpty());
    e.edgy = "0";
    EXPECT_FALSE(collectCommonValues(e, v, prompt, &refused));
    EXPECT_EQ(refused, "edgy"); // the first refused value, for the focus
}

// Commas between digit groups are read in every number of the form; any
// other comma is refused with the field named and keeps the previous value.
TEST(CommonValuesForm, CommasGroupDigitsOrAreRefused) {
    ScriptedPrompt prompt;
    CommonValuesEntry e = typed();
    e.Pe = "1,500";
    e.fe = "１，２００";
    e.h2 = "1,5";
    e.pfai = "6,00";
    CommonValues v = previous();
    v.h2 = 777;
    v.pfai = 333;
    EXPECT_FALSE(collectCommonValues(e, v, prompt));
    EXPECT_EQ(v.Pe, 1500.0f);
    EXPECT_EQ(v.fe, 1200.0f);
    EXPECT_EQ(v.h2, 777.0f);
    EXPECT_EQ(v.pfai, 333.0f);
    ASSERT_EQ(prompt.texts().size(), 2);
    EXPECT_TRUE(prompt.texts()[0].startsWith("<杭径>の入力値「6,00」を数値として読めません"));
    EXPECT_TRUE(prompt.texts()[1].startsWith("<GLからの深さ h2>の入力値「1,5」を数値として読めません"));
}

// A number beyond the range of a Single cannot be stored: it is reported
// and the field keeps its previous value; the others are taken.
TEST(CommonValuesForm, ANumberBeyondASingleKeepsItsPreviousValue) {
    ScriptedPrompt prompt;
    CommonValuesEntry e = typed();
    e.fe = "1e39", e.Pe = "1E39", e.Wc = "-1D40", e.Fc = "3.4e38";
    CommonValues v = previous();
    EXPECT_FALSE(collectCommonValues(e, v, prompt));
    EXPECT_EQ(prompt.texts(), QStringList({"<地耐力 Fe>の入力値が大きすぎる　　　",
                                           "<杭の支持力 Pe>の入力値が大きすぎる　　　",
                                           "<コンクリート単位重量 Wc>の入力値が大きすぎる　　　"}));
    EXPECT_EQ(v.fe, 200.0f);
    EXPECT_EQ(v.Pe, 800.0f);
    EXPECT_EQ(v.Wc, 24.0f);
    EXPECT_EQ(v.Fc, 3.4e38f);
    EXPECT_EQ(v.edgx, 70); // the arrangement is still collected
}

TEST(CommonValuesForm, ShowsNumbersInTheirShortestFormAndCaptionsByUnit) {
    const CommonValuesEntry cgs = commonValuesEntry(defaultCommonValues(2));
    EXPECT_EQ(cgs.Wc, "2.4");
    EXPECT_EQ(cgs.Fc, "240");
    EXPECT_EQ(cgs.priorityIndex, 1);
    CommonValues odd = defaultCommonValues(1);
    odd.priority = 0;
    EXPECT_EQ(commonValuesEntry(odd).priorityIndex, -1);

    EXPECT_EQ(commonValuesUnitCaptions(1).unitLabel, "単位 ： SI単位");
    EXPECT_EQ(commonValuesUnitCaptions(1).fe, "kN/m2");
    EXPECT_EQ(commonValuesUnitCaptions(2).unitLabel, "単位 ： CGS単位");
    EXPECT_EQ(commonValuesUnitCaptions(2).Fc, "kg/cm2");
    EXPECT_EQ(commonValuesUnitCaptions(2).Ws, "t/m3");
}

TEST(RebarLists, GradeKindAndListChoice) {
    EXPECT_EQ(barKindOfGrade("SD345"), "D");
    EXPECT_EQ(barKindOfGrade("SR235"), "R");
    EXPECT_EQ(barKindOfGrade(""), "R");

    const QStringList sizes{"D10 ", "D13 ", "D16 "};
    QString stored = "D13";
    EXPECT_EQ(chooseListItem(sizes, stored), 1);
    stored = "D51";
    EXPECT_EQ(chooseListItem(sizes, stored), 0);
    EXPECT_EQ(stored, "D51"); // kept until the values are collected
    stored = "no";
    EXPECT_EQ(chooseListItem(sizes, stored), 0);
    EXPECT_EQ(stored, "D10");
    stored = "no";
    EXPECT_EQ(chooseListItem({}, stored), -1);
}

} // namespace
