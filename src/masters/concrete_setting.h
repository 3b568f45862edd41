#pragma once
#include <QString>

#include <optional>

// The concrete setting: which edition of the design rule gives the allowable
// shear and bond stresses of SI jobs, and the long- to short-term
// multipliers of CGS jobs. One setting for every job (m_crmat.k5d).
namespace k5 {

struct AppContext;

struct ConcreteSetting {
    int concreteEdition = 2;      // SI jobs: 1, 2 or 3
    float cgsShortFactorC = 2.0f; // CGS: short-term fc = this × long-term fc
    float cgsShortFactorS = 1.5f; // CGS: short-term fs and fa = this × long-term value
};

QString concreteFile(const AppContext& ctx);

// Writes the defaults (into ctx.concrete and the file) when the file is missing or empty.
void ensureConcreteFile(AppContext& ctx);
// ctx.concrete from the file; a missing, empty or unreadable file is first
// rewritten with the defaults. Called by every calculation run.
void loadConcreteSetting(AppContext& ctx);
// Writes ctx.concrete to the file (the file is replaced whole).
bool saveConcreteSetting(AppContext& ctx);

// The two multiplier fields of the concrete window as a setting with the
// given edition; a field that is not a number is refused with a warning.
std::optional<ConcreteSetting> readConcreteFields(const AppContext& ctx, int edition,
                                                  const QString& factorCText, const QString& factorSText);

} // namespace k5
