#pragma once
#include "calc/prepare_common.h"
#include "jobdata/common_values.h"
#include "masters/bar_size_master.h"
#include "masters/grade_master.h"
#include "platform/prompt.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace k5 {

struct Folders;

// What the masters give a calculation, read once and then held: the grade
// master with the steel's Young's modulus, both bar size files, the concrete
// setting and the common design values of both unit systems. Nothing is
// written while it is read: a missing file stands for its defaults, as it
// does for a calculation run. A run reads it once; the live result of an
// input window reads it once per window, so a keystroke costs no file read.
class CalcMasters {
  public:
    static CalcMasters load(const Folders& folders);

    // The steel's Young's modulus belongs to the same master as the grades: a
    // value of 0 or below means the master was damaged or mistyped, and a run
    // on such a master is not one to trust.
    Outcome checkYoungModulus() const;
    // CGS jobs multiply long-term allowables into short-term ones: a
    // multiplier of 0 or below would judge every short-term case wrongly.
    Outcome checkConcreteFor(bool si) const;
    // Allowable stresses of the grade and the size's bar data; the grade
    // lookup's own message in `fault` when the grade is not found or unusable.
    // Answered from memory after the first time: the sizing search asks the
    // same few grades and sizes on every trial.
    std::optional<SteelData> steel(const QString& grade, const QString& size, bool si, Outcome& fault) const;

    const ConcreteRule& concrete() const { return concrete_; }
    // The bar sizes of a kind's file ("D" deformed, any other round), in file order.
    const QList<BarSizeRecord>& barSizes(const QString& kind) const {
        return kind == QLatin1String("D") ? deformed_ : round_;
    }
    // Common design values of unit system 1 (SI) or 2 (CGS).
    const CommonValues& common(int unitSystem) const { return unitSystem == 2 ? commonCgs_ : commonSi_; }

  private:
    struct SteelAnswer {
        std::optional<SteelData> steel;
        Outcome fault;
    };
    SteelAnswer lookUpSteel(const QString& grade, const QString& size, bool si) const;

    mutable QHash<QString, SteelAnswer> steelMemo_;
    QString youngFile_, gradeFile_, concreteFile_;
    YoungModulus young_;
    QList<GradeRecord> grades_;
    QList<BarSizeRecord> deformed_, round_;
    ConcreteRule concrete_;
    CommonValues commonSi_, commonCgs_;
};

} // namespace k5
