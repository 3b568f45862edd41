#include "ui/archive/FolderBrowser.h"

#include "archive/saved_data.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

namespace k5 {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kIndent = 3; // blanks per level of the folder list

// The folder itself or its nearest existing ancestor; the home folder when
// nothing of it exists.
QString existingFolder(const QString& folder) {
    QString f = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    while (!f.isEmpty() && !QFileInfo(f).isDir()) {
        const QString up = QFileInfo(f).path();
        if (up == f) break;
        f = up;
    }
    return QFileInfo(f).isDir() ? f : QDir::homePath();
}

// The folder list opens a folder on Enter as on a double-click.
class FolderList : public QListWidget {
  public:
    using QListWidget::QListWidget;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
            emit itemDoubleClicked(currentItem());
            return;
        }
        QListWidget::keyPressEvent(event);
    }
};

} // namespace

FolderBrowser::FolderBrowser(const QString& number, bool withFiles, QWidget* parent, bool arrange)
    : QWidget(parent) {
    drives_ = new QComboBox(this);
    drives_->setObjectName(QStringLiteral("Drive") + number);
    drives_->addItem(QStringLiteral("/"), QStringLiteral("/"));
    drives_->addItem(QDir::homePath(), QDir::homePath());
    folders_ = new FolderList(this);
    folders_->setObjectName(QStringLiteral("Dir") + number);
    folders_->setMinimumHeight(120);
    if (withFiles) {
        files_ = new QListWidget(this);
        files_->setObjectName(QStringLiteral("File") + number);
        files_->setSelectionMode(QAbstractItemView::NoSelection);
        files_->setMinimumHeight(60);
    }
    if (arrange) {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(4);
        layout->addWidget(drives_);
        layout->addWidget(folders_, 3);
        if (files_) layout->addWidget(files_, 2);
    }
    connect(drives_, &QComboBox::activated, this,
            [this](int index) { setFolder(drives_->itemData(index).toString()); });
    // A double-click (or Enter) opens a folder; a single click only marks it.
    connect(folders_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (item) setFolder(item->data(kPathRole).toString());
    });
    folder_ = QDir::homePath();
}

void FolderBrowser::setFolder(const QString& folder) {
    folder_ = existingFolder(folder);
    fill();
    emit folderChanged(folder_);
}

void FolderBrowser::refresh() {
    const QString before = folder_;
    folder_ = existingFolder(folder_);
    fill();
    if (folder_ != before) emit folderChanged(folder_);
}

QStringList FolderBrowser::files() const {
    return archivesIn(folder_);
}

void FolderBrowser::fill() {
    {
        // The place the folder lies in: the home folder or the root.
        const QSignalBlocker quiet(drives_);
        const QString home = QDir::homePath();
        const bool inHome = folder_ == home || folder_.startsWith(home + u'/');
        drives_->setCurrentIndex(inHome && home != QStringLiteral("/") ? 1 : 0);
    }
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    folders_->clear();
    // The ancestors from the root down, then the folder, then its subfolders.
    QStringList chain;
    for (QString f = folder_;; f = QFileInfo(f).path()) {
        chain.prepend(f);
        if (QFileInfo(f).path() == f) break;
    }
    int depth = 0;
    for (const QString& f : chain) {
        const QString name = f == QStringLiteral("/") ? f : QFileInfo(f).fileName();
        auto* item = new QListWidgetItem(open, QString(depth * kIndent, u' ') + name, folders_);
        item->setData(kPathRole, f);
        item->setToolTip(f);
        if (f == folder_) folders_->setCurrentItem(item);
        ++depth;
    }
    const QStringList subfolders = QDir(folder_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& sub : subfolders) {
        auto* item = new QListWidgetItem(closed, QString(depth * kIndent, u' ') + sub, folders_);
        item->setData(kPathRole, QDir(folder_).filePath(sub));
        item->setToolTip(item->data(kPathRole).toString());
    }
    if (files_) {
        files_->clear();
        files_->addItems(files());
    }
}

} // namespace k5
