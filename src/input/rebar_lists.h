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

// Whether the list holds the stored text (blanks ignored). Empty texts and
// "no" count as held: they stand for "not chosen yet".
bool listHolds(const QStringList& items, const QString& stored);

// The sentence that tells the user a stored grade or size (`what`: "X方向鉄筋の種類" …)
// is no longer in the masters and which item is shown in its place.
QString notInMasterNote(const QString& what, const QString& stored, const QString& shown);

} // namespace k5
