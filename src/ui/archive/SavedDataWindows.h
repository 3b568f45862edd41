#pragma once
#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace k5 {

struct AppContext;
class FolderBrowser;

// What the two saved-data windows share: the browser of the folder whose
// archives are offered (List1) and the list of archives picked for the
// operation (List2), with the four picking buttons between them.
class SavedDataWindow : public QDialog {
    Q_OBJECT
  public:
    QStringList sourceNames() const;
    QStringList pickedNames() const;
    FolderBrowser* sourceBrowser() const { return source_; }

    // The picking buttons' operations.
    void pickOne();
    void pickAll();
    void returnOne();
    void returnAll();

  protected:
    SavedDataWindow(AppContext& ctx, const QString& sourceCaption, const QString& pickedCaption,
                    QWidget* parent);
    // Fills the source list from the browsed folder and empties the picked list.
    void showFolder();
    // After an operation: the picked names that are still in the folder stay
    // picked (`keepPicked`) or go back; the source list shows the rest.
    void showFolderAfter(bool keepPicked);
    void closeWindow();

    AppContext& ctx_;
    FolderBrowser* source_ = nullptr;
    QListWidget* sourceList_ = nullptr;
    QListWidget* pickedList_ = nullptr;
    QWidget* pickButtons_ = nullptr;
    QPushButton* execute_ = nullptr;
    QPushButton* back_ = nullptr;
};

// `frm保存データ削除`: deletes archives.
class SavedDataDeleteWindow : public SavedDataWindow {
    Q_OBJECT
  public:
    explicit SavedDataDeleteWindow(AppContext& ctx, QWidget* parent = nullptr);
    void executeDelete();
};

// `frm保存データ移動`: moves or copies archives to another folder, which it
// can create.
class SavedDataMoveWindow : public SavedDataWindow {
    Q_OBJECT
  public:
    explicit SavedDataMoveWindow(AppContext& ctx, QWidget* parent = nullptr);

    QString operationWord() const { return operationWord_; }
    FolderBrowser* destinationBrowser() const { return destination_; }
    void executeMove();
    void createFolder();

    // The folder name question; returns false when it was cancelled. Tests
    // may replace it.
    std::function<bool(const QString& title, const QString& prompt, QString& answer)> askFolderName;

  private:
    void setKeepOriginals(bool keep);

    QString operationWord_;
    FolderBrowser* destination_ = nullptr;
    QRadioButton* move_ = nullptr;
    QRadioButton* copy_ = nullptr;
};

} // namespace k5
