#pragma once

namespace k5 {

struct AppContext;

// "計算開始" as the main window and the command line run it: the calculation
// over the whole job, its counts kept for the report, and its message shown
// (the refusal of the failing record, or "計算を終了しました。　　　" and, when
// foundations failed a check, a line with their number:
// "NG：3 基礎（計算結果一覧で確認できます）").
bool runCalculation(AppContext& ctx);
// The same on a job not loaded yet (the command line): the load's work
// (older formats, identity, repaired defaults) is done in the run's one read
// of the job file.
bool loadAndRunCalculation(AppContext& ctx);
// The same, its message offering "計算結果一覧" beside OK; `listWanted` tells
// whether the user chose it.
bool runCalculation(AppContext& ctx, bool& listWanted);

} // namespace k5
