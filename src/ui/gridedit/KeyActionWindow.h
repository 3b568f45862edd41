#pragma once
#include <QDialog>

class QCheckBox;
class QTableWidget;
class QVBoxLayout;

namespace k5 {

struct AppContext;
class GridEditor;

// "キーアクションの設定" (frmキーアクション設定): the three key-action
// switches, tried out at once on a 7 x 7 test grid.
class KeyActionWindow : public QDialog {
    Q_OBJECT
  public:
    explicit KeyActionWindow(AppContext& ctx, QWidget* parent = nullptr);
    GridEditor* gridEditor() const { return editor_; }

    // 登録: the switches are written to the key-action file; the window closes.
    void registerSettings();
    // ｷｬﾝｾﾙ, Esc, the close box: the cancel confirmation; the file is not
    // written, the switches stay in effect for the run until the file is read again.
    void reject() override;
    // Activation: the settings are read from the file into the check boxes;
    // the first activation starts editing the test grid at (1, 1).
    void activate();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QCheckBox* addSwitch(const QString& name, const QString& heading, const QString& on, const QString& off,
                         int setting);
    void showSettings();

    AppContext& ctx_;
    QTableWidget* grid_;
    GridEditor* editor_;
    QCheckBox* leftWrapsToPreviousRow_;
    QCheckBox* upWrapsToLastRow_;
    QCheckBox* downWrapsToFirstRow_;
    QVBoxLayout* switches_;
};

// Shows the key-action window modally over `parent` (the main window's menu and
// the masters' "ｷｰｱｸｼｮﾝ設定" buttons).
void runKeyActionWindow(AppContext& ctx, QWidget* parent);

} // namespace k5
