#pragma once
#include <QMainWindow>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QTableWidget;
class QToolButton;

namespace k5 {

struct AppContext;
struct EditRequest;
struct FoundationRecord;
class FoundationListGrid;

// The hub: the open job, its foundation list and every command. Other
// windows are opened modal while this one is hidden; when they close it is
// shown again and re-reads the job file.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // The windows the list hands over to. Each defaults to the program's own
    // window; tests may replace them.
    struct Children {
        // The type window: the type chosen, 0 when cancelled.
        std::function<int(AppContext&, QWidget* parent)> askFoundationType;
        // The job window; true when it registered.
        std::function<bool(AppContext&, QWidget* parent, bool newJob)> editJob;
        // The input window of the request's foundation type (1 isolated footing, 2 pile cap).
        std::function<void(AppContext&, QWidget* parent, const EditRequest& request)> inputWindow;
        // Whether inputWindow can show a type: each foundation type's window is
        // available on its own.
        std::function<bool(int type)> hasInputWindow = [](int) { return true; };
        // The archive file dialogs: the path chosen, empty when cancelled.
        using ChooseFile =
            std::function<QString(QWidget* parent, const QString& folder, const QString& name)>;
        ChooseFile chooseArchiveToOpen;
        ChooseFile chooseArchiveToSave;
        // The DXF file of the foundation schedule: the path chosen, empty when cancelled.
        std::function<QString(QWidget* parent, const QString& proposed)> chooseDxfFile;
    };

    explicit MainWindow(AppContext& ctx, QWidget* parent = nullptr);
    ~MainWindow() override;

    Children& children() { return children_; }

    // The commands, as the menu and the keys run them.
    void openRow(int row);
    void newJob();
    void editJobName();
    void deleteChosenRows();
    // 寸法提案（全基礎）: every foundation, or the rows chosen as a range.
    void proposeSizes();
    void deleteAll();
    void moveRecordUp() { moveRecord(-1); }
    void moveRecordDown() { moveRecord(+1); }
    void addFoundation(int type);
    void exitProgram();
    void openArchive();
    // The open command with `path` as the file chosen (an archive handed
    // over by a file manager): the same question and checks.
    void openGivenArchive(const QString& path);
    // True when the job was saved.
    bool saveArchive();
    void exportDxf();
    void startCalculation();
    void showReport();
    // "計算結果一覧": the results list over this window.
    void showResultsList();
    // Reads the analysis program's output into a new job, then opens the review.
    void importAnalysisOutput();

    // The rows chosen for deleting (1-based, 0 = none).
    int selFirst() const { return selFirst_; }
    int selLast() const { return selLast_; }

  signals:
    // The window was closed: the program ends.
    void closed();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildMenus();
    void assignShortcuts();
    // A command that opens the window registered under `window`; disabled,
    // saying so, while no such window exists.
    QAction* addWindowCommand(QMenu* menu, const QString& name, const QString& caption, const QString& window,
                              const QString& what);
    void buildStatusBar();
    QWidget* buildCentral();

    // Creation: the job identity, title and status bar, no record opened.
    void create();
    // Activation: list layout and rows from the job file, common values,
    // labels, link commands, selection cleared, spinner state.
    void activate();
    // The job changed in place (rows deleted): creation and activation anew.
    void recreate();

    // Hides this window while `openChild` shows another one modal, then
    // shows this one again (which re-reads the job).
    void handOver(const std::function<void()>& openChild);
    void showAgain();

    void layoutGrid(bool imported, int rows);
    void fillRow(int n, const FoundationRecord& record);
    // The memo column takes the width the list gained over its smallest size.
    void fitMemoColumn();
    // Empty rows up to `rows` rows in all, and as many as the list has room for.
    void addEmptyRows(int rows);
    void fillRoomWithRows();
    void selectListRow(int row);
    void chooseRow(int row, bool extend);
    void updateSpinner();
    void updateLinkCommands();
    void updateCommandStates();
    void moveRecord(int step);
    void startAnalysisProgram();
    void openArchiveChosenBy(const Children::ChooseFile& chooseFile);
    bool inputWindowAvailable(int type) const;

    AppContext& ctx_;
    Children children_;
    int selFirst_ = 0;
    int selLast_ = 0;
    bool importedLayout_ = false;

    QLabel* jobName_ = nullptr;
    QLabel* fileName_ = nullptr;
    QLabel* unit_ = nullptr;
    QLabel* count_ = nullptr;
    QLabel* importedFrom_ = nullptr;
    FoundationListGrid* grid_ = nullptr;
    QWidget* spinner_ = nullptr;
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
    QList<QLabel*> panels_;

    QAction* newJob_ = nullptr;
    QAction* editJob_ = nullptr;
    QAction* report_ = nullptr;
    QAction* resultsList_ = nullptr;
    QAction* readAnalysis_ = nullptr;
    QAction* startAnalysis_ = nullptr;
    QAction* reviewImported_ = nullptr;
    QAction* addIsolated_ = nullptr;
    QAction* addPileCap_ = nullptr;
    QAction* linkSeparator_ = nullptr;
};

} // namespace k5
