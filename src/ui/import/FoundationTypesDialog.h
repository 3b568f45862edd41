#pragma once
#include "shell/foundation_types_run.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace k5 {

struct AppContext;

// "自動グループ化" (frm自動グループ化): foundation types for the imported
// supports. 計算 searches the types (at most the given number per foundation
// type) and shows them with the concrete they need against every support
// sized on its own; 適用 writes names, groups and sizes in one replacement
// of the job file.
class FoundationTypesDialog : public QDialog {
    Q_OBJECT
  public:
    explicit FoundationTypesDialog(AppContext& ctx, QWidget* parent = nullptr);
    ~FoundationTypesDialog() override;

    // 計算: the search with progress (中止 ends it, nothing shown).
    void calculate();
    // 適用: the shown types written into the job; the dialog closes on success.
    void applyTypes();

    const TypesPlan& plan() const { return plan_; }
    bool applied() const { return applied_; }

  private:
    void showPlan();
    void clearPlan();

    AppContext& ctx_;
    JobForSizing job_;
    TypesPlan plan_;
    bool applied_ = false;

    QSpinBox* maxTypes_;
    QLineEdit* prefix_;
    QCheckBox* all_;
    QPushButton* calculate_;
    QTableWidget* table_;
    QLabel* volume_;
    QLabel* unsized_;
    QPushButton* apply_;
};

// Shows the dialog modally; true when types were written into the job.
bool runFoundationTypesDialog(AppContext& ctx, QWidget* parent);

} // namespace k5
