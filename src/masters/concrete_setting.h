#pragma once
#include <QString>

#include <optional>

// The concrete setting: which edition of the design rule gives the allowable
// shear and bond stresses of SI jobs, and the long- to short-term
// multipliers of CGS jobs. One setting for every job (m_crmat.k5d).
namespace k5 {

struct Folders;
class Prompt;

struct ConcreteSetting {
    int concreteEdition = 2;      // SI jobs: 1, 2 or 3
    float cgsShortFactorC = 2.0f; // CGS: short-term fc = this × long-term fc
    float cgsShortFactorS = 1.5f; // CGS: short-term fs and fa = this × long-term value
};

QString concreteFile(const Folders& folders);

// Writes the defaults into the file when it is missing or empty.
void ensureConcreteFile(const Folders& folders);
// The setting in the file; a missing, empty or unreadable file is first
// rewritten with the defaults. Read by every calculation run.
ConcreteSetting loadConcreteSetting(const Folders& folders);
// The setting in the file, written nowhere: none when the file is missing,
// empty or cut short.
std::optional<ConcreteSetting> readConcreteSetting(const Folders& folders);
// Writes the setting to the file (the file is replaced whole).
bool saveConcreteSetting(const Folders& folders, const ConcreteSetting& setting);

// The two multiplier fields of the concrete window as a setting with the
// given edition; a field that is not a number is refused with a warning.
std::optional<ConcreteSetting> readConcreteFields(Prompt& prompt, int edition, const QString& factorCText,
                                                  const QString& factorSText);

} // namespace k5
