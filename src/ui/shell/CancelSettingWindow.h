#pragma once
#include <QDialog>

class QRadioButton;

namespace k5 {

struct AppContext;

// "キャンセル時設定" (frmキャンセル時指定): whether the cancel buttons of the
// input and settings windows ask before discarding changes.
class CancelSettingWindow : public QDialog {
    Q_OBJECT
  public:
    explicit CancelSettingWindow(AppContext& ctx, QWidget* parent = nullptr);
    // 登録: the choice goes into the control file, the window closes.
    void registerChoice();
    // ｷｬﾝｾﾙ, Esc, the close box: the cancel confirmation, then close.
    void reject() override;

  private:
    AppContext& ctx_;
    QRadioButton* ask_;
    QRadioButton* dontAsk_;
};

void runCancelSettingWindow(AppContext& ctx, QWidget* parent);

} // namespace k5
