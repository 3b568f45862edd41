#include "ui/masters/MasterWindowParts.h"

#include "ui/gridedit/GridEditor.h"
#include "ui/gridedit/KeyActionWindow.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

namespace k5 {

QPushButton* makeButton(QWidget* parent, const QString& objectName, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

void shapeGrid(QTableWidget* grid, int rows, const QStringList& headings) {
    grid->clear();
    grid->setRowCount(rows);
    grid->setColumnCount(static_cast<int>(headings.size()));
    grid->setHorizontalHeaderLabels(headings);
    QStringList numbers;
    for (int r = 1; r <= rows; ++r)
        numbers << QString::number(r);
    grid->setVerticalHeaderLabels(numbers);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < grid->columnCount(); ++c)
            grid->setItem(r, c, new QTableWidgetItem);
}

void fitGridToContent(QTableWidget* grid) {
    int width = grid->verticalHeader()->sizeHint().width() + 2 * grid->frameWidth();
    for (int c = 0; c < grid->columnCount(); ++c)
        width += grid->columnWidth(c);
    int height = grid->horizontalHeader()->sizeHint().height() + 2 * grid->frameWidth();
    for (int r = 0; r < grid->rowCount(); ++r)
        height += grid->rowHeight(r);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setFixedSize(width, height);
}

QList<QStringList> gridRows(const GridEditor& editor) {
    QList<QStringList> rows;
    for (int r = 1; r <= editor.lastRow(); ++r) {
        QStringList cells;
        for (int c = 1; c <= editor.lastCol(); ++c)
            cells << editor.cellText(c, r);
        rows << cells;
    }
    return rows;
}

void openKeyActionWindow(AppContext& ctx, QWidget* parent) {
    // The master window steps aside while the key actions are set, as every
    // window does for the window it opens. QDialog::hide() would also end the
    // master window's own modal loop, so only the widget is hidden here.
    parent->QWidget::setVisible(false);
    runKeyActionWindow(ctx, parent);
    parent->show(); // its show event activates it again
}

} // namespace k5
