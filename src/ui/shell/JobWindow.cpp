#include "ui/shell/JobWindow.h"

#include "input/field_limits.h"
#include "jobdata/job_file.h"
#include "jobdata/record_layout.h"
#include "platform/fixed_text.h"
#include "platform/numbers.h"
#include "shell/app_context.h"
#include "shell/cancel_confirmation.h"
#include "ui/gridedit/FieldNavigator.h"
#include "ui/input/FormKit.h"
#include "ui/shell/WindowRegistry.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace k5 {
namespace {

const QString kCommonValuesWindow = QStringLiteral("frm00設計共通値");

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

JobWindow::JobWindow(AppContext& ctx, QWidget* parent, bool newJob) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frm新規作成"));
    setWindowTitle(QStringLiteral("新規作成"));

    jobName_ = new QLineEdit(this);
    jobName_->setObjectName(QStringLiteral("Text_工事名"));
    fileName_ = new QLineEdit(this);
    fileName_->setObjectName(QStringLiteral("Text_ファイル名"));
    jobName_->setMinimumWidth(360);
    limitText(jobName_, QStringLiteral("工事名"), kJobNameBytes);
    limitText(fileName_, QStringLiteral("ファイル名"), kFileNameBytes);
    pressButtonsWithEnter();

    auto* units = new QGroupBox(QStringLiteral("使用単位"), this);
    si_ = new QRadioButton(QStringLiteral("SI単位（N，kN）"), units);
    si_->setObjectName(QStringLiteral("Opt_si"));
    cgs_ = new QRadioButton(QStringLiteral("CGS単位（kg，t）"), units);
    cgs_->setObjectName(QStringLiteral("Opt_cgs"));
    auto* unitLayout = new QHBoxLayout(units);
    unitLayout->addWidget(si_);
    unitLayout->addWidget(cgs_);
    unitLayout->addStretch();

    auto* common = button(QStringLiteral("Cmd共通値設定"), QStringLiteral("共通値設定..."), this);
    register_ = button(QStringLiteral("登録"), QStringLiteral("登録"), this);
    QPushButton* ok = register_;
    auto* cancel = button(QStringLiteral("キャンセル"), QStringLiteral("ｷｬﾝｾﾙ"), this);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("工事名："), this), 0, 0);
    fields->addWidget(jobName_, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("ファイル名："), this), 1, 0);
    fields->addWidget(fileName_, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(common);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(units);
    layout->addLayout(buttons);

    navigator_ = new FieldNavigator(this);
    navigator_->setFocusList({jobName_, fileName_, si_, cgs_});
    // Installed after the navigator's, so this window sees the keys first.
    for (QWidget* field : std::initializer_list<QWidget*>{jobName_, fileName_, si_, cgs_})
        field->installEventFilter(this);

    connect(si_, &QRadioButton::clicked, this, [this] { chooseUnit(1, si_); });
    connect(cgs_, &QRadioButton::clicked, this, [this] { chooseUnit(2, cgs_); });
    connect(common, &QPushButton::clicked, this, &JobWindow::openCommonValues);
    connect(ok, &QPushButton::clicked, this, &JobWindow::registerJob);
    connect(cancel, &QPushButton::clicked, this, &JobWindow::reject);
    // The common values window belongs to the design input; without it the button has nothing to open.
    common->setEnabled(isWindowRegistered(kCommonValuesWindow));

    jobName_->setText(ctx_.job.currentJobName);
    fileName_->setText(ctx_.job.currentFileName);
    si_->setChecked(true); // whatever the job's unit: the choice only counts when clicked
    // The loads of stored foundations are in the job's unit: another unit
    // would relabel them without converting them. A job with foundations
    // shows its unit and keeps it; a new job replaces it, so its unit is free.
    if (!newJob && recordCountOf(ctx_.folders) > 0) {
        if (const std::optional<FoundationRecord> first = readRecord(ctx_.folders, 1)) {
            const bool si = cInt(first->data1[field::unitSystem]) == 1;
            (si ? si_ : cgs_)->setChecked(true);
            si_->setEnabled(false);
            cgs_->setEnabled(false);
            units->setToolTip(QStringLiteral("基礎データのある工事の単位は変更できません。"));
        }
    }
    loading_ = false;
}

void JobWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FieldNavigator::focusAndSelect(jobName_);
}

void JobWindow::chooseUnit(int unitSystem, QRadioButton* option) {
    if (loading_) return;
    ctx_.job.unitSystem = unitSystem;
    navigator_->advanceFrom(option);
}

// A new job is usually saved under its own name: leaving the job name fills a
// file name that is still blank or undecided.
void JobWindow::copyJobNameToFileName() {
    const QString job = trimBlanks(jobName_->text());
    const QString file = trimBlanks(fileName_->text());
    if (!job.isEmpty() && (file.isEmpty() || file == kUndecided)) fileName_->setText(job);
}

bool JobWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == jobName_ && event->type() == QEvent::FocusOut) copyJobNameToFileName();
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // Esc is ｷｬﾝｾﾙ in every field of this small window.
        if (key == Qt::Key_Escape) {
            reject();
            return true;
        }
        // The unit is the last thing to decide: Enter on an option goes on to
        // 登録 (Space or the arrow keys choose the option).
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && (watched == si_ || watched == cgs_)) {
            setAttribute(Qt::WA_KeyboardFocusChange); // the button shows its focus mark
            register_->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void JobWindow::openCommonValues() {
    execWindowByName(ctx_, kCommonValuesWindow, this);
}

void JobWindow::registerJob() {
    // Emptiness is judged on the text as typed: blanks only pass and give an empty name.
    if (jobName_->text().isEmpty()) {
        ctx_.ask().warn(QStringLiteral("工事名が入力されていません。\n\n工事名は必ず入力してください。"));
        return;
    }
    if (fileName_->text().isEmpty()) {
        ctx_.ask().warn(
            QStringLiteral("ファイル名が入力されていません。\n\nファイル名は必ず入力してください。"));
        return;
    }
    // Names put into the fields other than by typing are held to the same
    // limits as typed ones.
    for (auto [field, caption, bytes] :
         {std::tuple{jobName_, QStringLiteral("工事名"), kJobNameBytes},
          std::tuple{fileName_, QStringLiteral("ファイル名"), kFileNameBytes}}) {
        if (QString problem = textProblem(trimBlanks(field->text()), caption, bytes); !problem.isEmpty()) {
            ctx_.ask().warn(problem);
            FieldNavigator::focusAndSelect(field);
            return;
        }
    }
    const QString fileName = trimBlanks(fileName_->text());
    if (QString problem = fileNameProblem(fileName); !problem.isEmpty()) {
        ctx_.ask().warn(problem);
        FieldNavigator::focusAndSelect(fileName_);
        return;
    }
    ctx_.job.currentJobName = trimBlanks(jobName_->text());
    ctx_.job.currentFileName = fileName;
    QDialog::accept();
}

void JobWindow::reject() {
    QDialog::reject();
}

bool runJobWindow(AppContext& ctx, QWidget* parent, bool newJob) {
    JobWindow window(ctx, parent, newJob);
    return window.exec() == QDialog::Accepted;
}

} // namespace k5
