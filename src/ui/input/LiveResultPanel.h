#pragma once
#include "calc/calc_masters.h"
#include "input/live_result.h"
#include "input/record_transfer.h"

#include <QGroupBox>
#include <QTimer>

#include <functional>

class QLabel;
class QTableWidget;

namespace k5 {

// "計算結果": the result of the foundation as the input window's form now
// stands, recomputed in memory a short pause after every change (the
// typing never waits for it): each check's ratio and judgement, the decided
// bars and the contact pressure or pile loads, or the message of the first
// check that would stop 登録 or 計算開始, or the fields still missing. The
// masters and common values are read once, when the panel is made; nothing
// is written.
class LiveResultPanel : public QGroupBox {
    Q_OBJECT
  public:
    static constexpr int kPauseMs = 150;

    // `form` reads the window's fields as they stand; `edit` is the
    // window's own (its request follows a duplicate).
    LiveResultPanel(const Folders& folders, const RecordEdit& edit, std::function<RecordForm()> form,
                    QWidget* parent);

    // Every text field, list and option of `window` restarts the pause.
    void watch(QWidget* window);
    void scheduleUpdate();
    void updateNow();

    const LiveResult& result() const { return result_; }

  private:
    void showResult();
    void showWarnings();
    const FoundationRecord& storedRecord();

    const Folders& folders_;
    const RecordEdit& edit_;
    std::function<RecordForm()> form_;
    CalcMasters masters_;
    FoundationRecord stored_;
    int storedNumber_ = -1;
    LiveResult result_;
    QTimer pause_;

    QLabel* state_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* barsX_ = nullptr;
    QLabel* barsY_ = nullptr;
    QLabel* bearing_ = nullptr;
    QLabel* warnings_ = nullptr; // "※注記": loads left unchecked, bars too close
};

} // namespace k5
