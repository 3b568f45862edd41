#include "input/common_values_form.h"

#include "input/field_limits.h"

#include "platform/fixed_text.h"
#include "platform/numbers.h"
#include "platform/prompt.h"

#include <cmath>
#include <limits>

namespace k5 {
namespace {

const QString kEnd = QStringLiteral("　　　");

QString tooLarge(const QString& name) {
    return numberTooLarge(name);
}

// A comma that separates no digit groups ("1,5") is refused with the field
// named, rather than read as the digits before it.
bool refusedComma(const QString& text, const QString& name, Prompt& prompt) {
    if (!hasStrayComma(text)) return false;
    prompt.error(strayCommaMessage(name, text));
    return true;
}

// A whole number of at least 1 for a rebar arrangement value; the message
// for a refused text is shown and nothing is taken.
bool takeCount(const QString& text, const QString& name, int& target, Prompt& prompt) {
    if (refusedComma(text, name, prompt)) return false;
    const double raw = parseLeadingNumber(text);
    if (fitsInt16(raw) && cInt(raw) >= 1) {
        target = static_cast<int>(cInt(raw));
        return true;
    }
    if (raw < 1)
        prompt.error(QStringLiteral("<") + name + QStringLiteral(">の入力値が0または0以下になっている") +
                     kEnd);
    else
        prompt.error(tooLarge(name));
    return false;
}

// A stored Single takes the leading number of its field; a number beyond
// the range of a Single cannot be stored and keeps the previous value.
bool takeSingle(const QString& text, const QString& name, float& target, Prompt& prompt) {
    if (refusedComma(text, name, prompt)) return false;
    const double value = parseLeadingNumber(text);
    if (fitsSingle(value)) {
        target = static_cast<float>(value);
        return true;
    }
    prompt.error(tooLarge(name));
    return false;
}

// The pile values are kept as typed until they are saved as numbers: a text
// that is no number at all cannot be stored and keeps the previous value.
bool takeNumber(const QString& text, const QString& name, float& target, Prompt& prompt) {
    if (refusedComma(text, name, prompt)) return false;
    const std::optional<double> number = parseWholeNumber(text);
    const bool ok = number.has_value();
    const double value = number.value_or(0);
    if (ok && fitsSingle(value)) {
        target = static_cast<float>(value);
        return true;
    }
    prompt.error(ok ? tooLarge(name)
                    : QStringLiteral("<") + name + QStringLiteral(">の入力値が数値になっていない") + kEnd);
    return false;
}

} // namespace

CommonValuesUnitCaptions commonValuesUnitCaptions(int unit) {
    if (unit == 1)
        return {QStringLiteral("単位 ： SI単位"), QStringLiteral("kN/m2"), QStringLiteral("N/mm2"),
                QStringLiteral("kN/m3"),          QStringLiteral("kN/m3"), QStringLiteral("kN/本")};
    return {QStringLiteral("単位 ： CGS単位"),
            QStringLiteral("t/m2"),
            QStringLiteral("kg/cm2"),
            QStringLiteral("t/m3"),
            QStringLiteral("t/m3"),
            QStringLiteral("t/本")};
}

CommonValuesEntry commonValuesEntry(const CommonValues& v) {
    CommonValuesEntry e;
    e.fe = formatGeneral(v.fe);
    e.Pe = formatGeneral(v.Pe);
    e.pfai = formatGeneral(v.pfai);
    e.barGrade = v.barGrade;
    e.barSize = v.barSize;
    e.Fc = formatGeneral(v.Fc);
    e.Wc = formatGeneral(v.Wc);
    e.Ws = formatGeneral(v.Ws);
    e.ax = formatGeneral(v.ax);
    e.ay = formatGeneral(v.ay);
    e.h1 = formatGeneral(v.h1);
    e.h2 = formatGeneral(v.h2);
    e.D1 = formatGeneral(v.D1);
    e.D2 = formatGeneral(v.D2);
    e.d = formatGeneral(v.d);
    e.edgx = QString::number(v.edgx);
    e.edgy = QString::number(v.edgy);
    e.pitchx = QString::number(v.pitchx);
    e.pitchy = QString::number(v.pitchy);
    e.nx = QString::number(v.nx);
    e.ny = QString::number(v.ny);
    e.priorityIndex = v.priority >= 1 && v.priority <= 3 ? v.priority - 1 : -1;
    return e;
}

bool collectCommonValues(const CommonValuesEntry& e, CommonValues& c, Prompt& prompt, QString* firstRefused) {
    QString refused;
    // Remembers the first field whose value was refused.
    const auto taken = [&refused](bool ok, const char* field) {
        if (!ok && refused.isEmpty()) refused = QString::fromUtf8(field);
        return ok;
    };
    const auto finish = [&](bool allTaken) {
        if (firstRefused) *firstRefused = refused;
        return allTaken;
    };
    bool allTaken = taken(takeSingle(e.fe, QStringLiteral("地耐力 Fe"), c.fe, prompt), "fe");
    allTaken &= taken(takeNumber(e.Pe, QStringLiteral("杭の支持力 Pe"), c.Pe, prompt), "Pe");
    allTaken &= taken(takeNumber(e.pfai, QStringLiteral("杭径"), c.pfai, prompt), "pfai");
    c.barGrade = trimBlanks(e.barGrade);
    c.barSize = trimBlanks(e.barSize);
    const struct {
        const QString& text;
        const char* name;
        float& target;
        const char* field;
    } singles[] = {{e.Fc, "コンクリート設計強度 Fｃ", c.Fc, "Fc"},
                   {e.ax, "ax", c.ax, "ax"},
                   {e.ay, "ay", c.ay, "ay"},
                   {e.D1, "基端 D", c.D1, "D1"},
                   {e.D2, "先端 D'", c.D2, "D2"},
                   {e.d, "かぶり d", c.d, "d"},
                   {e.h1, "基礎天端からの高さ h1", c.h1, "h1"},
                   {e.h2, "GLからの深さ h2", c.h2, "h2"},
                   {e.Wc, "コンクリート単位重量 Wc", c.Wc, "Wc"},
                   {e.Ws, "埋戻土単位重量 Ws", c.Ws, "Ws"}};
    for (const auto& single : singles)
        allTaken &= taken(takeSingle(single.text, QString::fromUtf8(single.name), single.target, prompt),
                          single.field);

    // The first refused arrangement value ends the collection: it and the
    // values after it stay as they were.
    const struct {
        const QString& text;
        const char* name;
        int& target;
        const char* field;
    } counts[] = {{e.edgx, "端空きx", c.edgx, "edgx"},
                  {e.edgy, "端空きy", c.edgy, "edgy"},
                  {e.pitchx, "@x", c.pitchx, "pitchx"},
                  {e.pitchy, "@y", c.pitchy, "pitchy"},
                  {e.nx, "nx", c.nx, "nx"},
                  {e.ny, "ny", c.ny, "ny"}};
    for (const auto& count : counts)
        if (!taken(takeCount(count.text, QString::fromUtf8(count.name), count.target, prompt), count.field))
            return finish(false);
    if (e.priorityIndex < 0 || e.priorityIndex > 2) {
        prompt.error(QStringLiteral("<配筋決定>で優先項目が選択されていない") + kEnd);
        taken(false, "priority");
        return finish(false);
    }
    c.priority = e.priorityIndex + 1;
    return finish(allTaken);
}

} // namespace k5
