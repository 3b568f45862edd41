#pragma once
#include "calc/results_list.h"
#include "ui/shell/DxfExportDialog.h"

#include <QDialog>

#include <functional>

class QLabel;
class QSortFilterProxyModel;
class QTableView;

namespace k5 {

struct AppContext;
struct EditRequest;
class ResultsModel;

// "計算結果一覧" (frm計算結果一覧): one row per foundation with its governing
// ratios and judgement from the stored results; any column sorts (a ratio
// or 判定 the worst first at the first click), ratios above 1 and NG are red,
// 注記 names in orange what no check judges (loads left unchecked, bars too close). Enter or a double-click
// opens the foundation's input window for correction, and the list shows the new state when it closes.
// "CSV保存..." writes the list as CSV; "DXF出力..." writes the foundation schedule as the ファイル menu's
// command does. The list never calculates and never writes the job.
class ResultsListWindow : public QDialog {
    Q_OBJECT
  public:
    explicit ResultsListWindow(AppContext& ctx, QWidget* parent = nullptr);
    ~ResultsListWindow() override;

    // The input window of a record; the program's own unless a test replaces it.
    std::function<void(AppContext&, QWidget* parent, const EditRequest& request)> openInput;
    // The CSV file dialog starting at `proposed`: path and encoding, empty
    // path when cancelled.
    std::function<QString(QWidget* parent, const QString& proposed, CsvEncoding& encoding)> chooseCsvFile;
    // The DXF file dialog (dxfSaveDialog unless a test replaces it).
    ChooseDxfFile chooseDxfFile;

    // Re-reads the job.
    void reload();
    // Opens the record shown in view row `viewRow`.
    void openRow(int viewRow);
    void saveCsv();
    void exportDxf();

    QTableView* view() const { return view_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    AppContext& ctx_;
    ResultsModel* model_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;
    QTableView* view_ = nullptr;
    QLabel* summary_ = nullptr;
};

} // namespace k5
