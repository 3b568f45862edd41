#pragma once
#include <QDialog>

class QLineEdit;
class QRadioButton;
class QTabWidget;

namespace k5 {

struct AppContext;

// frmコンクリート強度: which edition of the design rule gives the allowable
// stresses of concrete in SI jobs, and the short-term multipliers of CGS jobs,
// each shown beside its formulas.
class ConcreteStrengthWindow : public QDialog {
    Q_OBJECT
  public:
    explicit ConcreteStrengthWindow(AppContext& ctx, QWidget* parent = nullptr);
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void loadSetting();
    void registerAndClose();
    int chosenEdition() const;

    AppContext& ctx_;
    QTabWidget* tabs_;
    QRadioButton* edition1_;
    QRadioButton* edition2_;
    QRadioButton* edition3_;
    QLineEdit* factorC_;
    QLineEdit* factorS_;
    QLineEdit* focusHolder_;
};

} // namespace k5
