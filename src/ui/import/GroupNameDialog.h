#pragma once
#include "import/import_review.h"

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace k5 {

struct AppContext;

// "基礎名・基礎タイプ" (frmRX2基礎名の入力): the design foundation name and
// type a range of imported supports is to share.
class GroupNameDialog : public QDialog {
    Q_OBJECT
  public:
    // `presetType` chooses the option shown first (pile cap for 2, else
    // isolated footing); `presetName` is the name shown (selected) at first,
    // e.g. the one typed before a refusal, to be corrected rather than typed again.
    explicit GroupNameDialog(AppContext& ctx, int presetType = kTypeIsolated, QWidget* parent = nullptr,
                             const QString& presetName = {});

    // 登録: the trimmed name and the chosen type, unless the name cannot be
    // stored as typed (the user is told why and the dialog stays).
    void registerName();
    // What the dialog answered: after ｷｬﾝｾﾙ (or Esc, or the close box) an
    // empty name and type 0.
    GroupName answer() const { return answer_; }

  private:
    AppContext& ctx_;
    QLineEdit* name_;
    QRadioButton* footing_;
    QRadioButton* pileCap_;
    GroupName answer_;
};

// Shows the dialog modally and returns its answer.
GroupName askGroupName(AppContext& ctx, int presetType, QWidget* parent, const QString& presetName = {});

} // namespace k5
