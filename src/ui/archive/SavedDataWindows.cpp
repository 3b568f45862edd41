#include "ui/archive/SavedDataWindows.h"

#include "archive/archive_driver.h"
#include "archive/saved_data.h"
#include "shell/app_context.h"
#include "ui/archive/FolderBrowser.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace k5 {
namespace {

const QString kNothingSelected = QStringLiteral("データが選択されていません");
const QString kNoArchives = QStringLiteral("保存データがありません");
const QString kNothingPicked = QStringLiteral("削除対象に選択されたデータがありません");

QStringList namesOf(const QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

// The failures of a batch, one file a line, under what was being done.
QString failureText(const QString& what, const FileBatch& batch) {
    return what + QStringLiteral("できなかった保存データがあります。　　　\n\n") + batch.failed.join(u'\n');
}

} // namespace

SavedDataWindow::SavedDataWindow(AppContext& ctx, const QString& sourceCaption, const QString& pickedCaption,
                                 QWidget* parent)
    : QDialog(parent), ctx_(ctx) {
    source_ = new FolderBrowser(QStringLiteral("1"), true, this);
    sourceList_ = new QListWidget(this);
    sourceList_->setObjectName(QStringLiteral("List1"));
    pickedList_ = new QListWidget(this);
    pickedList_->setObjectName(QStringLiteral("List2"));
    for (QListWidget* list : {sourceList_, pickedList_})
        list->setMinimumSize(200, 160);

    pickButtons_ = new QWidget(this);
    auto* buttons = new QVBoxLayout(pickButtons_);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addStretch();
    const struct {
        const char* name;
        const char* caption;
        const char* tip;
        void (SavedDataWindow::*run)();
    } picks[] = {
        {"cmd選択", "＞", "選んだ保存データを対象に加えます", &SavedDataWindow::pickOne},
        {"cmd全選択", "≫", "すべての保存データを対象に加えます", &SavedDataWindow::pickAll},
        {"cmd選択解除", "＜", "選んだ対象を元の一覧に戻します", &SavedDataWindow::returnOne},
        {"cmd全選択解除", "≪", "すべての対象を元の一覧に戻します", &SavedDataWindow::returnAll},
    };
    for (const auto& p : picks) {
        QPushButton* b = makeButton(pickButtons_, QString::fromUtf8(p.name), QString::fromUtf8(p.caption));
        b->setToolTip(QString::fromUtf8(p.tip));
        b->setFixedWidth(48);
        connect(b, &QPushButton::clicked, this, [this, run = p.run] { (this->*run)(); });
        buttons->addWidget(b);
    }
    buttons->addStretch();
    connect(sourceList_, &QListWidget::itemDoubleClicked, this, [this] { pickOne(); });
    connect(pickedList_, &QListWidget::itemDoubleClicked, this, [this] { returnOne(); });

    back_ = makeButton(this, QStringLiteral("cmd戻る"), QStringLiteral("戻る"));
    connect(back_, &QPushButton::clicked, this, [this] { closeWindow(); });

    auto* outer = new QVBoxLayout(this);
    auto* top = new QGridLayout;
    top->addWidget(makeLabel(this, QStringLiteral("Label保存先"), QStringLiteral("ホルダ")), 0, 0);
    top->addWidget(source_, 1, 0);
    top->addWidget(makeLabel(this, QStringLiteral("Label1"), sourceCaption), 0, 1);
    top->addWidget(sourceList_, 1, 1);
    top->addWidget(pickButtons_, 1, 2);
    top->addWidget(makeLabel(this, QStringLiteral("Label2"), pickedCaption), 0, 3);
    top->addWidget(pickedList_, 1, 3);
    top->setColumnStretch(0, 3);
    top->setColumnStretch(1, 2);
    top->setColumnStretch(3, 2);
    outer->addLayout(top, 1);

    connect(source_, &FolderBrowser::folderChanged, this, [this] { showFolder(); });
}

QStringList SavedDataWindow::sourceNames() const {
    return namesOf(sourceList_);
}

QStringList SavedDataWindow::pickedNames() const {
    return namesOf(pickedList_);
}

void SavedDataWindow::showFolder() {
    sourceList_->clear();
    sourceList_->addItems(source_->files());
    pickedList_->clear();
}

void SavedDataWindow::showFolderAfter(bool keepPicked) {
    source_->refresh();
    const QStringList onDisk = source_->files();
    QStringList picked;
    if (keepPicked)
        for (const QString& name : pickedNames())
            if (onDisk.contains(name)) picked << name;
    sourceList_->clear();
    for (const QString& name : onDisk)
        if (!picked.contains(name)) sourceList_->addItem(name);
    pickedList_->clear();
    pickedList_->addItems(picked);
}

void SavedDataWindow::pickOne() {
    QListWidgetItem* item = sourceList_->currentItem();
    if (!item || !item->isSelected()) {
        ctx_.ask().inform(kNothingSelected);
        return;
    }
    pickedList_->addItem(item->text());
    delete sourceList_->takeItem(sourceList_->row(item));
}

void SavedDataWindow::pickAll() {
    if (sourceList_->count() == 0) {
        ctx_.ask().inform(kNoArchives);
        return;
    }
    pickedList_->addItems(sourceNames());
    sourceList_->clear();
}

void SavedDataWindow::returnOne() {
    QListWidgetItem* item = pickedList_->currentItem();
    if (!item || !item->isSelected()) {
        ctx_.ask().inform(kNothingSelected);
        return;
    }
    sourceList_->addItem(item->text());
    delete pickedList_->takeItem(pickedList_->row(item));
}

void SavedDataWindow::returnAll() {
    if (pickedList_->count() == 0) {
        ctx_.ask().inform(kNothingPicked);
        return;
    }
    sourceList_->addItems(pickedNames());
    pickedList_->clear();
}

void SavedDataWindow::closeWindow() {
    reject();
}

// ---------------------------------------------------------------------------

SavedDataDeleteWindow::SavedDataDeleteWindow(AppContext& ctx, QWidget* parent)
    : SavedDataWindow(ctx, QStringLiteral("現在の保存データ"), QStringLiteral("削除対象の保存データ"),
                      parent) {
    setObjectName(QStringLiteral("frm保存データ削除"));
    setWindowTitle(QStringLiteral("保存データの削除"));
    execute_ = makeButton(this, QStringLiteral("cmd削除実行"), QStringLiteral("削除実行"));
    connect(execute_, &QPushButton::clicked, this, [this] { executeDelete(); });
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(execute_);
    bottom->addWidget(back_);
    static_cast<QVBoxLayout*>(layout())->addLayout(bottom);

    // The folder of the last save, or the save folder when that one is
    // blank, of another machine or gone.
    const QString start = archiveStartFolder(ctx.folders, ctx.control);
    if (start.isEmpty()) {
        ctx.ask().inform(
            QStringLiteral("データ読込で予期せぬエラーが発生しました。\nデータ読込を中止しました｡ "));
        source_->setFolder(QDir::homePath());
    } else {
        source_->setFolder(start);
    }
    resize(sizeHint().expandedTo(QSize(760, 420)));
}

void SavedDataDeleteWindow::executeDelete() {
    if (pickedList_->count() == 0) {
        ctx_.ask().inform(kNothingPicked);
        return;
    }
    if (!ctx_.ask().askOkCancel(
            QStringLiteral("削除されたデータはもとに戻すことはできません。\n削除を実行してもいいですか。")))
        return;
    const FileBatch deleted = deleteArchives(source_->folder(), pickedNames());
    showFolderAfter(true);
    if (deleted.allDone())
        ctx_.ask().inform(QStringLiteral("削除対象のデータを全て削除しました"));
    else
        ctx_.ask().warn(failureText(QStringLiteral("削除"), deleted));
}

// ---------------------------------------------------------------------------

SavedDataMoveWindow::SavedDataMoveWindow(AppContext& ctx, QWidget* parent)
    : SavedDataWindow(ctx, QStringLiteral("移動元データ"), QStringLiteral("移動対象に選択された保存データ"),
                      parent) {
    setObjectName(QStringLiteral("frm保存データ移動"));
    setWindowTitle(QStringLiteral("データの移動"));
    askFolderName = [this](const QString& title, const QString& prompt, QString& answer) {
        bool ok = false;
        answer = QInputDialog::getText(this, title, prompt, QLineEdit::Normal, QString(), &ok);
        return ok;
    };

    auto* target = new QGroupBox(QStringLiteral("移動先指定"), this);
    target->setObjectName(QStringLiteral("Frame移動先"));
    destination_ = new FolderBrowser(QStringLiteral("2"), true, target, false);
    auto* targetLayout = new QGridLayout(target);
    targetLayout->addWidget(destination_->drives(), 0, 0);
    targetLayout->addWidget(destination_->folders(), 1, 0, 2, 1);
    targetLayout->addWidget(
        makeLabel(target, QStringLiteral("Label移動先内容"), QStringLiteral("移動先ホルダの内容 ")), 0, 1);
    targetLayout->addWidget(destination_->fileList(), 1, 1);
    QPushButton* create =
        makeButton(target, QStringLiteral("cmdホルダ作成"), QStringLiteral("ﾎﾙﾀﾞの作成..."));
    connect(create, &QPushButton::clicked, this, [this] { createFolder(); });
    targetLayout->addWidget(create, 2, 1, Qt::AlignRight);
    targetLayout->setColumnStretch(0, 3);
    targetLayout->setColumnStretch(1, 2);
    destination_->hide(); // its lists live in the frame's layout

    auto* after = new QGroupBox(QStringLiteral("コピー後の処理"), this);
    after->setObjectName(QStringLiteral("Frameコピー後"));
    move_ = new QRadioButton(QStringLiteral("もとのデータを残さない"), after);
    move_->setObjectName(QStringLiteral("Opt残さない"));
    copy_ = new QRadioButton(QStringLiteral("もとのデータを残す"), after);
    copy_->setObjectName(QStringLiteral("Opt残す"));
    auto* afterLayout = new QVBoxLayout(after);
    afterLayout->addWidget(move_);
    afterLayout->addWidget(copy_);
    afterLayout->addStretch();
    connect(move_, &QRadioButton::clicked, this, [this] { setKeepOriginals(false); });
    connect(copy_, &QRadioButton::clicked, this, [this] { setKeepOriginals(true); });

    execute_ = makeButton(this, QStringLiteral("cmd実行"), QString());
    connect(execute_, &QPushButton::clicked, this, [this] { executeMove(); });
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(after);
    buttons->addStretch();
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(execute_);
    row->addWidget(back_);
    buttons->addLayout(row);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(target, 3);
    bottom->addLayout(buttons, 1);
    static_cast<QVBoxLayout*>(layout())->addLayout(bottom, 1);

    // The window opens moving: the originals are not kept.
    move_->setChecked(true);
    operationWord_ = QStringLiteral("移動");
    execute_->setText(operationWord_ + QStringLiteral("実行"));

    const QString start = archiveStartFolder(ctx.folders, ctx.control);
    source_->setFolder(start.isEmpty() ? QDir::homePath() : start);
    destination_->setFolder(ctx.folders.saveFolder);
    resize(sizeHint().expandedTo(QSize(820, 600)));
}

void SavedDataMoveWindow::setKeepOriginals(bool keep) {
    operationWord_ = keep ? QStringLiteral("コピー") : QStringLiteral("移動");
    execute_->setText(operationWord_ + QStringLiteral("実行"));
    setWindowTitle(QStringLiteral("保存データの") + operationWord_);
}

void SavedDataMoveWindow::createFolder() {
    const QString parent = destination_->folder();
    QString answer;
    if (!askFolderName(QStringLiteral("新規ホルダ作成"),
                       QStringLiteral("新しく作成するホルダ名を入力してください。\n\n") + parent +
                           QStringLiteral("/..."),
                       answer) ||
        answer.isEmpty())
        return;
    const QString problem = createSubfolder(parent, answer);
    if (!problem.isEmpty()) {
        ctx_.ask().warn(problem);
        return;
    }
    destination_->refresh();
}

void SavedDataMoveWindow::executeMove() {
    const QString word = operationWord_;
    if (pickedList_->count() == 0) {
        ctx_.ask().inform(word + QStringLiteral("対象となるデータが選択されていません。"));
        return;
    }
    // Onto its own folder, a move would copy each file onto itself and then
    // delete it.
    if (isSameFolder(source_->folder(), destination_->folder())) {
        ctx_.ask().warn(word + QStringLiteral("先が") + word +
                        QStringLiteral("元と同じホルダです。　　　\n") + word +
                        QStringLiteral("先には別のホルダを指定してください。"));
        return;
    }
    const bool moving = move_->isChecked();
    const FileBatch done = copyArchives(source_->folder(), destination_->folder(), pickedNames(), moving);
    // A copy keeps its picked list; a move empties it of what was moved.
    showFolderAfter(true);
    destination_->refresh();
    if (done.allDone())
        ctx_.ask().inform(word + QStringLiteral("対象のデータを全て") + word + QStringLiteral("しました。"));
    else
        ctx_.ask().warn(failureText(word, done));
}

} // namespace k5
