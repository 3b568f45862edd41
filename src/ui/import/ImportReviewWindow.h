#pragma once
#include "import/import_review.h"

#include <QWidget>

#include <functional>

class QLabel;
class QTableWidget;

namespace k5 {

struct AppContext;
class ReviewGrid;

// "KAMO-RXⅡから読込んだ基礎位置の支点リスト" (frmRX2読込データ): the imported
// supports, one row per record, with their load cases on demand; ranges of
// rows are grouped under one design name and type, or released. Every change
// is written to the job file at once.
//
// A plain window rather than a dialog: it hides while the naming dialog is
// open, and a hidden dialog would end its own modal loop.
class ImportReviewWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ImportReviewWindow(AppContext& ctx, QWidget* parent = nullptr);
    ~ImportReviewWindow() override;

    // The naming dialog; tests may replace it.
    std::function<GroupName(AppContext&, int presetType, QWidget* parent, const QString& presetName)> askName;
    // The automatic types dialog; true when it wrote types into the job.
    std::function<bool(AppContext&, QWidget* parent)> chooseTypes;

    // The commands, as the buttons and the mouse run them.
    void chooseRow(int row, bool extend);
    void showBreakdown();
    void clearBreakdown();
    void group();
    void ungroup();
    void clearSelection();
    void autoGroup();

    int selectionStart() const { return selStart_; }
    int selectionEnd() const { return selEnd_; }
    int highestGroup() const { return highestGroup_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // The job's records from the file: the list rows and the job name.
    void fillSupportList();
    void layoutBreakdown(int rows);
    void markSelection();

    AppContext& ctx_;
    int selStart_ = 0;
    int selEnd_ = 0;
    int highestGroup_ = 0;
    int recordCount_ = 0;
    int markedFirst_ = 0; // rows shown highlighted; none while markedLast_ < markedFirst_
    int markedLast_ = -1;

    QLabel* jobName_ = nullptr;
    QLabel* breakdownCaption_ = nullptr;
    ReviewGrid* list_ = nullptr;
    QTableWidget* breakdown_ = nullptr;
};

} // namespace k5
