#pragma once
#include "calc/sizing.h"

#include <QWidget>

class QDoubleSpinBox;
class QPushButton;

namespace k5 {

// The options of a sizing proposal an engineer sets in both sizing windows:
// the aspect limit of a footing and the target ratio, with 再提案 to search
// again with them. The other limits pass through unchanged.
class SizingOptions : public QWidget {
    Q_OBJECT
  public:
    SizingOptions(const SizingLimits& limits, QWidget* parent = nullptr);
    SizingLimits limits() const;

  signals:
    void searchAgain();

  private:
    SizingLimits base_;
    QDoubleSpinBox* aspect_ = nullptr;
    QDoubleSpinBox* target_ = nullptr;
};

} // namespace k5
