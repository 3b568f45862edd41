#pragma once
#include "calc/record_checks.h"
#include "ui/input/FoundationInputWindow.h"

#include <array>
#include <optional>

class QKeyEvent;

namespace k5 {

class PileArrangementPicture;

// "杭基礎の設計" (frm03杭基礎VUP02): one pile cap of the job, new (appended to
// the job) or the correction of a stored record. The arrangement chosen in
// 杭本数 opens the loads and spacings it has and closes the others; the pile
// kind gives the minimum edge distance and pile spacing for the diameter.
class PileCapWindow : public FoundationInputWindow {
    Q_OBJECT
  public:
    PileCapWindow(AppContext& ctx, const EditRequest& request, QWidget* parent = nullptr);

  protected:
    void showForm(const RecordForm& form) override;
    RecordForm form() const override;
    QWidget* inputField(const QString& input) const override;
    void showProposedPlan(const FoundationSize& size) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* buildMainTab();
    QWidget* buildDetailTab();
    // Opens and closes the fields of the arrangement at list position
    // `index`, shows its picture; the user's choice then moves the focus on
    // to the next field.
    void applyArrangement(int index, bool chosenByUser);
    // The arrangement at list position `index` shown and applied as a
    // choice in the list does it, the focus staying where it is.
    void chooseArrangement(int index);
    // The list position of the next arrangement after the shown one with
    // `count` piles, -1 when there is none.
    int nextArrangementWithPiles(int count) const;
    // Keys in the arrangement list, which the Enter order leaves out:
    // whether the key was used.
    bool arrangementListKey(const QKeyEvent& key);
    // Selects the pile kind and shows its minima for the diameter typed
    // (storing them for the save), or its rules when there is no diameter.
    void applyPileKind(int kind);
    // The same without storing: the minima shown, if the diameter gives any.
    std::optional<PileMinima> showPileKind(int kind);
    // A closed field is greyed and shows 0 unless `keepValue`.
    void setOpen(QLineEdit* field, bool open, bool keepValue = false);

    QLineEdit *pfai_ = nullptr, *Px1_ = nullptr, *Px2_ = nullptr, *Py1_ = nullptr, *Py2_ = nullptr;
    QLineEdit* Pe_ = nullptr;
    QComboBox* layout_ = nullptr;
    QButtonGroup* kinds_ = nullptr;
    std::array<QLabel*, 3> explanation_{};
    QLabel *Px2Caption_ = nullptr, *Px2Unit_ = nullptr, *Py2Caption_ = nullptr, *Py2Unit_ = nullptr;
    QLabel* spacingCaption_ = nullptr;
    std::array<PileArrangementPicture*, 11> pictures_{};
    int shownPicture_ = 0;
    bool browsingList_ = false; // the arrangement list moves under the arrow keys or the wheel
};

} // namespace k5
