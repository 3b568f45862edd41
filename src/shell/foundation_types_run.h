#pragma once
#include "import/foundation_types.h"
#include "shell/size_proposals.h"

namespace k5 {

struct AppContext;

// The job as the automatic types see it: loaded as the sizing commands load
// it; `loaded` refuses a job that was not imported from the analysis
// program, since design groups tie imported supports together.
JobForSizing loadJobForTypes(AppContext& ctx);

// Writes the plan's names, groups and sizes into the job in one replacement
// of the job file; the results of the changed records are cleared. Nothing
// is written for a plan without types.
Outcome applyFoundationTypes(AppContext& ctx, const JobForSizing& job, const TypesPlan& plan);

} // namespace k5
