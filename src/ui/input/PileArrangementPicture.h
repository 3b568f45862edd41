#pragma once
#include <QWidget>

namespace k5 {

struct PileArrangementRule;

// The plan of one pile arrangement as the pile arrangement table places it:
// the cap outline, the piles, the column over the arrangement's reference
// point and the dimension marks of the distances the engineer enters (Px1,
// Px2, Py1, Py2), so that the user sees which distance is which.
class PileArrangementPicture : public QWidget {
  public:
    PileArrangementPicture(int code, QWidget* parent);
    int code() const { return code_; }

    static constexpr int kWidth = 300;
    static constexpr int kHeight = 230;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int code_;
};

} // namespace k5
