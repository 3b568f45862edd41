#pragma once
#include <QDialog>

class QLineEdit;
class QTableWidget;

namespace k5 {

struct AppContext;
class GridEditor;

// frm鉄筋材種強度マスター: the rebar grades with their allowable tensile
// stresses by size class, and the Young's modulus of steel.
class GradeMasterWindow : public QDialog {
    Q_OBJECT
  public:
    explicit GradeMasterWindow(AppContext& ctx, QWidget* parent = nullptr);
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void loadGrid();
    void loadYoungFields();
    void registerAndClose();
    void initialise();
    void openKeyActions();

    AppContext& ctx_;
    QTableWidget* grid_;
    GridEditor* editor_;
    QLineEdit* youngSi_;
    QLineEdit* youngCgs_;
    bool activated_ = false;
};

} // namespace k5
