#pragma once
#include <QString>

namespace k5 {

class Prompt;

// Checks and confirms a range of selected list rows before an action on them.
// first == 0 means nothing is selected, last == 0 a single row. With an
// action text ("データを削除", "ｸﾞﾙｰﾌﾟ化" ...) an empty or invalid selection
// is reported and the user is asked to confirm the ordered range; without
// one the checks run silently. On success first <= last; an empty or invalid
// first row clears both to 0; a last row beyond rowCount refuses silently and
// leaves both as they were.
bool confirmRowRange(Prompt& prompt, int& first, int& last, int rowCount, const QString& action = {});

} // namespace k5
