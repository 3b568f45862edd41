#include "ui/import/ImportReviewWindow.h"

#include "jobdata/job_file.h"
#include "jobdata/record_layout.h"
#include "platform/numbers.h"
#include "shell/app_context.h"
#include "shell/row_range.h"
#include "ui/import/FoundationTypesDialog.h"
#include "ui/import/GroupNameDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace k5 {

// The support list: a press chooses the first row of a range, with Shift
// its last row.
class ReviewGrid : public QTableWidget {
  public:
    using QTableWidget::QTableWidget;
    std::function<void(int row, bool extend)> choose;

  protected:
    void mousePressEvent(QMouseEvent* event) override {
        const int row = rowAt(event->position().toPoint().y());
        QTableWidget::mousePressEvent(event);
        if (row >= 0 && event->button() == Qt::LeftButton && choose)
            choose(row + 1, event->modifiers() & Qt::ShiftModifier);
    }
};

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kRowTwips = 300;
constexpr int kListRows = 9;       // data rows at least, below the heading row
constexpr int kBreakdownRows = 14; // three records and a little
constexpr int kVisibleListRows = 12;
constexpr int kVisibleBreakdownRows = 10;

const QString kGroupAction = QStringLiteral("ｸﾞﾙｰﾌﾟ化");
const QString kReleaseAction = QStringLiteral("現在のグループから解除");

int pixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

void setUpGrid(QTableWidget* grid, const QStringList& headers, const std::vector<int>& widths,
               int visibleRows) {
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setMinimumSectionSize(pixels(kRowTwips));
    grid->verticalHeader()->setDefaultSectionSize(pixels(kRowTwips));
    grid->horizontalHeader()->setFixedHeight(pixels(kRowTwips));
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid->setWordWrap(false);
    grid->setTextElideMode(Qt::ElideNone);
    QFont font;
    font.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic")});
    font.setPixelSize(12);
    grid->setFont(font);
    grid->horizontalHeader()->setFont(font);
    grid->setColumnCount(static_cast<int>(headers.size()));
    grid->setHorizontalHeaderLabels(headers);
    int widthTwips = 0;
    for (int c = 0; c < grid->columnCount(); ++c) {
        grid->setColumnWidth(c, pixels(widths[c]));
        widthTwips += widths[c];
    }
    const int scrollBar = grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid);
    grid->setFixedSize(pixels(widthTwips + 60) + scrollBar, pixels(kRowTwips * (visibleRows + 1) + 60));
}

// Row `r` (0-based) of `grid` with `cells`; column 0 numbers the rows.
void setRow(QTableWidget* grid, int r, const QStringList& cells, Qt::Alignment (*alignment)(int column)) {
    const QBrush fixedColumn = grid->palette().button();
    for (int c = 0; c < grid->columnCount(); ++c) {
        auto* item = new QTableWidgetItem(cells.value(c));
        item->setTextAlignment(alignment(c));
        if (c == 0) item->setBackground(fixedColumn);
        grid->setItem(r, c, item);
    }
}

Qt::Alignment listAlignment(int column) {
    // Numbers right, names left, as in the main window's list.
    const bool text = column >= 4 && column != 9;
    return Qt::AlignVCenter | (text ? Qt::AlignLeft : Qt::AlignRight);
}

Qt::Alignment centred(int) {
    return Qt::AlignCenter;
}

QPushButton* addButton(QWidget* owner, QVBoxLayout* column, const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, owner);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setMinimumWidth(140);
    column->addWidget(button);
    return button;
}

} // namespace

ImportReviewWindow::ImportReviewWindow(AppContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frmRX2読込データ"));
    setWindowTitle(QStringLiteral("KAMO-RXⅡから読込んだ基礎位置の支点リスト"));
    setWindowFlags(windowFlags() | Qt::Window);
    askName = [](AppContext& c, int type, QWidget* p, const QString& name) {
        return askGroupName(c, type, p, name);
    };
    chooseTypes = [](AppContext& c, QWidget* p) { return runFoundationTypesDialog(c, p); };

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(12, 10, 12, 10);

    auto* head = new QHBoxLayout;
    auto* jobCaption = new QLabel(QStringLiteral("工事名："), this);
    jobName_ = new QLabel(this);
    jobName_->setObjectName(QStringLiteral("LabelRXⅡ工事名"));
    head->addWidget(jobCaption);
    head->addWidget(jobName_, 1);
    outer->addLayout(head);

    list_ = new ReviewGrid(this);
    list_->setObjectName(QStringLiteral("MSFlexGrid11"));
    setUpGrid(list_, supportListHeaders(), supportListWidthsTwips(), kVisibleListRows);
    list_->choose = [this](int row, bool extend) { chooseRow(row, extend); };

    auto* commands = new QVBoxLayout;
    commands->setSpacing(6);
    auto* show = addButton(this, commands, QStringLiteral("cmd荷重内訳"), QStringLiteral("荷重内訳を表示"));
    auto* clear = addButton(this, commands, QStringLiteral("cmdクリアー"), QStringLiteral("ｸﾘｱｰ"));
    commands->addSpacing(12);
    auto* makeGroup = addButton(this, commands, QStringLiteral("cmdグループ化"), QStringLiteral("ｸﾞﾙｰﾌﾟ化"));
    auto* release =
        addButton(this, commands, QStringLiteral("cmdグループ解除"), QStringLiteral("ｸﾞﾙｰﾌﾟ解除"));
    auto* unselect = addButton(this, commands, QStringLiteral("cmd選択解除"), QStringLiteral("選択を解除"));
    commands->addSpacing(12);
    auto* autoGroups =
        addButton(this, commands, QStringLiteral("cmd自動グループ化"), QStringLiteral("自動グループ化..."));
    commands->addStretch();
    auto* close = addButton(this, commands, QStringLiteral("cmd終了"), QStringLiteral("終了"));

    auto* top = new QHBoxLayout;
    top->addWidget(list_, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(commands);
    top->addStretch();
    outer->addLayout(top);

    breakdownCaption_ = new QLabel(this);
    breakdownCaption_->setObjectName(QStringLiteral("Label荷重内訳"));
    outer->addSpacing(6);
    outer->addWidget(breakdownCaption_);
    breakdown_ = new QTableWidget(this);
    breakdown_->setObjectName(QStringLiteral("MSFlexGrid12"));
    setUpGrid(breakdown_, breakdownHeaders(), breakdownWidthsTwips(), kVisibleBreakdownRows);
    outer->addWidget(breakdown_, 0, Qt::AlignLeft);
    outer->addStretch();

    connect(show, &QPushButton::clicked, this, &ImportReviewWindow::showBreakdown);
    connect(clear, &QPushButton::clicked, this, &ImportReviewWindow::clearBreakdown);
    connect(makeGroup, &QPushButton::clicked, this, &ImportReviewWindow::group);
    connect(release, &QPushButton::clicked, this, &ImportReviewWindow::ungroup);
    connect(unselect, &QPushButton::clicked, this, &ImportReviewWindow::clearSelection);
    connect(autoGroups, &QPushButton::clicked, this, &ImportReviewWindow::autoGroup);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    fillSupportList();
    layoutBreakdown(kBreakdownRows);
}

ImportReviewWindow::~ImportReviewWindow() = default;

void ImportReviewWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Each showing starts numbering new groups after the largest in the file.
    if (!event->spontaneous()) highestGroup_ = k5::highestGroup(ctx_.folders);
}

void ImportReviewWindow::fillSupportList() {
    const std::vector<FoundationRecord> records = readJobRecords(ctx_.folders);
    recordCount_ = static_cast<int>(records.size());
    jobName_->setText(records.empty() ? QString() : records.front().jobName);
    list_->setRowCount(std::max(recordCount_, kListRows));
    markedFirst_ = 0; // the rows are written afresh, none highlighted
    markedLast_ = -1;
    for (int r = 0; r < list_->rowCount(); ++r) {
        const bool filled = r < recordCount_;
        setRow(list_, r, filled ? supportListRow(records[r], r + 1) : QStringList{QString::number(r + 1)},
               listAlignment);
    }
    markSelection();
}

void ImportReviewWindow::layoutBreakdown(int rows) {
    breakdown_->clearContents();
    breakdown_->setRowCount(rows);
    for (int r = 0; r < rows; ++r)
        setRow(breakdown_, r, {QString::number(r + 1)}, centred);
}

void ImportReviewWindow::markSelection() {
    // The chosen range is shown highlighted; the grid's own selection is off
    // so that a click never selects more than the commands will use. Only
    // the rows that change are touched: a model has thousands of supports.
    int first = 0, last = -1;
    if (selStart_ != 0) {
        first = std::min(selStart_, selEnd_ == 0 ? selStart_ : selEnd_);
        last = std::max(selStart_, selEnd_);
    }
    const QBrush chosen = palette().highlight();
    const QBrush chosenText = palette().highlightedText();
    auto paint = [this](int row, const QBrush& background, const QBrush& text) {
        for (int c = 1; c < list_->columnCount(); ++c) {
            QTableWidgetItem* item = list_->item(row - 1, c);
            if (!item) continue;
            item->setBackground(background);
            item->setForeground(text);
        }
    };
    for (int row = std::max(markedFirst_, 1); row <= std::min(markedLast_, list_->rowCount()); ++row)
        if (row < first || row > last) paint(row, QBrush(), QBrush());
    for (int row = std::max(first, 1); row <= std::min(last, list_->rowCount()); ++row)
        paint(row, chosen, chosenText);
    markedFirst_ = first;
    markedLast_ = last;
}

void ImportReviewWindow::chooseRow(int row, bool extend) {
    if (extend) {
        selEnd_ = row;
    } else {
        selStart_ = row;
        selEnd_ = 0;
    }
    markSelection();
}

void ImportReviewWindow::clearSelection() {
    selStart_ = selEnd_ = 0;
    list_->setCurrentItem(nullptr);
    markSelection();
}

void ImportReviewWindow::showBreakdown() {
    int first = selStart_, last = selEnd_;
    if (!confirmRowRange(ctx_.ask(), first, last, recordCount_)) {
        clearSelection();
        return;
    }
    std::vector<QStringList> rows;
    for (int n = first; n <= last; ++n) {
        const std::optional<FoundationRecord> r = readRecord(ctx_.folders, n);
        if (!r) break;
        for (QStringList& cells : breakdownRows(*r))
            rows.push_back(std::move(cells));
    }
    layoutBreakdown(std::max(static_cast<int>(rows.size()), kBreakdownRows));
    for (size_t i = 0; i < rows.size(); ++i) {
        rows[i][0] = QString::number(i + 1);
        setRow(breakdown_, static_cast<int>(i), rows[i], centred);
    }
    breakdownCaption_->setText(
        QStringLiteral("荷重内訳（%1行目〜%2行目）　左の N・H・M がX方向、右の N・H・M がY方向")
            .arg(first)
            .arg(last));
    clearSelection();
}

void ImportReviewWindow::clearBreakdown() {
    breakdownCaption_->clear();
    layoutBreakdown(kBreakdownRows);
}

void ImportReviewWindow::group() {
    int first = selStart_, last = selEnd_;
    if (!confirmRowRange(ctx_.ask(), first, last, recordCount_, kGroupAction)) {
        clearSelection();
        return;
    }
    const std::optional<FoundationRecord> head = readRecord(ctx_.folders, first);
    const int storedType = head ? static_cast<int>(cInt(head->data1[field::foundationType])) : 0;
    const int preset = storedType == kTypePileCap ? kTypePileCap : kTypeIsolated;
    hide();
    // After a refusal the dialog opens again with what was typed and chosen,
    // so only what was wrong needs changing.
    int type = preset;
    QString name;
    while (true) {
        const GroupName answer = askName(ctx_, type, this, name);
        const GroupingResult result = applyGroupName(ctx_.folders, first, last, answer, highestGroup_);
        if (!result.outcome.ok) ctx_.ask().report(result.outcome);
        if (!result.askAgain) break;
        type = answer.type;
        name = answer.name;
    }
    fillSupportList();
    clearSelection();
    // Shown again whatever the dialog answered, Cancel included.
    show();
}

void ImportReviewWindow::ungroup() {
    int first = selStart_, last = selEnd_;
    if (confirmRowRange(ctx_.ask(), first, last, recordCount_, kReleaseAction)) {
        ctx_.ask().report(ungroupRecords(ctx_.folders, first, last));
        fillSupportList();
    }
    clearSelection();
}

void ImportReviewWindow::autoGroup() {
    clearSelection();
    if (!chooseTypes(ctx_, this)) return;
    fillSupportList();
    // The types took group numbers after the largest in the file.
    highestGroup_ = k5::highestGroup(ctx_.folders);
}

} // namespace k5
