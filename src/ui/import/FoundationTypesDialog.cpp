#include "ui/import/FoundationTypesDialog.h"

#include "calc/calc_masters.h"
#include "shell/app_context.h"

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace k5 {
namespace {

QPushButton* addButton(QWidget* owner, QHBoxLayout* row, const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, owner);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setMinimumWidth(110);
    row->addWidget(button);
    return button;
}

} // namespace

FoundationTypesDialog::FoundationTypesDialog(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frm自動グループ化"));
    setWindowTitle(QStringLiteral("自動グループ化"));
    auto* outer = new QVBoxLayout(this);

    auto* explanation = new QLabel(
        QStringLiteral(
            "ｸﾞﾙｰﾌﾟ化されていない支点を、直接基礎・杭基礎それぞれ指定された種類以内の基礎ﾀｲﾌﾟにまとめます。\n"
            "各ﾀｲﾌﾟは、そのすべての基礎が自分の荷重で計算を満たす寸法とし、"
            "全基礎のｺﾝｸﾘｰﾄ量が最も少なくなる組合せを探します。"),
        this);
    outer->addWidget(explanation);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    maxTypes_ = new QSpinBox(this);
    maxTypes_->setObjectName(QStringLiteral("Text種類数"));
    maxTypes_->setRange(1, 99);
    maxTypes_->setValue(TypeOptions{}.maxTypes);
    maxTypes_->setMinimumWidth(80);
    form->addRow(QStringLiteral("種類の数（基礎ﾀｲﾌﾟごと）(&N)"), maxTypes_);
    prefix_ = new QLineEdit(this);
    prefix_->setObjectName(QStringLiteral("Text基礎名の頭"));
    prefix_->setPlaceholderText(QStringLiteral("空欄: 直接基礎 F1, F2 …　杭基礎 P1, P2 …"));
    prefix_->setMinimumWidth(260);
    form->addRow(QStringLiteral("基礎名の頭(&P)"), prefix_);
    all_ = new QCheckBox(QStringLiteral("ｸﾞﾙｰﾌﾟ化済みの基礎も含める(&A)"), this);
    all_->setObjectName(QStringLiteral("Chkすべて"));
    form->addRow(QString(), all_);
    outer->addLayout(form);

    auto* run = new QHBoxLayout;
    calculate_ = addButton(this, run, QStringLiteral("cmd計算"), QStringLiteral("計算(&C)"));
    run->addStretch();
    outer->addLayout(run);

    table_ = new QTableWidget(this);
    table_->setObjectName(QStringLiteral("grdタイプ"));
    table_->setColumnCount(static_cast<int>(typeTableHeaders().size()));
    table_->setHorizontalHeaderLabels(typeTableHeaders());
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->horizontalHeader()->setMinimumSectionSize(72);
    table_->setMinimumSize(720, 260);
    outer->addWidget(table_, 1);

    volume_ = new QLabel(this);
    volume_->setObjectName(QStringLiteral("Labelコンクリート量"));
    volume_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    outer->addWidget(volume_);
    unsized_ = new QLabel(this);
    unsized_->setObjectName(QStringLiteral("Label提案なし"));
    unsized_->setWordWrap(true);
    unsized_->setStyleSheet(QStringLiteral("color: #b00000"));
    outer->addWidget(unsized_);

    auto* commands = new QHBoxLayout;
    commands->addStretch();
    apply_ = addButton(this, commands, QStringLiteral("cmd適用"), QStringLiteral("適用(&S)"));
    auto* close = addButton(this, commands, QStringLiteral("cmd終了"), QStringLiteral("終了"));
    outer->addLayout(commands);
    apply_->setEnabled(false);

    connect(calculate_, &QPushButton::clicked, this, &FoundationTypesDialog::calculate);
    connect(apply_, &QPushButton::clicked, this, &FoundationTypesDialog::applyTypes);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    // A changed option makes the shown types stale.
    connect(maxTypes_, &QSpinBox::valueChanged, this, &FoundationTypesDialog::clearPlan);
    connect(prefix_, &QLineEdit::textEdited, this, &FoundationTypesDialog::clearPlan);
    connect(all_, &QCheckBox::toggled, this, &FoundationTypesDialog::clearPlan);
    setTabOrder(maxTypes_, prefix_);
    setTabOrder(prefix_, all_);
    setTabOrder(all_, calculate_);
    setTabOrder(calculate_, table_);
    setTabOrder(table_, apply_);
    setTabOrder(apply_, close);
    maxTypes_->setFocus();
}

FoundationTypesDialog::~FoundationTypesDialog() = default;

void FoundationTypesDialog::clearPlan() {
    plan_ = {};
    table_->setRowCount(0);
    volume_->clear();
    unsized_->clear();
    apply_->setEnabled(false);
}

void FoundationTypesDialog::calculate() {
    clearPlan();
    TypeOptions options;
    options.maxTypes = maxTypes_->value();
    options.prefix = prefix_->text();
    options.all = all_->isChecked();
    if (const QString problem = typeOptionsProblem(options); !problem.isEmpty()) {
        ctx_.ask().report(Outcome::warning(problem));
        prefix_->setFocus();
        return;
    }
    job_ = loadJobForTypes(ctx_);
    if (!ctx_.ask().report(job_.loaded)) return;
    const CalcMasters masters = CalcMasters::load(ctx_.folders);

    QProgressDialog progress(QStringLiteral("基礎ﾀｲﾌﾟを探しています..."), QStringLiteral("中止"), 0, 1, this);
    progress.setObjectName(QStringLiteral("dlgProgress"));
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    progress.setValue(0);
    TypesPlan plan = chooseFoundationTypes(masters, job_.records, options, [&](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
        QApplication::processEvents();
        return !progress.wasCanceled();
    });
    progress.reset();
    activateWindow();
    if (plan.cancelled) return;
    plan_ = std::move(plan);
    showPlan();
}

void FoundationTypesDialog::showPlan() {
    table_->setRowCount(static_cast<int>(plan_.types.size()));
    for (int r = 0; r < table_->rowCount(); ++r) {
        const QStringList cells = typeTableRow(plan_.types[r]);
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(Qt::AlignVCenter | (c == 2 || c == 5 ? Qt::AlignRight : Qt::AlignLeft));
            table_->setItem(r, c, item);
        }
    }
    table_->resizeColumnsToContents();
    volume_->setText(typeVolumeLine(plan_));
    if (!plan_.unsized.isEmpty()) {
        QStringList lines;
        for (const UnsizedSupport& s : plan_.unsized)
            lines << QStringLiteral("No.%1 %2").arg(s.record).arg(s.reason);
        unsized_->setText(QStringLiteral("寸法を提案できない基礎（ｸﾞﾙｰﾌﾟ化しません）： ") +
                          lines.join(QStringLiteral("、")));
    }
    apply_->setEnabled(!plan_.types.isEmpty());
    if (apply_->isEnabled()) apply_->setFocus();
}

void FoundationTypesDialog::applyTypes() {
    if (plan_.types.isEmpty()) return;
    if (!ctx_.ask().report(applyFoundationTypes(ctx_, job_, plan_))) return;
    applied_ = true;
    accept();
}

bool runFoundationTypesDialog(AppContext& ctx, QWidget* parent) {
    FoundationTypesDialog dialog(ctx, parent);
    dialog.exec();
    return dialog.applied();
}

} // namespace k5
