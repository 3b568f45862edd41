#pragma once
#include <QList>
#include <QString>
#include <QStringList>

class QPushButton;
class QTableWidget;
class QWidget;

// Pieces the master windows share.
namespace k5 {

struct AppContext;
class GridEditor;

QPushButton* makeButton(QWidget* parent, const QString& objectName, const QString& text);

// A grid of `rows` × headings.size() text cells, its rows numbered from 1.
void shapeGrid(QTableWidget* grid, int rows, const QStringList& headings);

// Sizes the grid to show all its rows and columns without scrolling, the
// last column taking any spare width; call once the column widths are set.
void fitGridToContent(QTableWidget* grid);

// The cells of rows 1..lastRow as typed, each row a list of its columns' texts.
QList<QStringList> gridRows(const GridEditor& editor);

// The key-action window, modal while `parent` is hidden; `parent` is shown
// again afterwards, and its show event activates it (the new settings then
// take effect).
void openKeyActionWindow(AppContext& ctx, QWidget* parent);

} // namespace k5
