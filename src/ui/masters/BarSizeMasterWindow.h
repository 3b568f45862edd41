#pragma once
#include <QDialog>

class QLineEdit;
class QRadioButton;
class QTableWidget;

namespace k5 {

struct AppContext;
class GridEditor;

// frm鉄筋サイズマスター: the area and perimeter of each bar size, one table
// for deformed bars and one for round bars.
class BarSizeMasterWindow : public QDialog {
    Q_OBJECT
  public:
    explicit BarSizeMasterWindow(AppContext& ctx, QWidget* parent = nullptr);

    QString kind() const { return kind_; }
    // ｷｬﾝｾﾙ, Esc and the close box: nothing is saved; asks first when the user wants to be asked.
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void selectKind(const QString& kind);
    void setUpGrid();
    void registerAndClose();
    void openKeyActions();

    AppContext& ctx_;
    QString kind_ = QStringLiteral("D");
    QRadioButton* deformed_;
    QRadioButton* round_;
    QTableWidget* grid_;
    GridEditor* editor_;
    QLineEdit* focusHolder_;
};

} // namespace k5
