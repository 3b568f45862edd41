#include "masters/concrete_setting.h"

#include "masters/master_file.h"
#include "platform/numbers.h"
#include "shell/app_context.h"

#include <QFile>
#include <QFileInfo>

namespace k5 {
namespace {

bool hasContent(const QString& path) {
    QFileInfo info(path);
    return info.isFile() && info.size() > 0;
}

void writeDefaults(AppContext& ctx) {
    QFile::remove(concreteFile(ctx));
    ctx.concrete = ConcreteSetting{};
    saveConcreteSetting(ctx);
}

} // namespace

QString concreteFile(const AppContext& ctx) {
    return ctx.folders.masterFile(QStringLiteral("m_crmat.k5d"));
}

void ensureConcreteFile(AppContext& ctx) {
    if (!hasContent(concreteFile(ctx))) writeDefaults(ctx);
}

void loadConcreteSetting(AppContext& ctx) {
    QList<double> numbers =
        hasContent(concreteFile(ctx)) ? readNumberItems(concreteFile(ctx)) : QList<double>{};
    if (numbers.size() < 3) {
        // Missing, empty or cut short: the defaults take the file's place.
        writeDefaults(ctx);
        return;
    }
    ctx.concrete.concreteEdition = static_cast<int>(cInt(numbers[0]));
    ctx.concrete.cgsShortFactorC = static_cast<float>(numbers[1]);
    ctx.concrete.cgsShortFactorS = static_cast<float>(numbers[2]);
}

bool saveConcreteSetting(AppContext& ctx) {
    const ConcreteSetting& c = ctx.concrete;
    return replaceFileBytes(concreteFile(ctx),
                            numberLine({QString::number(c.concreteEdition), formatGeneral(c.cgsShortFactorC),
                                        formatGeneral(c.cgsShortFactorS)}));
}

std::optional<ConcreteSetting> readConcreteFields(const AppContext& ctx, int edition,
                                                  const QString& factorCText, const QString& factorSText) {
    std::optional<double> factorC = strictNumber(factorCText);
    if (!factorC) {
        ctx.ask().warn(notNumberInFieldMessage(QStringLiteral("短期fcの倍率"), factorCText));
        return std::nullopt;
    }
    std::optional<double> factorS = strictNumber(factorSText);
    if (!factorS) {
        ctx.ask().warn(notNumberInFieldMessage(QStringLiteral("短期fs・faの倍率"), factorSText));
        return std::nullopt;
    }
    return ConcreteSetting{edition, static_cast<float>(*factorC), static_cast<float>(*factorS)};
}

} // namespace k5
