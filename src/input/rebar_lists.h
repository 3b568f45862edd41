#pragma once
#include <QString>
#include <QStringList>

// The rebar grade and size lists of the input forms.
namespace k5 {

// The size letter of a grade's bars: "D" (deformed) for a grade containing
// "SD", "R" (round) for any other.
QString barKindOfGrade(const QString& grade);

// The item to show for a stored grade or size text: the item equal to it,
// blanks ignored, else the first item (-1 for an empty list). The text "no"
// stands for "not chosen yet": it picks the first item and takes its text.
int chooseListItem(const QStringList& items, QString& stored);

} // namespace k5
