#pragma once
#include "ui/input/FoundationInputWindow.h"

class QCheckBox;

namespace k5 {

// "独立基礎" (frm01独立基礎): one isolated footing of the job, new (appended to
// the job) or the correction of a stored record, as the request says. Closes
// on ﾁｪｯｸ記録終了 when the checks pass and the record is saved, on 現状記録終了,
// and on ｷｬﾝｾﾙ (nothing saved). A save that fails says so and keeps the window.
class IsolatedFootingWindow : public FoundationInputWindow {
    Q_OBJECT
  public:
    IsolatedFootingWindow(AppContext& ctx, const EditRequest& request, QWidget* parent = nullptr);

  protected:
    void showForm(const RecordForm& form) override;
    RecordForm form() const override;
    QWidget* inputField(const QString& input) const override;
    void showProposedPlan(const FoundationSize& size) override;

  private:
    QWidget* buildMainTab();
    QWidget* buildDetailTab();
    void applyCentre(QCheckBox* box, QLineEdit* offset, QLabel* caption);
    void centreClicked(QCheckBox* box, QLineEdit* offset, QLabel* caption);

    QLineEdit *Lx1_ = nullptr, *Ly1_ = nullptr;
    QLabel *Lx1Caption_ = nullptr, *Ly1Caption_ = nullptr;
    QCheckBox *centreX_ = nullptr, *centreY_ = nullptr;
    QLineEdit *Lx_ = nullptr, *Ly_ = nullptr, *fe_ = nullptr;
};

} // namespace k5
