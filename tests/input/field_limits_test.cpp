#include "input/field_limits.h"
#include "platform/fixed_text.h"

#include <gtest/gtest.h>

using namespace k5;

TEST(FieldLimits, ATextFitsWhenTheJobCanStoreItUnchanged) {
    const struct {
        QString text;
        int maxBytes;
        TextFit fit;
    } cases[] = {
        {QStringLiteral("ABCDEFGHIJKLMN"), 14, TextFit::Fits},
        {QStringLiteral("基礎ABCDEFGHIJ"), 14, TextFit::Fits},     // 4 + 10 bytes
        {QStringLiteral("基礎ABCDEFGHIJK"), 14, TextFit::TooLong}, // 15 bytes
        {QStringLiteral("ｱｲｳｴｵｶｷｸｹｺｻｼｽｾ"), 14, TextFit::Fits},     // half-width kana take one byte
        {QStringLiteral("〜①髙－"), 14, TextFit::Fits},            // forms CP932 holds
        {QStringLiteral("A~B"), 14, TextFit::Terminator},
        {QStringLiteral("杭\U0001F600"), 14, TextFit::NotCp932},
        {QStringLiteral("𠮷野家"), 14, TextFit::NotCp932},
        {QString(), 14, TextFit::Fits},
    };
    for (const auto& c : cases)
        EXPECT_EQ(textFit(c.text, c.maxBytes), c.fit) << c.text.toStdString();
}

TEST(FieldLimits, ProblemsNameTheField) {
    EXPECT_TRUE(textProblem(QStringLiteral("メモ"), QStringLiteral("メモ"), 120).isEmpty());
    EXPECT_EQ(textProblem(QString(61, QChar(0x3042)), QStringLiteral("メモ"), 120),
              QStringLiteral("<メモ>は半角120文字（全角60文字）までです。　　　"));
    EXPECT_TRUE(textProblem(QStringLiteral("\U0001F600"), QStringLiteral("名称"), 14)
                    .startsWith(QStringLiteral("<名称>に記録できない文字")));
    EXPECT_EQ(numberTooLarge(QStringLiteral("Px1")), QStringLiteral("<Px1>の入力値が大きすぎる　　　"));
}

TEST(FieldLimits, CuttingKeepsWholeCharactersAndTheStoredFieldReadsItBack) {
    EXPECT_EQ(cutToBytes(QStringLiteral("杭基礎ＡＢの複製"), 14), QStringLiteral("杭基礎ＡＢの複"));
    EXPECT_EQ(cutToBytes(QStringLiteral("ABCDEFGHIJKLMの複製"), 14), QStringLiteral("ABCDEFGHIJKLM"));
    EXPECT_EQ(cutToBytes(QStringLiteral("短い"), 14), QStringLiteral("短い"));
    for (const QString& name : {QStringLiteral("杭基礎ＡＢの複製"), QStringLiteral("ABCDEFGHIJKLMの複製")}) {
        const QString cut = cutToBytes(name, 14);
        EXPECT_EQ(decodeField(encodeField(cut, 14, Terminator::Tilde)), cut);
    }
}
