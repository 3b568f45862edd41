#pragma once
#include "input/common_values_form.h"
#include "jobdata/common_values.h"

#include <QDialog>
#include <array>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace k5 {

struct AppContext;
class FieldNavigator;

// "共通値の登録" (frm00設計共通値): the default design data of new
// foundations, one set for SI and one for CGS. Both sets are edited while
// the window is open (values typed for one unit stay while the other is
// shown); 登録 saves both.
class CommonValuesWindow : public QDialog {
    Q_OBJECT
  public:
    explicit CommonValuesWindow(AppContext& ctx, QWidget* parent = nullptr);

    // 登録: the shown unit's values are collected, both units saved, and the
    // common values of the job's unit system are the saved ones.
    void registerValues();
    // ｷｬﾝｾﾙ, Esc or the close box: nothing is saved (after the cancel
    // confirmation when it is switched on).
    void reject() override;

    int shownUnit() const { return shownUnit_; }
    // The window's copy of a unit's values (1 SI, 2 CGS).
    const CommonValues& copy(int unit) const { return copies_[unit]; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void buildFields();
    void showCommonValues(int unit);
    // False, with the focus on the first refused value, when any was refused.
    bool collectCommonValues(int unit);
    void switchUnit(int unit);
    void pickGrade();
    void fillSizeList(const QString& kind);
    CommonValuesEntry entry() const;
    QLineEdit* field(const QString& name);

    AppContext& ctx_;
    std::array<CommonValues, 3> copies_{}; // [1] SI, [2] CGS
    int shownUnit_ = 1;
    bool loading_ = false;
    QString barKind_;

    QRadioButton* si_ = nullptr;
    QRadioButton* cgs_ = nullptr;
    QLabel* unitLabel_ = nullptr;
    QLabel* feUnit_ = nullptr;
    QLabel* PeUnit_ = nullptr;
    QLabel* FcUnit_ = nullptr;
    QLabel* WcUnit_ = nullptr;
    QLabel* WsUnit_ = nullptr;
    QComboBox* grade_ = nullptr;
    QComboBox* size_ = nullptr;
    QButtonGroup* priority_ = nullptr;
    QLineEdit *fe_, *pe_, *pfai_, *Fc_, *Wc_, *Ws_, *ax_, *ay_, *h1_, *h2_, *D1_, *D2_, *d_;
    QLineEdit *edgx_, *edgy_, *pitchx_, *pitchy_, *nx_, *ny_;
    QLineEdit* focusHolder_ = nullptr;
    FieldNavigator* navigator_ = nullptr;
};

} // namespace k5
