#pragma once
#include "shell/size_proposals.h"

#include <QDialog>

class QLabel;
class QTableWidget;
class QPushButton;

namespace k5 {

struct AppContext;
class SizingOptions;

// "寸法提案（全基礎）": the proposal of every foundation of the job beside its
// current size, found with a progress dialog that can be cancelled. Rows
// can be unticked; 適用 writes the ticked ones into the job in one
// replacement and offers 計算開始.
class JobSizingWindow : public QDialog {
    Q_OBJECT
  public:
    explicit JobSizingWindow(AppContext& ctx, QWidget* parent = nullptr);
    // Only records first..last (the rows chosen in the main list) are sized.
    void limitToRecords(int first, int last);
    // Whether the user chose 計算開始 after 適用 (the caller runs it, as its
    // menu command does).
    bool calculationChosen() const { return calculationChosen_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void findProposals();
    void fillTable();
    void applyTicked();

    AppContext& ctx_;
    JobForSizing job_;
    QList<JobProposal> proposals_;
    bool found_ = false;
    bool calculationChosen_ = false;
    int first_ = 1;
    int last_ = 0; // 0: to the end of the job
    QLabel* note_ = nullptr;
    QTableWidget* table_ = nullptr;
    QPushButton* apply_ = nullptr;
    SizingOptions* options_ = nullptr;
};

} // namespace k5
