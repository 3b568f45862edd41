#pragma once
#include "archive/archive_driver.h"
#include "calc/calc_counters.h"
#include "jobdata/common_values.h"
#include "jobdata/control_file.h"
#include "jobdata/job_state.h"
#include "masters/concrete_setting.h"
#include "masters/font_set.h"
#include "platform/folders.h"
#include "platform/prompt.h"
#include "platform/trace.h"

namespace k5 {

// Everything the program shares between windows and operations: folders,
// the open job's state, the settings and the current common values. One
// context lives for the run; each test builds its own on a temporary tree.
struct AppContext {
    Folders folders;
    JobState job;
    CalcCounters counts; // records by type and NG, as last counted
    CommonValues common;
    ControlSettings control;
    JobLoadHooks jobHooks;
    ConcreteSetting concrete;
    ReportFont reportFont;
    ArchiveSession archive;
    Prompt* prompt = nullptr;

    void trace(const QString& message) const { folders.trace(message); }
    Prompt& ask() const { return *prompt; }
};

} // namespace k5
