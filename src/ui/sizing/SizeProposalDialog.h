#pragma once
#include "calc/sizing.h"

#include <QDialog>

#include <optional>

namespace k5 {

// "寸法提案": the proposal for the foundation of an input window beside its
// current values, with the governing check and ratio and what fails one
// step smaller. 適用 accepts (the window copies the values into its fields,
// nothing is saved); 閉じる leaves the form as it was.
// The aspect limit and target ratio are offered above the result; 再提案
// closes the dialog with kSearchAgain so that the caller searches again
// with limits().
class SizingOptions;
class SizeProposalDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kSearchAgain = 2;
    SizeProposalDialog(const SizeProposal& proposal, bool pileCap, const SizingLimits& limits = {},
                       QWidget* parent = nullptr);
    SizingLimits limits() const;

  private:
    SizingOptions* options_ = nullptr;
};

struct AppContext;
struct RecordEdit;
struct RecordForm;

// The proposal for the record an input window shows (its empty fields taken
// from the common values, as 登録 takes them; in an imported job with the
// other records of its design group), in the dialog; the size to copy into
// the fields when the user chose 適用. A form that cannot be read says why.
std::optional<FoundationSize> askSizeProposal(AppContext& ctx, const RecordEdit& edit, const RecordForm& form,
                                              QWidget* parent);

} // namespace k5
