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
    // 作成: currentFoundationType = 1 or 2 by the chosen option, typeDialogResult 1.
    void create();
    // 1 after 作成, 2 after ｷｬﾝｾﾙ (or Esc, or the close box).
    int typeDialogResult() const { return result_; }

  private:
    AppContext& ctx_;
    QRadioButton* footing_;
    QRadioButton* pileCap_;
    int result_ = 2;
};

// Asks for the type of a new foundation. Returns 1 (isolated footing) or 2
// (pile cap), also set in ctx.job.currentFoundationType; 0 when cancelled,
// leaving the job state as it was.
int askFoundationType(AppContext& ctx, QWidget* parent);

} // namespace k5
