#pragma once
#include <QDialog>

class QRadioButton;

namespace k5 {

struct AppContext;

// "新規作成基礎タイプの指定" (frm新規基礎タイプ指定): is a new foundation an
// isolated footing or a pile cap?
class FoundationTypeWindow : public QDialog {
    Q_OBJECT
  public:
    explicit FoundationTypeWindow(AppContext& ctx, QWidget* parent = nullptr);
    // 作成: the chosen option's type, typeDialogResult 1.
    void create();
    // 1 after 作成, 2 after ｷｬﾝｾﾙ (or Esc, or the close box).
    int typeDialogResult() const { return result_; }
    // kTypeIsolated or kTypePileCap after 作成 with an option chosen, else 0.
    int chosenType() const { return chosenType_; }

  private:
    AppContext& ctx_;
    QRadioButton* footing_;
    QRadioButton* pileCap_;
    int result_ = 2;
    int chosenType_ = 0;
};

// Asks for the type of a new foundation. Returns 1 (isolated footing) or 2
// (pile cap); 0 when cancelled.
int askFoundationType(AppContext& ctx, QWidget* parent);

} // namespace k5
