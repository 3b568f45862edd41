#include "ui/shell/ResultsListWindow.h"

#include "jobdata/job_state.h"
#include "platform/folders.h"
#include "shell/app_context.h"
#include "ui/shell/SaveFolder.h"
#include "ui/shell/WindowRegistry.h"

#include <QAbstractTableModel>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include <vector>

namespace k5 {

const QColor kWarningText(176, 96, 0);

// The rows of the list with their cells made once; the view asks only for
// the rows it shows, so a job of ten thousand foundations opens at once.
class ResultsModel : public QAbstractTableModel {
  public:
    static constexpr int kSortRole = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;

    void setRows(QList<ResultRow> rows) {
        beginResetModel();
        rows_ = std::move(rows);
        cells_.clear();
        cells_.reserve(static_cast<size_t>(rows_.size()));
        for (const ResultRow& row : rows_)
            cells_.push_back(resultCells(row));
        endResetModel();
    }
    const ResultRow& row(int r) const { return rows_[r]; }
    const QList<ResultRow>& rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(rows_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : kResultColumnCount;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole) return headers_.value(section);
        // The first click on a ratio or on 判定 brings the worst to the top.
        if (orientation == Qt::Horizontal && role == Qt::InitialSortOrderRole)
            return resultColumnSortsWorstFirst(section) ? Qt::DescendingOrder : Qt::AscendingOrder;
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        const ResultRow& row = rows_[index.row()];
        const int column = index.column();
        switch (role) {
        case Qt::DisplayRole:
            return cells_[static_cast<size_t>(index.row())].value(column);
        case Qt::ToolTipRole:
            if (column == kResultNotes && !row.warnings.isEmpty())
                return row.warnings.join(u'\n') + QStringLiteral("\n（注意です。判定には含まれません）");
            return cells_[static_cast<size_t>(index.row())].value(column);
        case Qt::ForegroundRole:
            if (resultCellFails(row, column)) return QColor(220, 0, 0);
            if (column == kResultNotes) return kWarningText;
            if (row.result.verdict == Verdict::NotCalculated) return QColor(128, 128, 128);
            return {};
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignVCenter | (numeric(column) ? Qt::AlignRight : Qt::AlignLeft));
        case kSortRole:
            if (const std::optional<double> v = resultSortValue(row, column)) return *v;
            // Foundations without a value sort below every number.
            if (numeric(column)) return -1.0;
            return cells_[static_cast<size_t>(index.row())].value(column);
        default:
            return {};
        }
    }

  private:
    static bool numeric(int column) {
        return column == kResultNo || column == kResultLx || column == kResultLy || column == kResultD1 ||
               (column >= kResultFirstCheck && column <= kResultMax);
    }
    QList<ResultRow> rows_;
    std::vector<QStringList> cells_;
    const QStringList headers_ = resultHeaders();
};

namespace {

QString chooseCsv(QWidget* parent, const QString& proposed, CsvEncoding& encoding) {
    const QString utf8 = QStringLiteral("CSV UTF-8 (BOM付き) (*.csv)");
    const QString cp932 = QStringLiteral("CSV Shift_JIS (CP932) (*.csv)");
    QString filter = utf8;
    const QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("計算結果一覧の保存"), proposed,
                                                      utf8 + QStringLiteral(";;") + cp932, &filter);
    encoding = filter == cp932 ? CsvEncoding::Cp932 : CsvEncoding::Utf8Bom;
    return path;
}

} // namespace

ResultsListWindow::ResultsListWindow(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frm計算結果一覧"));
    setWindowTitle(QStringLiteral("計算結果一覧"));
    openInput = [](AppContext& c, QWidget* p, const EditRequest& request) { execInputWindow(c, request, p); };
    chooseCsvFile = &chooseCsv;
    chooseDxfFile = &dxfSaveDialog;

    model_ = new ResultsModel(this);
    sorted_ = new QSortFilterProxyModel(this);
    sorted_->setSourceModel(model_);
    sorted_->setSortRole(ResultsModel::kSortRole);

    view_ = new QTableView(this);
    view_->setObjectName(QStringLiteral("Grid計算結果一覧"));
    view_->setModel(sorted_);
    view_->setSortingEnabled(true);
    view_->sortByColumn(kResultNo, Qt::AscendingOrder);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setDefaultSectionSize(22);
    view_->setWordWrap(false);
    view_->installEventFilter(this);
    connect(view_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { openRow(index.row()); });

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("Label件数"));
    auto* hint = new QLabel(
        QStringLiteral(
            "見出しをクリックすると並べ替えます。Enter またはダブルクリックで入力画面を開きます。"),
        this);

    auto* csv = new QPushButton(QStringLiteral("CSV保存(&S)..."), this);
    csv->setObjectName(QStringLiteral("cmdCSV保存"));
    csv->setAutoDefault(false);
    connect(csv, &QPushButton::clicked, this, [this] { saveCsv(); });
    auto* dxf = new QPushButton(QStringLiteral("DXF出力(&D)..."), this);
    dxf->setObjectName(QStringLiteral("cmdDXF出力"));
    dxf->setAutoDefault(false);
    connect(dxf, &QPushButton::clicked, this, [this] { exportDxf(); });
    auto* close = new QPushButton(QStringLiteral("閉じる(&C)"), this);
    close->setObjectName(QStringLiteral("cmd閉じる"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(summary_);
    buttons->addStretch();
    buttons->addWidget(csv);
    buttons->addWidget(dxf);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(view_, 1);
    layout->addLayout(buttons);
    resize(1180, 560);
    reload();
}

ResultsListWindow::~ResultsListWindow() = default;

void ResultsListWindow::reload() {
    model_->setRows(readResults(ctx_.folders));
    view_->resizeColumnsToContents();
    view_->horizontalHeader()->setStretchLastSection(true);
    int ng = 0, notCalculated = 0, stopped = 0;
    for (const ResultRow& row : model_->rows()) {
        ng += row.result.verdict == Verdict::Ng;
        notCalculated += row.result.verdict == Verdict::NotCalculated;
        stopped += row.result.verdict == Verdict::Stopped;
    }
    summary_->setText(QStringLiteral("基礎数：%1　NG：%2　未計算：%3　計算できない基礎：%4")
                          .arg(model_->rowCount())
                          .arg(ng)
                          .arg(notCalculated)
                          .arg(stopped));
}

void ResultsListWindow::openRow(int viewRow) {
    const QModelIndex source = sorted_->mapToSource(sorted_->index(viewRow, 0));
    if (!source.isValid()) return;
    const ResultRow& row = model_->row(source.row());
    if (row.foundationType != kTypeIsolated && row.foundationType != kTypePileCap) return;
    const int number = row.number;
    ctx_.job.currentRecord = number;
    openInput(ctx_, this, {EditMode::Correction, number, row.foundationType});
    reload();
    // The same foundation stays chosen, wherever the sorting puts it now.
    for (int r = 0; r < sorted_->rowCount(); ++r) {
        if (sorted_->index(r, kResultNo).data().toString() == QString::number(number)) {
            view_->selectRow(r);
            break;
        }
    }
    view_->setFocus();
}

void ResultsListWindow::saveCsv() {
    CsvEncoding encoding = CsvEncoding::Utf8Bom;
    const QString path =
        chooseCsvFile(this, saveDialogPath(ctx_.folders, QStringLiteral("計算結果一覧.csv")), encoding);
    if (path.isEmpty()) return;
    rememberSaveFolder(ctx_.folders, path);
    if (ctx_.ask().report(writeResultsCsv(path, model_->rows(), encoding)))
        ctx_.ask().inform(QStringLiteral("計算結果一覧を保存しました。　　　\n\n") + path);
}

// The foundation schedule of the job as the list shows it; reads the job only.
void ResultsListWindow::exportDxf() {
    exportDxfWithDialog(ctx_, this, chooseDxfFile);
}

bool ResultsListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            view_->currentIndex().isValid()) {
            openRow(view_->currentIndex().row());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace k5
