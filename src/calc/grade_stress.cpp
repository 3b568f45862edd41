#include "calc/grade_stress.h"

#include "platform/numbers.h"

namespace k5 {

std::optional<int> gradeSizeClass(const QString& size) {
    if (size.isEmpty()) return std::nullopt;
    const QChar letter = size.at(0);
    const long long diameter = cInt(parseLeadingNumber(size.mid(1)));
    if (diameter < 6 || diameter > 51) return std::nullopt;
    if (letter == u'R') return kSizeClassAny;
    if (letter == u'D') return diameter < 26 ? kSizeClassUpToD25 : kSizeClassFromD29;
    return std::nullopt;
}

std::optional<GradeStress> lookupGradeStress(const QList<GradeRecord>& grades, const QString& grade,
                                             const QString& size, bool si, int* row) {
    const std::optional<int> sizeClass = gradeSizeClass(size);
    if (!sizeClass) return std::nullopt;
    for (qsizetype i = 0; i < grades.size(); ++i) {
        const GradeRecord& g = grades[i];
        if (g.sizeClass != *sizeClass || !g.gradeName.contains(grade)) continue;
        if (row) *row = static_cast<int>(i + 1);
        if (si) return GradeStress{g.siLong, g.siShort};
        return GradeStress{g.cgsLong, g.cgsShort};
    }
    return std::nullopt;
}

} // namespace k5
