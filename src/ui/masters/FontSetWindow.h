#pragma once
#include <QDialog>

class QFrame;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace k5 {

struct AppContext;
class GridEditor;

// frmフォントセット: the face and sizes of the calculation report, up to ten
// sets of which one is in use.
class FontSetWindow : public QDialog {
    Q_OBJECT
  public:
    explicit FontSetWindow(AppContext& ctx, QWidget* parent = nullptr);
    void reject() override;

    int fontSetInUse() const { return inUse_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void loadTable();
    void paintRow(int row, const QColor& colour);
    void markInUse();
    void useEditedSet();
    void registerAndClose();
    void openKeyActions();

    AppContext& ctx_;
    QTableWidget* grid_;
    GridEditor* editor_;
    QPushButton* useButton_;
    QString editorStyle_; // the cell editor's own style, to which the row colour is added
    int inUse_ = 0;
};

} // namespace k5
