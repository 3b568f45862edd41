#include "calc/calc_masters.h"

#include "calc/calc_messages.h"
#include "calc/grade_stress.h"
#include "masters/concrete_setting.h"
#include "platform/folders.h"

#include <cmath>

namespace k5 {
namespace {

// An allowable steel stress above 0 and below what any steel reaches
// (N/mm² in SI, kg/cm² in CGS): a flipped sign or a slipped digit in the
// master would otherwise design too few bars without a word.
bool usableStress(double stress, bool si) {
    return std::isfinite(stress) && stress > 0 && stress <= (si ? 2000.0 : 20000.0);
}

} // namespace

CalcMasters CalcMasters::load(const Folders& folders) {
    CalcMasters m;
    m.youngFile_ = folders.youngModulusFile;
    m.gradeFile_ = folders.rebarGradeFile;
    m.concreteFile_ = concreteFile(folders);
    // Read only: a missing file means the defaults.
    m.young_ = readYoung(folders).value_or(YoungModulus{});
    m.grades_ = readGradeRecords(folders);
    m.deformed_ = readBarSizes(folders, QStringLiteral("D"));
    m.round_ = readBarSizes(folders, QStringLiteral("R"));
    const ConcreteSetting setting = readConcreteSetting(folders).value_or(ConcreteSetting{});
    m.concrete_.edition = setting.concreteEdition;
    m.concrete_.factorC = setting.cgsShortFactorC;
    m.concrete_.factorS = setting.cgsShortFactorS;
    m.commonSi_ = readCommonValues(folders, 1);
    m.commonCgs_ = readCommonValues(folders, 2);
    return m;
}

Outcome CalcMasters::checkYoungModulus() const {
    const bool usable =
        std::isfinite(young_.si) && std::isfinite(young_.cgs) && young_.si > 0 && young_.cgs > 0;
    return usable ? Outcome::success() : Outcome::error(calc_message::youngModulusUnusable(youngFile_));
}

Outcome CalcMasters::checkConcreteFor(bool si) const {
    const bool factorsUsable = concrete_.factorC > 0 && concrete_.factorS > 0 &&
                               std::isfinite(concrete_.factorC) && std::isfinite(concrete_.factorS);
    if (si || factorsUsable) return Outcome::success();
    return Outcome::error(calc_message::concreteFactorUnusable(concreteFile_));
}

std::optional<SteelData> CalcMasters::steel(const QString& grade, const QString& size, bool si,
                                            Outcome& fault) const {
    const QString key = grade + QChar(0x1f) + size + (si ? u'1' : u'2');
    auto known = steelMemo_.constFind(key);
    if (known == steelMemo_.constEnd()) known = steelMemo_.insert(key, lookUpSteel(grade, size, si));
    if (!known->steel) fault = known->fault;
    return known->steel;
}

CalcMasters::SteelAnswer CalcMasters::lookUpSteel(const QString& grade, const QString& size, bool si) const {
    int row = 0;
    const std::optional<GradeStress> stress = lookupGradeStress(grades_, grade, size, si, &row);
    if (!stress) return {std::nullopt, Outcome::error(calc_message::gradeNotFound(grade))};
    if (!usableStress(stress->longTerm, si) || !usableStress(stress->shortTerm, si))
        return {std::nullopt, Outcome::error(calc_message::gradeStressUnusable(gradeFile_, row, grade))};
    SteelData s;
    s.size = size;
    s.ftLong = stress->longTerm;
    s.ftShort = stress->shortTerm;
    const BarSizeData bar =
        lookupBarSize(barSizeKindOf(size) == QLatin1String("D") ? deformed_ : round_, size);
    s.area = bar.area;
    s.perimeter = bar.perimeter;
    return {s, Outcome::success()};
}

} // namespace k5
