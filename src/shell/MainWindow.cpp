#include "shell/MainWindow.h"

#include "jobdata/job_file.h"
#include "shell/app_context.h"
#include "shell/job_list.h"
#include "shell/version.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace k5 {
namespace {
int twipsToPixels(int twips) { return twips / 15; }
} // namespace

MainWindow::MainWindow(AppContext& ctx, QWidget* parent) : QMainWindow(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frmメインメニュー"));
    setWindowTitle(programTitle());
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    jobName_ = new QLabel(central);
    fileName_ = new QLabel(central);
    unit_ = new QLabel(central);
    count_ = new QLabel(central);
    grid_ = new QTableWidget(central);
    grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->hide();
    for (QWidget* w : {static_cast<QWidget*>(jobName_), static_cast<QWidget*>(fileName_),
                       static_cast<QWidget*>(unit_), static_cast<QWidget*>(count_), static_cast<QWidget*>(grid_)})
        layout->addWidget(w);
    setCentralWidget(central);
    loadJobIdentity(ctx_);
    ctx_.job.currentRecord = 0;
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    refresh();
}

void MainWindow::refresh() {
    bool imported = ctx_.job.pRX23DataChk == -1;
    ListLayout layout = listLayout(imported);
    int rows = std::max(recordCountOf(ctx_) + 3, 10);
    grid_->clear();
    grid_->setColumnCount(static_cast<int>(layout.headers.size()));
    grid_->setRowCount(rows);
    grid_->setHorizontalHeaderLabels(layout.headers);
    int width = 0;
    for (int c = 0; c < grid_->columnCount(); ++c) {
        grid_->setColumnWidth(c, twipsToPixels(layout.widthsTwips[c]));
        width += twipsToPixels(layout.widthsTwips[c]);
    }
    grid_->setMinimumWidth(width + 20);
    for (int r = 0; r < rows; ++r) grid_->setItem(r, 0, new QTableWidgetItem(QString::number(r + 1)));
    loadJob(ctx_, [&](int n, const FoundationRecord& record) {
        QStringList cells = listRow(record, n, imported);
        for (int c = 1; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(Qt::AlignVCenter | (layout.leftAligned[c] ? Qt::AlignLeft : Qt::AlignRight));
            grid_->setItem(n - 1, c, item);
        }
    });
    jobName_->setText(QStringLiteral("工事名：") + ctx_.job.currentJobName);
    fileName_->setText(QStringLiteral("ファイル名：") + ctx_.job.currentFileName);
    unit_->setText(ctx_.job.unitSystem == 1 ? QStringLiteral("SI") : QStringLiteral("CGS"));
    count_->setText(QStringLiteral("入力済み基礎データリスト（データ数： ") + QString::number(ctx_.job.recordCount) +
                    QStringLiteral(" ）"));
}

} // namespace k5
