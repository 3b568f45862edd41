#include "ui/sizing/JobSizingWindow.h"

#include "calc/calc_masters.h"
#include "shell/app_context.h"
#include "ui/sizing/SizingOptions.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace k5 {

JobSizingWindow::JobSizingWindow(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frm寸法提案全基礎"));
    setWindowTitle(QStringLiteral("寸法提案（全基礎）"));
    auto* layout = new QVBoxLayout(this);
    note_ = new QLabel(
        QStringLiteral("チェックした基礎に提案寸法を適用します（適用すると計算結果は消去されます）。"), this);
    layout->addWidget(note_);
    options_ = new SizingOptions(readSizingLimits(ctx_.folders), this);
    connect(options_, &SizingOptions::searchAgain, this, [this] {
        saveSizingLimits(ctx_.folders, options_->limits());
        findProposals();
        fillTable();
    });
    layout->addWidget(options_);
    QStringList headers{QStringLiteral("適用"), QStringLiteral("変化")};
    headers << proposalHeaders();
    table_ = new QTableWidget(0, static_cast<int>(headers.size()), this);
    table_->setObjectName(QStringLiteral("grdProposals"));
    table_->setHorizontalHeaderLabels(headers);
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table_);
    auto* buttons = new QDialogButtonBox(this);
    apply_ = buttons->addButton(QStringLiteral("適用"), QDialogButtonBox::AcceptRole);
    apply_->setObjectName(QStringLiteral("cmd適用"));
    QPushButton* close = buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("cmd閉じる"));
    connect(apply_, &QPushButton::clicked, this, [this] { applyTicked(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(1000, 480);
}

void JobSizingWindow::limitToRecords(int first, int last) {
    first_ = first;
    last_ = last;
    note_->setText(QStringLiteral("選択中の基礎（データNo %1～%2）の提案です。").arg(first).arg(last) +
                   note_->text());
}

void JobSizingWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (found_) return;
    found_ = true;
    // The search runs once the window is up, so its progress shows over it.
    QTimer::singleShot(0, this, [this] {
        findProposals();
        fillTable();
    });
}

void JobSizingWindow::findProposals() {
    job_ = loadJobForSizing(ctx_);
    if (!ctx_.ask().report(job_.loaded)) return;
    const CalcMasters masters = CalcMasters::load(ctx_.folders);
    QProgressDialog progress(QStringLiteral("寸法を探しています..."), QStringLiteral("中止"), 0,
                             static_cast<int>(job_.records.size()), this);
    progress.setObjectName(QStringLiteral("dlgProgress"));
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    const int count = static_cast<int>(job_.records.size());
    const int last = last_ > 0 ? std::min(last_, count) : count;
    proposals_ = proposeForJob(masters, job_.records, job_.imported, first_, last, options_->limits(),
                               [&](int done, int total) {
                                   progress.setMaximum(total);
                                   progress.setValue(done);
                                   QApplication::processEvents();
                                   return !progress.wasCanceled();
                               });
}

void JobSizingWindow::fillTable() {
    table_->setRowCount(static_cast<int>(proposals_.size()));
    for (int i = 0; i < proposals_.size(); ++i) {
        const JobProposal& p = proposals_[i];
        const SizeChange change = sizeChange(p);
        auto* tick = new QTableWidgetItem;
        tick->setFlags(p.proposal.found ? Qt::ItemIsUserCheckable | Qt::ItemIsEnabled : Qt::NoItemFlags);
        tick->setCheckState(p.proposal.found && change != SizeChange::Unchanged ? Qt::Checked
                                                                                : Qt::Unchecked);
        table_->setItem(i, 0, tick);
        table_->setItem(i, 1, new QTableWidgetItem(sizeChangeText(change)));
        const QStringList cells = proposalRow(job_.records[p.record - 1], p);
        for (int c = 0; c < cells.size(); ++c)
            table_->setItem(i, c + 2, new QTableWidgetItem(cells[c]));
    }
    table_->resizeColumnsToContents();
    apply_->setEnabled(!proposals_.isEmpty());
}

void JobSizingWindow::applyTicked() {
    QList<JobProposal> chosen;
    for (int i = 0; i < proposals_.size(); ++i)
        if (table_->item(i, 0)->checkState() == Qt::Checked) chosen.append(proposals_[i]);
    if (chosen.isEmpty()) {
        ctx_.ask().inform(QStringLiteral("適用する基礎がチェックされていません。　　　"));
        return;
    }
    if (!ctx_.ask().report(applyProposals(ctx_, job_, chosen))) return;
    calculationChosen_ =
        ctx_.ask().askYesNo(QStringLiteral("寸法提案を適用しました。続けて計算開始しますか？　　　"));
    accept();
}

} // namespace k5
