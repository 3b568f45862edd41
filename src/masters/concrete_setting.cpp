#include "masters/concrete_setting.h"

#include "masters/master_file.h"
#include "platform/file_replace.h"
#include "platform/folders.h"
#include "platform/numbers.h"
#include "platform/prompt.h"

#include <QFile>
#include <QFileInfo>

namespace k5 {
namespace {

bool hasContent(const QString& path) {
    QFileInfo info(path);
    return info.isFile() && info.size() > 0;
}

ConcreteSetting writeDefaults(const Folders& folders) {
    saveConcreteSetting(folders, ConcreteSetting{});
    return ConcreteSetting{};
}

} // namespace

QString concreteFile(const Folders& folders) {
    return folders.masterFile(QStringLiteral("m_crmat.k5d"));
}

void ensureConcreteFile(const Folders& folders) {
    if (!hasContent(concreteFile(folders))) writeDefaults(folders);
}

std::optional<ConcreteSetting> readConcreteSetting(const Folders& folders) {
    QList<double> numbers =
        hasContent(concreteFile(folders)) ? readNumberItems(concreteFile(folders)) : QList<double>{};
    if (numbers.size() < 3) return std::nullopt;
    ConcreteSetting setting;
    setting.concreteEdition = static_cast<int>(cInt(numbers[0]));
    setting.cgsShortFactorC = static_cast<float>(numbers[1]);
    setting.cgsShortFactorS = static_cast<float>(numbers[2]);
    return setting;
}

ConcreteSetting loadConcreteSetting(const Folders& folders) {
    // Missing, empty or cut short: the defaults take the file's place.
    if (std::optional<ConcreteSetting> setting = readConcreteSetting(folders)) return *setting;
    return writeDefaults(folders);
}

bool saveConcreteSetting(const Folders& folders, const ConcreteSetting& c) {
    return replaceFile(
        concreteFile(folders),
        QList<QByteArray>{numberLine({QString::number(c.concreteEdition), formatGeneral(c.cgsShortFactorC),
                                      formatGeneral(c.cgsShortFactorS)})});
}

std::optional<ConcreteSetting> readConcreteFields(Prompt& prompt, int edition, const QString& factorCText,
                                                  const QString& factorSText) {
    std::optional<double> factorC = strictNumber(factorCText);
    if (!factorC) {
        prompt.warn(notNumberInFieldMessage(QStringLiteral("短期fcの倍率"), factorCText));
        return std::nullopt;
    }
    std::optional<double> factorS = strictNumber(factorSText);
    if (!factorS) {
        prompt.warn(notNumberInFieldMessage(QStringLiteral("短期fs・faの倍率"), factorSText));
        return std::nullopt;
    }
    return ConcreteSetting{edition, static_cast<float>(*factorC), static_cast<float>(*factorS)};
}

} // namespace k5
