#include "ui/shell/MainWindow.h"

#include "calc/calculation.h"
#include "calc/design_results.h"
#include "import/support_reaction_reader.h"
#include "jobdata/common_values.h"
#include "jobdata/job_file.h"
#include "shell/app_context.h"
#include "shell/job_list.h"
#include "shell/main_commands.h"
#include "shell/run_calculation.h"
#include "shell/version.h"
#include "shell/window_settings.h"
#include "ui/archive/ArchiveFileDialogs.h"
#include "ui/shell/DxfExportDialog.h"
#include "ui/shell/FoundationTypeWindow.h"
#include "ui/shell/JobWindow.h"
#include "ui/shell/WindowRegistry.h"
#include "ui/sizing/JobSizingWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>
#include <utility>

namespace k5 {

// The foundation list: rows are chosen with the mouse (Shift for the last
// row of a range) or the arrow keys (Shift to extend), opened with a
// double-click or Enter; Delete deletes the chosen rows and Ctrl+↑/↓ moves
// the opened record like the spinner.
class FoundationListGrid : public QTableWidget {
  public:
    using QTableWidget::QTableWidget;
    std::function<void(int row, bool extend)> choose;
    std::function<void(int row)> open;
    std::function<void()> deleteChosen;
    std::function<void(int step)> move;
    std::function<void()> resized;

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QTableWidget::resizeEvent(event);
        if (resized) resized();
    }
    void mousePressEvent(QMouseEvent* event) override {
        const int row = rowAt(event->position().toPoint().y());
        QTableWidget::mousePressEvent(event);
        if (row >= 0 && event->button() == Qt::LeftButton)
            choose(row + 1, event->modifiers() & Qt::ShiftModifier);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        const int row = rowAt(event->position().toPoint().y());
        QTableWidget::mouseDoubleClickEvent(event);
        if (row >= 0 && event->button() == Qt::LeftButton) open(row + 1);
    }
    void keyPressEvent(QKeyEvent* event) override {
        const bool ctrl = event->modifiers() & Qt::ControlModifier;
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (currentRow() >= 0) open(currentRow() + 1);
            return;
        case Qt::Key_Delete:
            deleteChosen();
            return;
        case Qt::Key_Up:
        case Qt::Key_Down:
            if (ctrl) {
                move(event->key() == Qt::Key_Up ? -1 : +1);
                return;
            }
            break;
        default:
            break;
        }
        QTableWidget::keyPressEvent(event);
        switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            if (currentRow() >= 0) choose(currentRow() + 1, event->modifiers() & Qt::ShiftModifier);
            break;
        default:
            break;
        }
    }
};

namespace {

// Cells keep one pixel of margin, as the old grid did, so that numbers fill
// the narrow columns.
class NarrowCellStyle : public QProxyStyle {
  public:
    explicit NarrowCellStyle(QObject* owner) : QProxyStyle() { setParent(owner); }
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (metric == PM_FocusFrameHMargin) return 0;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

constexpr int kTwipsPerPixel = 15;
constexpr int kRowTwips = 300;
constexpr int kVisibleRows = 10;

int pixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

const QString kNotYet = QStringLiteral("準備中：この機能はまだ使用できません（");
const QString kPreviewWindow = QStringLiteral("frmPreview");
const QString kReviewWindow = QStringLiteral("frmRX2読込データ");
const QString kResultsWindow = QStringLiteral("frm計算結果一覧");

// How the list marks a foundation's last calculation without changing its
// columns: an NG row has a red number and a red, bold name; a row whose
// results were cleared (or never made) is grey.
const QColor kNgText(200, 0, 0);
const QColor kNgNumber(255, 205, 205);
const QColor kNotCalculatedText(140, 140, 140);

// The name column is 1200 twips: a name of 7 full-width characters (its
// longest) fits when the list's face is set a little narrower there.
constexpr int kNameFontStretch = 90;

QAction* addCommand(QMenu* menu, const QString& name, const QString& caption,
                    const std::function<void()>& run) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    QObject::connect(action, &QAction::triggered, menu, [run] { run(); });
    return action;
}

QMenu* addMenu(QMenuBar* bar, const QString& name, const QString& caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(name);
    menu->setToolTipsVisible(true);
    return menu;
}

} // namespace

MainWindow::MainWindow(AppContext& ctx, QWidget* parent) : QMainWindow(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frmメインメニュー"));
    children_.askFoundationType = [](AppContext& c, QWidget* p) { return askFoundationType(c, p); };
    children_.editJob = [](AppContext& c, QWidget* p, bool newJob) { return runJobWindow(c, p, newJob); };
    children_.inputWindow = [](AppContext& c, QWidget* p, const EditRequest& request) {
        execInputWindow(c, request, p);
    };
    children_.hasInputWindow = [](int type) { return hasInputWindow(type); };
    children_.chooseArchiveToOpen = &chooseArchiveToOpen;
    children_.chooseArchiveToSave = &chooseArchiveToSave;
    children_.chooseDxfFile = &dxfSaveDialog;
    buildMenus();
    buildStatusBar();
    setCentralWidget(buildCentral());
    create();
    if (const std::optional<WindowSize> size = readMainWindowSize(ctx_.folders))
        resize(QSize(size->width, size->height).expandedTo(minimumSizeHint()));
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = addMenu(bar, QStringLiteral("menuファイル"), QStringLiteral("ファイル(&F)"));
    newJob_ =
        addCommand(file, QStringLiteral("menu新規作成"), QStringLiteral("新規作成..."), [this] { newJob(); });
    addCommand(file, QStringLiteral("menuデータを開く"), QStringLiteral("データを開く..."),
               [this] { openArchive(); });
    addCommand(file, QStringLiteral("menu名前を付けて保存"), QStringLiteral("名前を付けてデータを保存..."),
               [this] { saveArchive(); });
    addCommand(file, QStringLiteral("menuDXF出力"), QStringLiteral("DXF出力..."), [this] { exportDxf(); });
    file->addSeparator();
    addWindowCommand(file, QStringLiteral("menu保存データの削除"), QStringLiteral("保存データの削除..."),
                     QStringLiteral("frm保存データ削除"), QStringLiteral("保存データの削除画面"));
    addWindowCommand(file, QStringLiteral("menu保存データの移動"), QStringLiteral("保存データの移動..."),
                     QStringLiteral("frm保存データ移動"), QStringLiteral("保存データの移動画面"));
    linkSeparator_ = file->addSeparator();
    readAnalysis_ =
        addCommand(file, QStringLiteral("menuRX読込"), QString(), [this] { importAnalysisOutput(); });
    if (!isWindowRegistered(kReviewWindow)) {
        readAnalysis_->setEnabled(false);
        readAnalysis_->setToolTip(kNotYet + QStringLiteral("出力データの読込機能）"));
    }
    startAnalysis_ =
        addCommand(file, QStringLiteral("menuRX起動"), QString(), [this] { startAnalysisProgram(); });
    file->addSeparator();
    addCommand(file, QStringLiteral("menu終了"), QStringLiteral("終了..."), [this] { exitProgram(); });

    QMenu* edit = addMenu(bar, QStringLiteral("menu編集"), QStringLiteral("編集(&E)"));
    editJob_ = addCommand(edit, QStringLiteral("menu工事名修正"), QStringLiteral("工事名・ﾌｧｲﾙ名の修正"),
                          [this] { editJobName(); });
    edit->addSeparator();
    addIsolated_ =
        addCommand(edit, QStringLiteral("menu独立基礎追加"), QStringLiteral("新規独立フーチング基礎の追加"),
                   [this] { addFoundation(kTypeIsolated); });
    addPileCap_ = addCommand(edit, QStringLiteral("menu杭基礎追加"), QStringLiteral("新規杭基礎の追加"),
                             [this] { addFoundation(kTypePileCap); });
    edit->addSeparator();
    addCommand(edit, QStringLiteral("menu選択削除"), QStringLiteral("選択中のデータを削除..."),
               [this] { deleteChosenRows(); });
    addCommand(edit, QStringLiteral("menu全データ削除"), QStringLiteral("全データ削除..."),
               [this] { deleteAll(); });
    reviewImported_ =
        addWindowCommand(edit, QStringLiteral("menuRX読込データ整理"), QString(),
                         QStringLiteral("frmRX2読込データ"), QStringLiteral("読込データの整理画面"));

    QMenu* run = addMenu(bar, QStringLiteral("menu実行"), QStringLiteral("実行(&E)"));
    addCommand(run, QStringLiteral("menu計算開始"), QStringLiteral("計算開始"),
               [this] { startCalculation(); });
    report_ = addCommand(run, QStringLiteral("menu計算結果表示"), QStringLiteral("計算結果の表示・印刷"),
                         [this] { showReport(); });
    resultsList_ = addCommand(run, QStringLiteral("menu計算結果一覧"), QStringLiteral("計算結果一覧"),
                              [this] { showResultsList(); });
    addCommand(run, QStringLiteral("menu寸法提案"), QStringLiteral("寸法提案（全基礎）..."),
               [this] { proposeSizes(); });

    QMenu* settings = addMenu(bar, QStringLiteral("menu設定"), QStringLiteral("設定(&M)"));
    const struct {
        const char* action;
        const char* caption;
        const char* window;
        const char* what;
    } settingsWindows[] = {
        {"menu共通値", "共通値の登録", "frm00設計共通値", "共通値の登録画面"},
        {"menuフォント", "出力用フォント設定", "frmフォントセット", "フォント設定画面"},
        {"menu鉄筋強度", "鉄筋強度マスター", "frm鉄筋材種強度マスター", "鉄筋強度マスター画面"},
        {"menu鉄筋サイズ", "鉄筋サイズマスター", "frm鉄筋サイズマスター", "鉄筋サイズマスター画面"},
        {"menuキーアクション", "キーアクション", "frmキーアクション設定", "キーアクション設定画面"},
        {"menuキャンセル時", "キャンセル時のメッセージ", "frmキャンセル時指定", "キャンセル時設定画面"},
        {"menuコンクリート", "コンクリート強度について", "frmコンクリート強度", "コンクリート強度画面"},
    };
    for (const auto& w : settingsWindows)
        addWindowCommand(settings, QString::fromUtf8(w.action), QString::fromUtf8(w.caption),
                         QString::fromUtf8(w.window), QString::fromUtf8(w.what));
    assignShortcuts();
}

// Every command has a key, shown beside its caption (the captions stay as
// they are): the function keys run the calculation and show its results;
// the settings windows take Ctrl+1 to Ctrl+7 in menu order.
void MainWindow::assignShortcuts() {
    const struct {
        const char* action;
        const char* keys;
    } keys[] = {
        {"menu新規作成", "Ctrl+N"},
        {"menuデータを開く", "Ctrl+O"},
        {"menu名前を付けて保存", "Ctrl+S"},
        {"menuDXF出力", "Ctrl+E"},
        {"menu保存データの削除", "Ctrl+Alt+D"},
        {"menu保存データの移動", "Ctrl+Alt+M"},
        {"menuRX読込", "Ctrl+R"},
        {"menuRX起動", "Ctrl+Alt+R"},
        {"menu終了", "Ctrl+Q"},
        {"menu工事名修正", "Ctrl+J"},
        {"menu独立基礎追加", "Ctrl+I"},
        {"menu杭基礎追加", "Ctrl+K"},
        {"menu選択削除", "Ctrl+D"},
        {"menu全データ削除", "Ctrl+Shift+D"},
        {"menuRX読込データ整理", "Ctrl+Alt+G"},
        {"menu計算開始", "F5"},
        {"menu計算結果表示", "F6"},
        {"menu計算結果一覧", "F7"},
        {"menu寸法提案", "F8"},
        {"menu共通値", "Ctrl+1"},
        {"menuフォント", "Ctrl+2"},
        {"menu鉄筋強度", "Ctrl+3"},
        {"menu鉄筋サイズ", "Ctrl+4"},
        {"menuキーアクション", "Ctrl+5"},
        {"menuキャンセル時", "Ctrl+6"},
        {"menuコンクリート", "Ctrl+7"},
    };
    for (const auto& k : keys)
        if (auto* action = findChild<QAction*>(QString::fromUtf8(k.action)))
            action->setShortcut(QKeySequence(QString::fromLatin1(k.keys)));
}

QAction* MainWindow::addWindowCommand(QMenu* menu, const QString& name, const QString& caption,
                                      const QString& window, const QString& what) {
    QAction* action = addCommand(menu, name, caption, [this, window] {
        handOver([this, window] { execWindowByName(ctx_, window, this); });
    });
    if (!isWindowRegistered(window)) {
        action->setEnabled(false);
        action->setToolTip(kNotYet + what + QStringLiteral("）"));
        action->setStatusTip(action->toolTip());
    }
    return action;
}

void MainWindow::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    for (int i = 1; i <= 6; ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i));
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setContentsMargins(6, 0, 6, 0);
        panel->installEventFilter(this);
        bar->addPermanentWidget(panel, i == 2 ? 1 : 0);
        panels_ << panel;
    }
    panels_[0]->setText(QStringLiteral("終了"));
    panels_[0]->setCursor(Qt::PointingHandCursor);
    panels_[0]->setToolTip(QStringLiteral("クリックするとプログラムを終了します"));
    panels_[1]->setText(QStringLiteral("KAMO-K5 基礎の設計"));
    panels_[4]->setText(QStringLiteral("rev. ") + QString::fromLatin1(kRevision));
    auto* clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, [this] {
        panels_[5]->setText(QDateTime::currentDateTime().toString(QStringLiteral("yyyy/MM/dd hh:mm")));
    });
    clock->start(30 * 1000);
    panels_[5]->setText(QDateTime::currentDateTime().toString(QStringLiteral("yyyy/MM/dd hh:mm")));
}

QWidget* MainWindow::buildCentral() {
    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(12, 10, 12, 8);
    outer->setSpacing(6);

    auto makeLabel = [central](const QString& name) {
        auto* label = new QLabel(central);
        label->setObjectName(name);
        return label;
    };
    jobName_ = makeLabel(QStringLiteral("Label工事名"));
    jobName_->setToolTip(QStringLiteral("ダブルクリックで工事名・ファイル名を修正します"));
    jobName_->installEventFilter(this);
    fileName_ = makeLabel(QStringLiteral("Labelファイル名"));
    unit_ = makeLabel(QStringLiteral("Label単位"));
    unit_->setFrameShape(QFrame::Panel);
    unit_->setFrameShadow(QFrame::Sunken);
    unit_->setMinimumWidth(48);
    unit_->setAlignment(Qt::AlignCenter);
    count_ = makeLabel(QStringLiteral("Labelデータ数"));
    importedFrom_ = makeLabel(QStringLiteral("Label読込データ"));
    importedFrom_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* identity = new QGridLayout;
    identity->addWidget(jobName_, 0, 0);
    identity->addWidget(fileName_, 1, 0);
    auto* unitCaption = new QLabel(QStringLiteral("単位："), central);
    identity->addWidget(unitCaption, 0, 1, Qt::AlignRight);
    identity->addWidget(unit_, 0, 2);
    identity->setColumnStretch(0, 1);
    outer->addLayout(identity);
    outer->addSpacing(6);

    // The count label and the import note share one line above the list,
    // the note ending a little inside the list's right edge.
    auto* listHead = new QHBoxLayout;
    listHead->setContentsMargins(0, 0, pixels(120), 0);
    listHead->addWidget(count_);
    listHead->addStretch();
    listHead->addWidget(importedFrom_);

    grid_ = new FoundationListGrid(central);
    grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setMinimumSectionSize(pixels(kRowTwips));
    grid_->verticalHeader()->setDefaultSectionSize(pixels(kRowTwips));
    grid_->horizontalHeader()->setFixedHeight(pixels(kRowTwips));
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->horizontalHeader()->setHighlightSections(false);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid_->setWordWrap(false);
    grid_->setTextElideMode(Qt::ElideNone);
    // The column widths are fixed in twips; a small gothic face keeps the
    // numbers and headings inside them.
    QFont listFont;
    listFont.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic")});
    listFont.setPixelSize(12);
    grid_->setFont(listFont);
    grid_->horizontalHeader()->setFont(listFont);
    grid_->setStyle(new NarrowCellStyle(grid_));
    grid_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    grid_->resized = [this] {
        fitMemoColumn();
        fillRoomWithRows();
    };
    grid_->choose = [this](int row, bool extend) { chooseRow(row, extend); };
    grid_->open = [this](int row) { openRow(row); };
    grid_->deleteChosen = [this] { deleteChosenRows(); };
    grid_->move = [this](int step) { moveRecord(step); };

    // The spinner that moves the opened record: 60 twips right of the list.
    spinner_ = new QWidget(central);
    spinner_->setObjectName(QStringLiteral("UpDown1"));
    auto* spin = new QVBoxLayout(spinner_);
    spin->setContentsMargins(0, 0, 0, 0);
    spin->setSpacing(0);
    up_ = new QToolButton(spinner_);
    up_->setObjectName(QStringLiteral("UpDown1Up"));
    up_->setArrowType(Qt::UpArrow);
    up_->setToolTip(QStringLiteral("開いたデータを1行上へ移動します（Ctrl+↑）"));
    down_ = new QToolButton(spinner_);
    down_->setObjectName(QStringLiteral("UpDown1Down"));
    down_->setArrowType(Qt::DownArrow);
    down_->setToolTip(QStringLiteral("開いたデータを1行下へ移動します（Ctrl+↓）"));
    for (QToolButton* b : {up_, down_}) {
        b->setFixedSize(18, 22);
        b->setAutoRepeat(false);
        spin->addWidget(b);
    }
    connect(up_, &QToolButton::clicked, this, [this] { moveRecord(-1); });
    connect(down_, &QToolButton::clicked, this, [this] { moveRecord(+1); });

    auto* listArea = new QGridLayout;
    listArea->setHorizontalSpacing(pixels(60));
    listArea->setVerticalSpacing(2);
    listArea->addLayout(listHead, 0, 0);
    // The list grows with the window: more rows, and a wider memo column.
    listArea->addWidget(grid_, 1, 0);
    listArea->addWidget(spinner_, 1, 1, Qt::AlignLeft | Qt::AlignTop);
    listArea->setColumnStretch(0, 1);
    listArea->setRowStretch(1, 1);
    outer->addLayout(listArea, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* exit = new QPushButton(QStringLiteral("終了"), central);
    exit->setObjectName(QStringLiteral("cmd終了"));
    exit->setAutoDefault(false);
    connect(exit, &QPushButton::clicked, this, [this] { exitProgram(); });
    buttons->addWidget(exit);
    outer->addLayout(buttons);

    setTabOrder(grid_, up_);
    setTabOrder(up_, down_);
    setTabOrder(down_, exit);
    return central;
}

void MainWindow::create() {
    loadJobIdentity(ctx_.folders, ctx_.job);
    setWindowTitle(programTitle());
    ctx_.job.currentRecord = 0;
}

void MainWindow::activate() {
    // Read the job first, so the rows match what the file holds even when
    // loading converted an older job file.
    std::vector<FoundationRecord> records;
    const Outcome loaded =
        loadJob(ctx_.folders, ctx_.job, ctx_.jobHooks,
                [&records](int, const FoundationRecord& record) { records.push_back(record); });
    // A job that could not be read, or is damaged, is said once the list
    // shows what could be read (nothing is changed on disk).
    if (!loaded.message.text.isEmpty())
        QTimer::singleShot(0, this, [this, loaded] { ctx_.ask().report(loaded); });
    importedLayout_ = ctx_.job.imported;
    layoutGrid(importedLayout_, listRowCount(ctx_.job.recordCount));
    for (size_t i = 0; i < records.size(); ++i)
        fillRow(static_cast<int>(i) + 1, records[i]);
    // The imported layout is wider: the window grows with its list.
    if (isVisible()) resize(size().expandedTo(sizeHint()));
    loadCommonValues(ctx_.folders, ctx_.job.unitSystem, ctx_.common);

    jobName_->setText(QStringLiteral("工事名：") + ctx_.job.currentJobName);
    fileName_->setText(QStringLiteral("ファイル名：") + ctx_.job.currentFileName);
    unit_->setText(ctx_.job.unitSystem == 1 ? QStringLiteral("SI") : QStringLiteral("CGS"));
    count_->setText(recordCountLabel(ctx_.job.recordCount));
    panels_[2]->setText(QStringLiteral("データ数：") + QString::number(ctx_.job.recordCount));
    panels_[3]->setText(ctx_.job.unitSystem == 1 ? QStringLiteral("SI単位") : QStringLiteral("CGS単位"));
    updateLinkCommands();
    updateCommandStates();
    selFirst_ = selLast_ = 0;
    updateSpinner();
    grid_->setFocus();
}

void MainWindow::recreate() {
    create();
    activate();
}

void MainWindow::layoutGrid(bool imported, int rows) {
    const ListLayout layout = listLayout(imported);
    grid_->clear();
    grid_->setRowCount(0);
    grid_->setColumnCount(static_cast<int>(layout.headers.size()));
    grid_->setHorizontalHeaderLabels(layout.headers);
    int widthTwips = 0;
    for (int c = 0; c < grid_->columnCount(); ++c) {
        grid_->setColumnWidth(c, pixels(layout.widthsTwips[c]));
        widthTwips += layout.widthsTwips[c];
        QTableWidgetItem* header = grid_->horizontalHeaderItem(c);
        if (header) header->setTextAlignment(Qt::AlignCenter);
    }
    const int scrollBar = grid_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid_);
    grid_->setMinimumSize(pixels(widthTwips + 100) + scrollBar, pixels(kRowTwips * (kVisibleRows + 1) + 90));
    fitMemoColumn();
    addEmptyRows(rows);
    fillRoomWithRows();
}

void MainWindow::addEmptyRows(int rows) {
    const int from = grid_->rowCount();
    if (rows <= from) return;
    grid_->setRowCount(rows);
    // Every cell exists, empty rows included, with its column's alignment,
    // so a row reads the same whether it holds a record or not.
    const ListLayout layout = listLayout(importedLayout_);
    const QBrush fixedColumn = grid_->palette().button();
    for (int r = from; r < rows; ++r) {
        for (int c = 0; c < grid_->columnCount(); ++c) {
            auto* item = new QTableWidgetItem(c == 0 ? QString::number(r + 1) : QString());
            item->setTextAlignment(Qt::AlignVCenter |
                                   (layout.leftAligned[c] ? Qt::AlignLeft : Qt::AlignRight));
            if (c == 0) item->setBackground(fixedColumn);
            grid_->setItem(r, c, item);
        }
    }
}

void MainWindow::fillRoomWithRows() {
    // A taller window shows more numbered empty rows (a double-click on one
    // starts a new foundation), never blank space below the list; a row half
    // in view counts.
    const int rowHeight = grid_->verticalHeader()->defaultSectionSize();
    if (rowHeight <= 0) return;
    addEmptyRows((grid_->viewport()->height() + rowHeight / 2) / rowHeight);
}

void MainWindow::fillRow(int n, const FoundationRecord& record) {
    const ListLayout layout = listLayout(importedLayout_);
    const QStringList cells = listRow(record, n, importedLayout_);
    const DesignResult result = storedDesignResult(record);
    const bool ng = result.verdict == Verdict::Ng;
    const bool notCalculated = result.verdict == Verdict::NotCalculated;
    QFont nameFont = grid_->font();
    nameFont.setStretch(kNameFontStretch);
    for (int c = 1; c < cells.size() && c < grid_->columnCount(); ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        item->setTextAlignment(Qt::AlignVCenter | (layout.leftAligned[c] ? Qt::AlignLeft : Qt::AlignRight));
        if (notCalculated) item->setForeground(kNotCalculatedText);
        if (c == 1) {
            nameFont.setBold(ng);
            item->setFont(nameFont);
            if (ng) item->setForeground(kNgText);
            item->setToolTip(QStringLiteral("判定：") + result.verdictText());
        }
        grid_->setItem(n - 1, c, item);
    }
    if (QTableWidgetItem* number = grid_->item(n - 1, 0)) {
        number->setBackground(ng ? QBrush(kNgNumber) : grid_->palette().button());
        number->setForeground(ng ? kNgText : grid_->palette().text().color());
    }
}

void MainWindow::fitMemoColumn() {
    const ListLayout layout = listLayout(importedLayout_);
    const int memo = static_cast<int>(layout.headers.size()) - 2;
    if (memo < 1 || memo >= grid_->columnCount()) return;
    const int gained = std::max(0, grid_->width() - grid_->minimumWidth());
    grid_->setColumnWidth(memo, pixels(layout.widthsTwips[static_cast<size_t>(memo)]) + gained);
}

void MainWindow::selectListRow(int row) {
    if (row < 1 || row > grid_->rowCount()) return;
    grid_->setCurrentCell(row - 1, 1);
    grid_->clearSelection();
    grid_->selectRow(row - 1);
}

void MainWindow::chooseRow(int row, bool extend) {
    // A plain choice starts a new range; Shift sets its other end.
    if (extend && selFirst_ != 0) {
        selLast_ = row;
    } else {
        selFirst_ = row;
        selLast_ = 0;
    }
}

void MainWindow::updateSpinner() {
    spinner_->setEnabled(canMoveRecord(ctx_));
}

void MainWindow::updateLinkCommands() {
    const QString& program = ctx_.folders.analysisProgramName;
    const bool linked = !ctx_.folders.analysisKind.isEmpty();
    readAnalysis_->setText(program + QStringLiteral("の出力データを読み込む..."));
    startAnalysis_->setText(program + QStringLiteral("起動"));
    reviewImported_->setText(program + QStringLiteral("から読込んだﾃﾞｰﾀの整理"));
    for (QAction* a : {readAnalysis_, startAnalysis_, reviewImported_, linkSeparator_})
        a->setVisible(linked);
    importedFrom_->setText(linked ? QStringLiteral("（") + program + QStringLiteral("からの読込ﾃﾞｰﾀ）")
                                  : QString());
    // Foundations come from the analysis program while a link is set, so
    // adding them by hand stays off.
    for (auto [add, type] :
         {std::pair{addIsolated_, int(kTypeIsolated)}, std::pair{addPileCap_, int(kTypePileCap)}}) {
        add->setEnabled(!linked && inputWindowAvailable(type));
        add->setToolTip(inputWindowAvailable(type) ? QString()
                                                   : kNotYet + QStringLiteral("基礎の入力画面）"));
    }
}

void MainWindow::updateCommandStates() {
    report_->setEnabled(isWindowRegistered(kPreviewWindow));
    report_->setToolTip(report_->isEnabled() ? QString()
                                             : kNotYet + QStringLiteral("計算書の表示・印刷画面）"));
    for (QAction* a : {newJob_, editJob_}) {
        a->setEnabled(static_cast<bool>(children_.editJob));
        a->setToolTip(a->isEnabled() ? QString() : kNotYet + QStringLiteral("工事名の入力画面）"));
    }
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) activate();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    saveMainWindowSize(ctx_.folders, {width(), height()});
    event->accept();
    emit closed();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == jobName_ && event->type() == QEvent::MouseButtonDblClick) {
        editJobName();
        return true;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        auto* panel = qobject_cast<QLabel*>(watched);
        if (panel && panels_.contains(panel) && panel->text() == QStringLiteral("終了")) {
            exitProgram();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::handOver(const std::function<void()>& openChild) {
    hide();
    openChild();
    showAgain();
}

void MainWindow::showAgain() {
    if (isVisible())
        activate();
    else
        show(); // the show event re-reads the job
}

bool MainWindow::inputWindowAvailable(int type) const {
    return children_.inputWindow && children_.hasInputWindow && children_.hasInputWindow(type);
}

void MainWindow::openRow(int row) {
    OpenRowSteps steps;
    steps.askFoundationType = [this] {
        if (!children_.askFoundationType) {
            ctx_.ask().inform(kNotYet + QStringLiteral("基礎タイプの指定画面）"));
            return 0;
        }
        return children_.askFoundationType(ctx_, this);
    };
    steps.hideMain = [this](int type) {
        if (inputWindowAvailable(type)) hide();
    };
    steps.showInputWindow = [this](const EditRequest& request) {
        if (inputWindowAvailable(request.foundationType))
            children_.inputWindow(ctx_, this, request);
        else
            ctx_.ask().inform(kNotYet + QStringLiteral("基礎の入力画面）"));
    };
    steps.showMainAgain = [this] { showAgain(); };
    steps.setTypeCell = [this](int r, const QString& caption) {
        const int column = listLayout(importedLayout_).typeColumn;
        auto* item = new QTableWidgetItem(caption);
        item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        grid_->setItem(r - 1, column, item);
    };
    const int typeColumn = listLayout(importedLayout_).typeColumn;
    const QTableWidgetItem* typeItem = row >= 1 ? grid_->item(row - 1, typeColumn) : nullptr;
    if (k5::openRow(ctx_, row, typeItem ? typeItem->text() : QString(), steps)) updateSpinner();
}

// The job in hand stays until the new one is registered in the job window.
void MainWindow::newJob() {
    if (!children_.editJob) return;
    const NewJobStart start = askBeforeNewJob(ctx_);
    if (start == NewJobStart::Cancel) return;
    if (start == NewJobStart::SaveFirst && !saveArchive()) return;
    handOver([this] { createNewJob(ctx_, [this] { return children_.editJob(ctx_, this, true); }); });
}

void MainWindow::editJobName() {
    if (!children_.editJob) return;
    handOver([this] {
        if (children_.editJob(ctx_, this, false)) storeJobIdentity(ctx_);
    });
}

void MainWindow::deleteChosenRows() {
    if (k5::deleteChosenRows(ctx_, selFirst_, selLast_))
        recreate();
    else
        grid_->clearSelection();
}

void MainWindow::proposeSizes() {
    // Rows chosen as a range (Shift) limit the proposals to their foundations;
    // otherwise every foundation of the job is sized.
    const int first = selLast_ ? std::min(selFirst_, selLast_) : 0;
    const int last = selLast_ ? std::max(selFirst_, selLast_) : 0;
    bool calculate = false;
    handOver([this, first, last, &calculate] {
        JobSizingWindow window(ctx_, this);
        if (first > 0) window.limitToRecords(first, last);
        window.exec();
        calculate = window.calculationChosen();
    });
    if (calculate) startCalculation();
}

void MainWindow::deleteAll() {
    if (deleteAllFoundations(ctx_)) recreate();
}

void MainWindow::moveRecord(int step) {
    const bool moved =
        k5::moveRecord(ctx_, step, [this](int n, const FoundationRecord& r) { fillRow(n, r); });
    if (moved) selectListRow(ctx_.job.currentRecord);
    updateSpinner();
}

void MainWindow::addFoundation(int type) {
    if (!inputWindowAvailable(type)) return;
    handOver([this, type] {
        children_.inputWindow(ctx_, this, {EditMode::NewRecord, ctx_.job.recordCount + 1, type});
    });
}

void MainWindow::openArchive() {
    openArchiveChosenBy(children_.chooseArchiveToOpen);
}

void MainWindow::openGivenArchive(const QString& path) {
    // Offered once: a second call (the file turned out not to be an archive) cancels.
    QString offered = path;
    openArchiveChosenBy(
        [&offered](QWidget*, const QString&, const QString&) { return std::exchange(offered, {}); });
}

// The window stays disabled while the archiver runs; an opened job is a new
// job for the window, which starts afresh (no record opened), while a saved
// one is only shown again.
void MainWindow::openArchiveChosenBy(const Children::ChooseFile& chooseFile) {
    ArchiveWork work{ctx_.folders, ctx_.control, ctx_.job,
                     ctx_.archive, ctx_.ask(),   [this](bool busy) { setEnabled(!busy); }};
    const Outcome opened =
        openArchiveCommand(work, [this, &chooseFile](const QString& folder, const QString& name) {
            return chooseFile(this, folder, name);
        });
    setEnabled(true);
    ctx_.ask().report(opened);
    if (opened.ok) recreate();
}

bool MainWindow::saveArchive() {
    ArchiveWork work{ctx_.folders, ctx_.control, ctx_.job,
                     ctx_.archive, ctx_.ask(),   [this](bool busy) { setEnabled(!busy); }};
    const Outcome saved = saveArchiveCommand(work, [this](const QString& folder, const QString& name) {
        return children_.chooseArchiveToSave(this, folder, name);
    });
    setEnabled(true);
    if (!ctx_.ask().report(saved)) return false;
    showAgain();
    return true;
}

// The foundation schedule for the drawings; reads the job only.
void MainWindow::exportDxf() {
    exportDxfWithDialog(ctx_, this, children_.chooseDxfFile);
}

void MainWindow::exitProgram() {
    if (confirmExit(ctx_)) close();
}

void MainWindow::startCalculation() {
    bool listWanted = false;
    const bool calculated = runCalculation(ctx_, listWanted);
    if (listWanted) {
        showResultsList();
        return;
    }
    if (calculated && isWindowRegistered(kPreviewWindow)) {
        showReport();
        return;
    }
    // The records hold their results now (or the run stopped part way): the
    // list shows the file as it is.
    activate();
}

void MainWindow::showReport() {
    if (!isWindowRegistered(kPreviewWindow) || !allRecordsCalculated(ctx_)) return;
    // The preview reads the job on its own; the main window starts afresh
    // when it closes.
    hide();
    execWindowByName(ctx_, kPreviewWindow, this);
    create();
    showAgain();
}

void MainWindow::showResultsList() {
    handOver([this] { execWindowByName(ctx_, kResultsWindow, this); });
}

void MainWindow::importAnalysisOutput() {
    if (!isWindowRegistered(kReviewWindow)) return;
    if (!ctx_.ask().askOkCancel(analysisImportQuestion(ctx_.folders.analysisProgramName))) return;
    if (!ctx_.ask().report(readSupportReactions(ctx_.folders, ctx_.job))) {
        // The job is as it was; foundations may be added by hand again.
        for (auto [add, type] :
             {std::pair{addIsolated_, int(kTypeIsolated)}, std::pair{addPileCap_, int(kTypePileCap)}})
            add->setEnabled(inputWindowAvailable(type));
        return;
    }
    // The supports are the job's foundations now: they are named and typed
    // in the review, not added by hand.
    addIsolated_->setEnabled(false);
    addPileCap_->setEnabled(false);
    handOver([this] { execWindowByName(ctx_, kReviewWindow, this); });
}

void MainWindow::startAnalysisProgram() {
    const QString folder = ctx_.folders.analysisPrgFolder;
    if (!QProcess::startDetached(analysisLauncherPath(ctx_.folders), {}, folder)) {
        ctx_.ask().error(ctx_.folders.analysisProgramName +
                         QStringLiteral("を起動できませんでした。　　　\n\n") +
                         analysisLauncherPath(ctx_.folders));
        return;
    }
    close();
}

} // namespace k5
