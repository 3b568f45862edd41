#pragma once
#include "calc/sizing.h"
#include "jobdata/foundation_record.h"

#include <QList>
#include <QString>

#include <functional>
#include <utility>

// Foundation types chosen for the imported supports: a few design groups per
// foundation type (直接基礎, 杭基礎), each one size built wherever it stands,
// chosen so that the concrete of all foundations is as little as that number
// of types allows. Few types are cheap to draw and build, many save concrete;
// the engineer gives the number, the search finds the groups.
namespace k5 {

class CalcMasters;

struct TypeOptions {
    int maxTypes = 8; // per foundation type
    QString prefix;   // empty: "F1" … for footings and "P1" … for pile caps
    bool all = false; // also the records the engineer has already grouped
    SizingLimits limits;
};

// One type: a design group with its name, group number and size.
struct FoundationTypeGroup {
    QString name;
    int foundationType = kTypeIsolated;
    int groupNo = 0;
    QList<int> members; // record numbers, in file order
    int governor = 0;   // the member with the largest ratio at the size
    SizeProposal proposal;
    double memberVolume = 0; // m³ of concrete of one foundation of the type
    double volume() const { return memberVolume * static_cast<double>(members.size()); }
};

// A support the search could not size on its own: it is left as it is.
struct UnsizedSupport {
    int record = 0;
    QString reason;
};

struct TypesPlan {
    QList<FoundationTypeGroup> types; // footings first, each kind from the smallest
    QList<UnsizedSupport> unsized;
    double volume = 0;    // m³, every grouped support with the size of its type
    double ownVolume = 0; // m³, the same supports each sized on its own
    bool cancelled = false;
    // The price of standardisation: the extra concrete in m³ and in %.
    double extraVolume() const { return volume - ownVolume; }
    double extraPercent() const { return ownVolume > 0 ? 100 * extraVolume() / ownVolume : 0; }
};

// Called as the search goes on with how much is done of how much; false
// cancels the search.
using TypesProgress = std::function<bool(int done, int total)>;

// The types for the records of `job` (numbers from 1) that belong to no
// design group (every footing and pile cap with `all`): at most maxTypes per
// foundation type, each sized as one design group by the sizing search
// (every member passes with its own loads), grouped so that the total
// concrete volume is the least the search finds; never more than splitting
// the supports, sorted by the sizes they need alone, into groups of equal
// count. Names are numbered from the smallest type, skipping names kept
// records already carry; group numbers follow the highest one kept, as the
// review window numbers new groups.
TypesPlan chooseFoundationTypes(const CalcMasters& masters, const QList<FoundationRecord>& job,
                                const TypeOptions& options, const TypesProgress& progress = {});

// The records applying the plan writes: every member with its type's name,
// group number and size, the results of its last calculation cleared.
QList<std::pair<int, FoundationRecord>> recordsOfTypes(const QList<FoundationRecord>& job,
                                                       const TypesPlan& plan);

// Concrete of a designed foundation in m³: plan × depth, a sloped top counted
// as half its height over the whole plan, as the self weight counts it.
double foundationConcreteVolume(const FoundationRecord& designed);

// Why the options cannot name the types (empty when they can): the prefix
// with the largest number must fit the design name field.
QString typeOptionsProblem(const TypeOptions& options);

// The table of a plan: headers, one row per type, and the volume line (or,
// for a plan without types, that there was nothing to group).
QStringList typeTableHeaders();
QStringList typeTableRow(const FoundationTypeGroup& type);
QString typeVolumeLine(const TypesPlan& plan);

} // namespace k5
