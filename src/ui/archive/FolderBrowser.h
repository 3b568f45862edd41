#pragma once
#include <QString>
#include <QWidget>

class QComboBox;
class QLabel;
class QListWidget;

namespace k5 {

// A folder chooser in the manner of the old drive, folder and file lists:
// a list of places (the file-system root and the home folder), the folder
// list (the current folder's ancestors, the folder itself and its
// subfolders, indented like a tree; a double-click or Enter opens one) and,
// if wanted, the archives (".lzh" in any case) of the current folder.
// Controls are named Drive<n>, Dir<n> and File<n>.
class FolderBrowser : public QWidget {
    Q_OBJECT
  public:
    // With `arrange` false the lists are left for the caller to place in its
    // own layout.
    FolderBrowser(const QString& number, bool withFiles, QWidget* parent = nullptr, bool arrange = true);

    QString folder() const { return folder_; }
    // Shows `folder` (or the nearest one of its ancestors that exists).
    void setFolder(const QString& folder);
    // Reads the current folder again from the disk.
    void refresh();
    // The archive names the file list shows, in its order.
    QStringList files() const;

    QComboBox* drives() const { return drives_; }
    QListWidget* folders() const { return folders_; }
    QListWidget* fileList() const { return files_; }

  signals:
    void folderChanged(const QString& folder);

  private:
    void fill();

    QString folder_;
    QComboBox* drives_ = nullptr;
    QListWidget* folders_ = nullptr;
    QListWidget* files_ = nullptr;
};

} // namespace k5
