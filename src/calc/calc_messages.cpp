#include "calc/calc_messages.h"

namespace k5::calc_message {
namespace {

const QString kTail = QStringLiteral("　　　");

} // namespace

QString dataNoPrefix(int dataNo) {
    return QStringLiteral("ﾃﾞｰﾀNo ") + QString::number(dataNo) + QStringLiteral(": ");
}

QString caseName(int j) {
    switch (j) {
    case 1:
        return QStringLiteral("長期X");
    case 2:
        return QStringLiteral("長期Y");
    case 3:
        return QStringLiteral("短期X");
    default:
        return QStringLiteral("短期Y");
    }
}

QString directionName(int direction) {
    return direction == 1 ? QStringLiteral("X方向") : QStringLiteral("Y方向");
}

QString notFinite() {
    return QStringLiteral("計算結果が数値として表せません（0による除算または桁あふれ）。") + kTail +
           QStringLiteral("\n荷重・寸法・材料の入力値を見直してください。") + kTail;
}

QString writeFailed() {
    return QStringLiteral("計算結果をデータファイルに書き込めませんでした。") + kTail +
           QStringLiteral("\nディスクの空きと書き込みの許可を確認してください。") + kTail;
}

QString sumNZero(int j) {
    return caseName(j) + QStringLiteral(": 軸力の合計ΣN(=N'+①+②)が0のため、偏心距離eを計算できません。") +
           kTail + QStringLiteral("\n軸力または基礎の寸法(自重)を見直してください。") + kTail;
}

QString sumNUplift(int j) {
    return caseName(j) +
           QStringLiteral(": 軸力の合計ΣN(=N'+①+②)が負（浮き上がり）のため、接地圧を計算できません。") +
           kTail + QStringLiteral("\n基礎の寸法(自重)を見直すか、引抜きに抵抗する基礎を検討してください。") +
           kTail;
}

QString eccentricityTooLarge(int j) {
    return caseName(j) + QStringLiteral(": 偏心距離の比e/Lが1/2以上となり、合力が基礎の外にあります。") +
           kTail + QStringLiteral("\n基礎の寸法を大きくするか、モーメント・水平力を見直してください。") +
           kTail;
}

QString columnEccentricityTooLarge(int j) {
    return caseName(j) + QStringLiteral(": 偏心距離の比e'/Lが1/2以上となり、合力が基礎の外にあります。") +
           kTail + QStringLiteral("\n基礎の寸法を大きくするか、モーメント・水平力を見直してください。") +
           kTail;
}

QString depthNotPositive() {
    return QStringLiteral("有効せいd'が0以下となっています。") + kTail +
           QStringLiteral("\n基礎の厚さD・D'またはかぶりdを見直してください。") + kTail;
}

QString depthTooLarge() {
    return QStringLiteral("基礎の厚さが大きすぎます(32767mmを超えています)。") + kTail +
           QStringLiteral("\n基礎の厚さD・D'を見直してください。") + kTail;
}

QString bondStressZero() {
    return QStringLiteral("コンクリートの許容付着応力度faが0のため、必要周長ψを計算できません。") + kTail +
           QStringLiteral("\n鉄筋種類(SD・SRを含む名称)を見直してください。") + kTail;
}

QString tensileStressZero() {
    return QStringLiteral("鉄筋の許容引張応力度ftが0のため、必要鉄筋断面積atを計算できません。") + kTail +
           QStringLiteral("\n鉄筋材種強度マスターを見直してください。") + kTail;
}

QString barSizeMissing(int direction, const QString& size) {
    return directionName(direction) + QStringLiteral("の鉄筋サイズ（") + size +
           QStringLiteral("）が鉄筋サイズマスターに見つかりません。") + kTail +
           QStringLiteral("\n鉄筋サイズを選び直すか、鉄筋サイズマスターに登録してください。") + kTail;
}

QString barSizeInvalid(int direction, const QString& size) {
    return directionName(direction) + QStringLiteral("の鉄筋サイズ（") + size +
           QStringLiteral("）の断面積または周長が0以下です。") + kTail +
           QStringLiteral("\n鉄筋サイズマスターを見直してください。") + kTail;
}

QString pitchZero(int direction) {
    return directionName(direction) +
           QStringLiteral("の最大鉄筋間隔が0のため、鉄筋間隔(@)優先では本数を決められません。") + kTail +
           QStringLiteral("\n最大鉄筋間隔を入力するか、配筋決定の優先を変えてください。") + kTail;
}

QString tooManyBars(int direction) {
    return directionName(direction) + QStringLiteral("の鉄筋本数が32767本を超えます。") + kTail +
           QStringLiteral("\n鉄筋サイズ・最大鉄筋間隔・基礎の寸法を見直してください。") + kTail;
}

QString barRuleOutOfRange() {
    return QStringLiteral("鉄筋の端空き・最大鉄筋間隔・鉄筋本数のいずれかが大きすぎます。") + kTail +
           QStringLiteral("\n32767以下の値を入力してください。") + kTail;
}

QString concreteEditionInvalid(int edition) {
    return QStringLiteral("コンクリート強度の設定(適用する規準=") + QString::number(edition) +
           QStringLiteral(")が正しくないため、SI単位の許容応力度を決められません。") + kTail +
           QStringLiteral("\nコンクリート強度の設定画面で使用する規準を選び直してください。") + kTail;
}

QString pileLayoutInvalid() {
    return QStringLiteral("杭本数(杭配置)が正しくありません。") + kTail +
           QStringLiteral("\n杭本数を選び直してください。") + kTail;
}

QString gradeNotFound(const QString& grade) {
    return QStringLiteral("指定された鉄筋（") + grade + QStringLiteral("）が見つかりません") + kTail +
           QStringLiteral("\n\n処理を中断します\n\n");
}

QString jobFileNotOpened(const QString& path) {
    return QStringLiteral("基礎データのファイルを開けません。") + kTail + QStringLiteral("\n\n") + path;
}

QString storedValueNotNumber(const QString& field) {
    return field + QStringLiteral("の値が数値ではありません（データが壊れています）。") + kTail +
           QStringLiteral("\n\n入力画面で値を入力し直してください。") + kTail;
}

QString storedValueOutOfRange(const QString& field, const QString& allowed) {
    return field + QStringLiteral("の値が正しくありません（") + allowed + QStringLiteral("）。") + kTail +
           QStringLiteral("\n\n入力画面で値を入力し直してください。") + kTail;
}

QString completedValueTooLarge(const QString& field) {
    return field + QStringLiteral("が大きすぎて計算できません。") + kTail +
           QStringLiteral("\n\n入力された寸法を確認してください。") + kTail;
}

QString gradeStressUnusable(const QString& file, int row, const QString& grade) {
    return QStringLiteral("鉄筋材種強度マスターの") + QString::number(row) + QStringLiteral("行目（") +
           grade + QStringLiteral("）の許容応力度が正しくありません。") + kTail +
           QStringLiteral("\n\n鉄筋材種強度マスターを修正してください。") + kTail + QStringLiteral("\n\n") +
           file;
}

QString youngModulusUnusable(const QString& file) {
    return QStringLiteral("鉄筋材種強度マスターのヤング係数が正しくありません（0以下）。") + kTail +
           QStringLiteral("\n\n鉄筋材種強度マスターを修正してください。") + kTail + QStringLiteral("\n\n") +
           file;
}

QString concreteFactorUnusable(const QString& file) {
    return QStringLiteral("コンクリート強度の設定の短期の倍率が正しくありません（0以下）。") + kTail +
           QStringLiteral("\n\nコンクリート強度の設定を修正してください。") + kTail + QStringLiteral("\n\n") +
           file;
}

QString jobFileDamaged(const QString& path) {
    return QStringLiteral(
               "基礎データのファイルが壊れています（長さが基礎データの大きさの倍数ではありません）。") +
           kTail + QStringLiteral("\n\n処理を中止します。\n\n") + path;
}

QString noFoundations() {
    return QStringLiteral("計算対象となる有効なデータがありません　　　　");
}

QString finished() {
    return QStringLiteral("計算を終了しました。　　　");
}

} // namespace k5::calc_message
