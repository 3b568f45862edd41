#include "ui/input/LiveResultPanel.h"

#include "jobdata/job_file.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace k5 {
namespace {

const QColor kFailing(200, 0, 0);

QTableWidgetItem* cell(const QString& text, bool failing) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    if (failing) item->setForeground(kFailing);
    return item;
}

} // namespace

LiveResultPanel::LiveResultPanel(const Folders& folders, const RecordEdit& edit,
                                 std::function<RecordForm()> form, QWidget* parent)
    : QGroupBox(QStringLiteral("計算結果"), parent), folders_(folders), edit_(edit), form_(std::move(form)),
      masters_(CalcMasters::load(folders)) {
    setObjectName(QStringLiteral("Frame計算結果"));
    setToolTip(QStringLiteral("入力中の内容で計算した結果です（登録するまでデータには記録されません）"));
    auto* layout = new QVBoxLayout(this);
    state_ = new QLabel(this);
    state_->setObjectName(QStringLiteral("Label計算結果"));
    state_->setWordWrap(true);
    state_->setMinimumHeight(40);
    state_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(state_);

    table_ = new QTableWidget(kDesignCheckCount + 1, 2, this);
    table_->setObjectName(QStringLiteral("Grid計算結果"));
    table_->setHorizontalHeaderLabels({QStringLiteral("比"), QStringLiteral("判定")});
    QStringList rows;
    for (int c = 0; c < kDesignCheckCount; ++c)
        rows << designCheckCaption(static_cast<DesignCheck>(c));
    rows << QStringLiteral("最大比");
    table_->setVerticalHeaderLabels(rows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setFocusPolicy(Qt::NoFocus);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->verticalHeader()->setDefaultSectionSize(22);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setFixedHeight(table_->horizontalHeader()->sizeHint().height() + 22 * (kDesignCheckCount + 1) +
                           4);
    layout->addWidget(table_);

    const auto line = [&](const QString& name) {
        auto* label = new QLabel(this);
        label->setObjectName(name);
        label->setWordWrap(true);
        layout->addWidget(label);
        return label;
    };
    barsX_ = line(QStringLiteral("Label配筋X"));
    barsY_ = line(QStringLiteral("Label配筋Y"));
    bearing_ = line(QStringLiteral("Label接地圧"));
    warnings_ = line(QStringLiteral("Label注記"));
    warnings_->setStyleSheet(QStringLiteral("color: rgb(176,96,0);"));
    layout->addStretch();
    setFixedWidth(250);

    pause_.setSingleShot(true);
    pause_.setInterval(kPauseMs);
    connect(&pause_, &QTimer::timeout, this, [this] { updateNow(); });
}

void LiveResultPanel::watch(QWidget* window) {
    for (QLineEdit* edit : window->findChildren<QLineEdit*>())
        connect(edit, &QLineEdit::textChanged, this, &LiveResultPanel::scheduleUpdate);
    for (QComboBox* list : window->findChildren<QComboBox*>())
        connect(list, &QComboBox::currentIndexChanged, this, &LiveResultPanel::scheduleUpdate);
    for (QAbstractButton* option : window->findChildren<QAbstractButton*>())
        if (option->isCheckable())
            connect(option, &QAbstractButton::toggled, this, &LiveResultPanel::scheduleUpdate);
}

void LiveResultPanel::scheduleUpdate() {
    pause_.start();
}

const FoundationRecord& LiveResultPanel::storedRecord() {
    // Read once per record corrected (a duplicate moves the window to its copy).
    const int n = edit_.request.isCorrection() ? edit_.request.record : 0;
    if (n != storedNumber_) {
        storedNumber_ = n;
        stored_ = n > 0 ? readRecord(folders_, n).value_or(FoundationRecord{}) : FoundationRecord{};
    }
    return stored_;
}

void LiveResultPanel::updateNow() {
    pause_.stop();
    result_ = evaluateForm(edit_, form_(), masters_, storedRecord());
    showResult();
}

void LiveResultPanel::showResult() {
    const bool designed = result_.state == LiveResult::State::Designed;
    const DesignResult& r = result_.result;
    if (designed) {
        const bool ng = r.verdict == Verdict::Ng;
        state_->setText(ng ? QStringLiteral("NG　（赤字の検討が満たされていません）") : QStringLiteral("OK"));
        state_->setStyleSheet(ng ? QStringLiteral("color: rgb(200,0,0); font-weight: bold;")
                                 : QStringLiteral("font-weight: bold;"));
    } else {
        state_->setText(result_.message);
        state_->setStyleSheet(
            result_.state == LiveResult::State::Stopped ? QStringLiteral("color: rgb(200,0,0);") : QString());
    }
    for (int c = 0; c < kDesignCheckCount; ++c) {
        const CheckRatio& check = r.checks[static_cast<size_t>(c)];
        const bool shown = designed && check.applies;
        const bool failing = shown && (check.ng || ratioShown(check.ratio) > 1);
        table_->setItem(c, 0, cell(shown ? ratioText(check.ratio) : QStringLiteral("－"), failing));
        table_->setItem(
            c, 1,
            cell(shown ? (check.ng ? QStringLiteral("NG") : QStringLiteral("OK")) : QString(), check.ng));
    }
    const bool anyRatio = designed && r.hasRatios();
    table_->setItem(kDesignCheckCount, 0,
                    cell(anyRatio ? ratioText(r.maxRatio()) : QStringLiteral("－"),
                         anyRatio && ratioShown(r.maxRatio()) > 1));
    table_->setItem(kDesignCheckCount, 1,
                    cell(designed ? r.verdictText() : QString(), r.verdict == Verdict::Ng));
    barsX_->setText(designed ? QStringLiteral("配筋 X方向：") + decidedBarsText(result_.record, 1)
                             : QString());
    barsY_->setText(designed ? QStringLiteral("配筋 Y方向：") + decidedBarsText(result_.record, 2)
                             : QString());
    bearing_->setText(designed ? bearingSummary(result_.record) : QString());
    showWarnings();
}

void LiveResultPanel::showWarnings() {
    // Marked, not judged: the design stands as OK or NG as it is.
    const QStringList& warnings = result_.warnings;
    warnings_->setVisible(!warnings.isEmpty());
    warnings_->setText(warnings.isEmpty() ? QString()
                                          : QStringLiteral("※注記：") + warnings.join(QStringLiteral("。※")));
    warnings_->setToolTip(warnings.isEmpty() ? QString()
                                             : warnings.join(u'\n') +
                                                   QStringLiteral("\n（注意です。判定には含まれません）"));
}

} // namespace k5
