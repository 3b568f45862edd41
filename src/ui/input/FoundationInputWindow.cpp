#include "ui/input/FoundationInputWindow.h"

#include "input/field_limits.h"
#include "input/rebar_lists.h"
#include "masters/bar_size_master.h"
#include "masters/grade_master.h"
#include "platform/fixed_text.h"
#include "shell/app_context.h"
#include "shell/cancel_confirmation.h"
#include "ui/input/CommonValuesWindow.h"
#include "ui/input/FormKit.h"
#include "ui/input/LiveResultPanel.h"
#include "ui/sizing/SizeProposalDialog.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace k5 {

FoundationInputWindow::FoundationInputWindow(AppContext& ctx, const EditRequest& request, int foundationType,
                                             QWidget* parent)
    : QDialog(parent), ctx_(ctx), edit_{ctx.folders, ctx.job, request, {}} {
    edit_.request.foundationType = foundationType;
    pressButtonsWithEnter();
    for (int i = 0; i < 8; ++i) {
        unitLabels_[i] = new QLabel(this);
        unitLabels_[i]->setObjectName(QStringLiteral("UnitLabel_%1").arg(i));
    }
    const QStringList units = unitCaptions(ctx_.job.unitSystem, foundationType);
    for (int i = 0; i < 8; ++i)
        unitLabels_[i]->setText(units[i]);
    buildSharedFields();
}

QLineEdit* FoundationInputWindow::field(const QString& name, int width) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setFixedWidth(width);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

QLabel* FoundationInputWindow::caption(const QString& text, QWidget* parent) {
    return new QLabel(text, parent);
}

void FoundationInputWindow::buildSharedFields() {
    name_ = field(QStringLiteral("Text名称"), 200);
    name_->setAlignment(Qt::AlignLeft);
    limitText(name_, QStringLiteral("名称"), kFoundationNameBytes);
    memo_ = field(QStringLiteral("TextMemo"), 560);
    memo_->setAlignment(Qt::AlignLeft);
    limitText(memo_, QStringLiteral("メモ"), kMemoBytes);

    N_[1] = field(QStringLiteral("Text長軸力"));
    N_[3] = field(QStringLiteral("Text短X軸力"));
    N_[4] = field(QStringLiteral("Text短Y軸力"));
    const char* mNames[] = {"Text長Xモーメント", "Text長Yモーメント", "Text短Xモーメント",
                            "Text短Yモーメント"};
    const char* hNames[] = {"Text長X水平力", "Text長Y水平力", "Text短X水平力", "Text短Y水平力"};
    for (int j = 1; j <= 4; ++j) {
        M_[j] = field(QString::fromUtf8(mNames[j - 1]));
        H_[j] = field(QString::fromUtf8(hNames[j - 1]));
    }
    ax_ = field(QStringLiteral("Text_ax"));
    ay_ = field(QStringLiteral("Text_ay"));
    D1_ = field(QStringLiteral("Text_D1"));
    D2_ = field(QStringLiteral("Text_D2"));
    d_ = field(QStringLiteral("Text_D3"));
    h1_ = field(QStringLiteral("Text_h1"));
    h2_ = field(QStringLiteral("Text_h2"));
    Fc_ = field(QStringLiteral("Text_Fc"));
    Wc_ = field(QStringLiteral("Text_Wc"));
    Ws_ = field(QStringLiteral("Text_Ws"));
    edgx_ = field(QStringLiteral("Text_edgx"), 70);
    edgy_ = field(QStringLiteral("Text_edgy"), 70);
    pitchx_ = field(QStringLiteral("Text_pitchx"), 70);
    pitchy_ = field(QStringLiteral("Text_pitchy"), 70);
    nx_ = field(QStringLiteral("Text_nx"), 70);
    ny_ = field(QStringLiteral("Text_ny"), 70);

    auto list = [this](const QString& name) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(name);
        combo->setFixedWidth(96);
        return combo;
    };
    gradeX_ = list(QStringLiteral("Combo鉄筋種類X"));
    sizeX_ = list(QStringLiteral("Combo鉄筋サイズX"));
    gradeY_ = list(QStringLiteral("Combo鉄筋種類Y"));
    sizeY_ = list(QStringLiteral("Combo鉄筋サイズY"));
    connect(gradeX_, &QComboBox::currentIndexChanged, this, [this] { pickGrade(gradeX_, sizeX_, kindX_); });
    connect(gradeY_, &QComboBox::currentIndexChanged, this, [this] { pickGrade(gradeY_, sizeY_, kindY_); });
}

QGroupBox* FoundationInputWindow::buildLoadsGroup(QWidget* page, QLabel* hUnit) {
    auto* loads = new QGroupBox(QStringLiteral("[ 応力 ]"), page);
    auto* grid = new QGridLayout(loads);
    const QStringList columns{QStringLiteral("X長期"), QStringLiteral("Y長期"), QStringLiteral("X短期"),
                              QStringLiteral("Y短期")};
    for (int c = 0; c < 4; ++c)
        grid->addWidget(caption(columns[c], page), 0, c + 1, Qt::AlignCenter);
    grid->addWidget(caption(QStringLiteral("軸力 N="), page), 1, 0);
    grid->addWidget(N_[1], 1, 1, 1, 2, Qt::AlignCenter);
    grid->addWidget(N_[3], 1, 3);
    grid->addWidget(N_[4], 1, 4);
    grid->addWidget(unitLabels_[1], 1, 5);
    mCaption_ = caption(QStringLiteral("モーメント M="), page);
    hCaption_ = caption(QStringLiteral("水平力 H="), page);
    grid->addWidget(mCaption_, 2, 0);
    grid->addWidget(hCaption_, 3, 0);
    for (int j = 1; j <= 4; ++j) {
        grid->addWidget(M_[j], 2, j);
        grid->addWidget(H_[j], 3, j);
    }
    grid->addWidget(unitLabels_[2], 2, 5);
    grid->addWidget(hUnit, 3, 5);
    return loads;
}

QGroupBox* FoundationInputWindow::buildNameGroup(QWidget* page) {
    auto* box = new QGroupBox(QStringLiteral("[ 名称 ]"), page);
    auto* rows = new QVBoxLayout(box);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(name_);
    nameRow->addStretch();
    rows->addLayout(nameRow);
    importedNote_ = new QLabel(
        QStringLiteral(
            "名称と応力は解析プログラムからの読込値です（名称は「読込んだﾃﾞｰﾀの整理」で付けます）。"),
        page);
    importedNote_->setObjectName(QStringLiteral("Label読込データ注記"));
    importedNote_->hide();
    rows->addWidget(importedNote_);
    return box;
}

QLayout* FoundationInputWindow::buildMemoArea(QWidget* page) {
    auto* area = new QVBoxLayout;
    area->addWidget(caption(QStringLiteral("メモ（120文字まで入力できます）"), page));
    area->addWidget(memo_);
    area->addWidget(
        caption(QStringLiteral("※メモは計算書に印刷されません。※120文字分まで入力できます。"), page));
    return area;
}

QWidget* FoundationInputWindow::buildSharedDetailTab(const QString& bearingCaption, QLineEdit* bearing,
                                                     const QString& xBars, const QString& yBars) {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);

    auto* materials = new QGridLayout;
    const std::tuple<QString, QLineEdit*, int> rows[] = {
        {bearingCaption, bearing, 4},
        {QStringLiteral("コンクリート  Fc"), Fc_, 5},
        {QStringLiteral("コンクリート単位重量 Wc"), Wc_, 6},
        {QStringLiteral("埋戻土単位重量  Ws"), Ws_, 7},
    };
    int r = 0;
    for (const auto& [text, edit, unit] : rows) {
        materials->addWidget(caption(text, page), r, 0);
        materials->addWidget(edit, r, 1);
        materials->addWidget(unitLabels_[static_cast<size_t>(unit)], r, 2);
        ++r;
    }
    auto* upper = new QHBoxLayout;
    upper->addLayout(materials);
    upper->addSpacing(24);
    upper->addWidget(buildRebarArea(page, xBars, yBars), 0, Qt::AlignTop);
    upper->addStretch();
    layout->addLayout(upper);

    layout->addWidget(buildPriorityFrame(page));
    layout->addWidget(caption(
        QStringLiteral("<配筋決定優先>で指定した優先項目に従って、必要な配筋決定条件を入力してください"),
        page));
    layout->addWidget(buildBarRulesArea(page));
    layout->addWidget(caption(
        QStringLiteral("　＠：断面設計後、配筋を決定する際の「鉄筋間隔の最大値」を入力してください"), page));
    layout->addWidget(
        caption(QStringLiteral("本数：断面設計後、配筋を決定する際の「最大本数」を入力してください"), page));
    return page;
}

QWidget* FoundationInputWindow::buildRebarArea(QWidget* page, const QString& xCaption,
                                               const QString& yCaption) {
    auto* area = new QWidget(page);
    auto* bars = new QGridLayout(area);
    bars->setContentsMargins(0, 0, 0, 0);
    bars->addWidget(caption(QStringLiteral("種類"), page), 0, 1, Qt::AlignCenter);
    bars->addWidget(caption(QStringLiteral("サイズ"), page), 0, 2, Qt::AlignCenter);
    bars->addWidget(caption(xCaption, page), 1, 0);
    bars->addWidget(gradeX_, 1, 1);
    bars->addWidget(sizeX_, 1, 2);
    bars->addWidget(caption(yCaption, page), 2, 0);
    bars->addWidget(gradeY_, 2, 1);
    bars->addWidget(sizeY_, 2, 2);
    return area;
}

QGroupBox* FoundationInputWindow::buildPriorityFrame(QWidget* page) {
    auto* priorityBox = new QGroupBox(QStringLiteral("配筋決定優先"), page);
    priorityBox->setObjectName(QStringLiteral("Frame配筋決定優先"));
    auto* pl = new QHBoxLayout(priorityBox);
    priority_ = new QButtonGroup(this);
    const QStringList options{QStringLiteral("計算結果優先"), QStringLiteral("鉄筋間隔(@)優先"),
                              QStringLiteral("鉄筋本数(n本)優先")};
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(options[i], priorityBox);
        option->setObjectName(QStringLiteral("optYusen_%1").arg(i));
        priority_->addButton(option, i);
        pl->addWidget(option);
    }
    return priorityBox;
}

QWidget* FoundationInputWindow::buildBarRulesArea(QWidget* page) {
    auto* area = new QWidget(page);
    auto* row = new QHBoxLayout(area);
    row->setContentsMargins(0, 0, 0, 0);
    auto* grid = new QGridLayout;
    grid->addWidget(caption(QStringLiteral("端空き(mm)"), page), 0, 1);
    grid->addWidget(caption(QStringLiteral("本数(n本)"), page), 0, 2);
    grid->addWidget(caption(QStringLiteral("＠(mm)"), page), 0, 3);
    grid->addWidget(caption(QStringLiteral("X方向"), page), 1, 0);
    grid->addWidget(edgx_, 1, 1);
    grid->addWidget(nx_, 1, 2);
    grid->addWidget(pitchx_, 1, 3);
    grid->addWidget(caption(QStringLiteral("Y方向"), page), 2, 0);
    grid->addWidget(edgy_, 2, 1);
    grid->addWidget(ny_, 2, 2);
    grid->addWidget(pitchy_, 2, 3);
    row->addLayout(grid);
    row->addStretch();
    return area;
}

void FoundationInputWindow::proposeSize() {
    if (const std::optional<FoundationSize> size = askSizeProposal(ctx_, edit_, form(), this)) {
        D1_->setText(sizeText(size->D1));
        D2_->setText(sizeText(size->D2));
        // The proposal may take larger bars where smaller ones would stand
        // too close: the size lists show its choice.
        showProposedBar(sizeX_, size->barSizeX);
        showProposedBar(sizeY_, size->barSizeY);
        showProposedPlan(*size);
        // The result beside the form is the proposal's at once, not after the pause.
        if (live_) live_->updateNow();
    }
}

void FoundationInputWindow::showProposedBar(QComboBox* sizes, const QString& proposed) {
    QStringList items;
    for (int i = 0; i < sizes->count(); ++i)
        items << sizes->itemText(i);
    if (proposed.isEmpty() || !listHolds(items, proposed)) return;
    QString shown = proposed;
    sizes->setCurrentIndex(chooseListItem(items, shown));
}

QHBoxLayout* FoundationInputWindow::buildButtons(const QString& registerCaption) {
    struct CommandButton {
        const char* name;
        QString text;
        const char* tip;
    };
    const CommandButton commands[] = {
        {"Cmd登録", registerCaption,
         "入力されているデータチェックをし、OKであれば記録されます。NGの場合は入力画面に戻ります。"},
        {"cmd現状記録", QStringLiteral("現状記録終了"),
         "入力されているデータはそのまま記録され、入力を終了します（入力値のチェックは行われません）。"},
        {"Cmdキャンセル", QStringLiteral("ｷｬﾝｾﾙ"), "入力されているデータは記録されず終了します。"},
        {"cmd複製", QStringLiteral("複製"), ""},
        {"Cmd共通値編集", QStringLiteral("共通値編集..."), ""},
    };
    auto* buttons = new QHBoxLayout;
    std::array<QPushButton*, 5> made{};
    for (int i = 0; i < 5; ++i) {
        auto* b = new QPushButton(commands[i].text, this);
        b->setObjectName(QString::fromUtf8(commands[i].name));
        b->setToolTip(QString::fromUtf8(commands[i].tip));
        b->setAutoDefault(false);
        b->setMinimumWidth(110);
        made[i] = b;
    }
    buttons->addWidget(made[4]);
    buttons->addWidget(made[3]);
    auto* propose = new QPushButton(QStringLiteral("寸法提案"), this);
    propose->setObjectName(QStringLiteral("cmd寸法提案"));
    propose->setAutoDefault(false);
    connect(propose, &QPushButton::clicked, this, [this] { proposeSize(); });
    buttons->addWidget(propose);
    buttons->addStretch();
    buttons->addWidget(made[0]);
    buttons->addWidget(made[1]);
    buttons->addWidget(made[2]);
    duplicate_ = made[3];
    duplicate_->setEnabled(edit_.request.isCorrection());
    connect(made[0], &QPushButton::clicked, this, [this] { registerRecord(); });
    connect(made[1], &QPushButton::clicked, this, [this] { recordAsIs(); });
    connect(made[2], &QPushButton::clicked, this, [this] { reject(); });
    connect(made[3], &QPushButton::clicked, this, [this] { duplicate(); });
    connect(made[4], &QPushButton::clicked, this, [this] {
        CommonValuesWindow window(ctx_, this);
        window.exec();
    });
    return buttons;
}

void FoundationInputWindow::finishBuilding(QWidget* mainTab, QWidget* detailTab,
                                           const QList<QWidget*>& focusList,
                                           const QList<FieldNavigator::Range>& ranges) {
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("SSTab1"));
    tabs_->addTab(mainTab, QStringLiteral("　メイン　"));
    tabs_->addTab(detailTab, QStringLiteral("　詳　細　"));
    ranges_ = ranges;
    navigator_ = new FieldNavigator(this);
    navigator_->setFocusList(focusList);
    navigator_->setRanges(ranges);
    navigator_->followTabs(tabs_);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (!loading_) showTab(index);
    });
}

void FoundationInputWindow::layOutWindow(const QString& registerCaption) {
    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(unitLabels_[0]);
    top->addStretch();
    outer->addLayout(top);
    outer->addWidget(tabs_);
    outer->addLayout(buildButtons(registerCaption));
}

bool FoundationInputWindow::activate() {
    loading_ = true;
    const QString title = windowTitle();
    RecordForm f;
    if (edit_.request.isCorrection()) {
        setWindowTitle(correctionCaptionFirst_ ? QStringLiteral("(訂正)") + title
                                               : title + QStringLiteral("(訂正)"));
        if (!loadRecordForm(edit_, f)) {
            ctx_.ask().warn(QStringLiteral("指定されたデータを読み込めませんでした。　　　　") +
                            QStringLiteral("\r\n\r\n処理を中止します。"));
            loading_ = false;
            return false;
        }
    } else {
        f = newRecordForm(edit_);
        setWindowTitle(title + QStringLiteral("(新規)"));
    }
    openingNotes_ = f.notes;
    showForm(f);
    if (nameAndLoadsLocked()) lockImportedNameAndLoads();
    tabs_->setCurrentIndex(0);
    navigator_->setCurrentRange(0);
    afterOpening();
    loading_ = false;
    attachLiveResult();
    return true;
}

bool FoundationInputWindow::nameAndLoadsLocked() const {
    return keepsImportedNameAndLoads(edit_);
}

void FoundationInputWindow::lockImportedNameAndLoads() {
    // A save keeps the imported name and loads whatever the fields hold:
    // they are shown as stored and cannot be typed over.
    QList<QLineEdit*> locked{name_, N_[1], N_[3], N_[4]};
    for (int j = 1; j <= 4; ++j)
        locked << M_[j] << H_[j];
    for (QLineEdit* field : locked) {
        field->setReadOnly(true);
        field->setStyleSheet(QStringLiteral("background-color: palette(button);"));
    }
    importedNote_->show();
}

QWidget* FoundationInputWindow::inputField(const QString& input) const {
    const std::pair<const char*, QWidget*> fields[] = {{"name", name_},      {"memo", memo_},
                                                       {"N1", N_[1]},        {"N3", N_[3]},
                                                       {"N4", N_[4]},        {"M1", M_[1]},
                                                       {"M2", M_[2]},        {"M3", M_[3]},
                                                       {"M4", M_[4]},        {"H1", H_[1]},
                                                       {"H2", H_[2]},        {"H3", H_[3]},
                                                       {"H4", H_[4]},        {"ax", ax_},
                                                       {"ay", ay_},          {"D1", D1_},
                                                       {"D2", D2_},          {"d", d_},
                                                       {"h1", h1_},          {"h2", h2_},
                                                       {"Fc", Fc_},          {"Wc", Wc_},
                                                       {"Ws", Ws_},          {"edgx", edgx_},
                                                       {"edgy", edgy_},      {"pitchx", pitchx_},
                                                       {"pitchy", pitchy_},  {"nx", nx_},
                                                       {"ny", ny_},          {"barGradeX", gradeX_},
                                                       {"barSizeX", sizeX_}, {"barGradeY", gradeY_},
                                                       {"barSizeY", sizeY_}};
    for (const auto& [name, widget] : fields)
        if (input == QLatin1String(name)) return widget;
    return nullptr;
}

void FoundationInputWindow::focusField(QWidget* field) {
    const int place = navigator_->placeOf(field);
    if (place == 0) return;
    for (int tab = 0; tab < ranges_.size(); ++tab)
        if (place >= ranges_[tab].first && place <= ranges_[tab].last) tabs_->setCurrentIndex(tab);
    navigator_->setCurrentPlace(place);
    FieldNavigator::focusAndSelect(field);
}

void FoundationInputWindow::focusRefusedInput(const Outcome& refused) {
    if (!refused.field.isEmpty()) focusField(inputField(refused.field));
}

void FoundationInputWindow::attachLiveResult() {
    live_ = new LiveResultPanel(
        ctx_.folders, edit_, [this] { return form(); }, this);
    auto* body = new QWidget(this);
    auto* row = new QHBoxLayout(body);
    row->setContentsMargins(0, 0, 0, 0);
    delete layout()->replaceWidget(tabs_, body);
    row->addWidget(tabs_, 1);
    row->addWidget(live_);
    live_->watch(this);
    live_->updateNow();
}

void FoundationInputWindow::showSharedFields(const RecordForm& f) {
    const std::pair<QLineEdit*, QString> texts[] = {
        {name_, f.name}, {memo_, f.memo}, {N_[1], f.N[1]},     {N_[3], f.N[3]},     {N_[4], f.N[4]},
        {ax_, f.ax},     {ay_, f.ay},     {D1_, f.D1},         {D2_, f.D2},         {d_, f.d},
        {h1_, f.h1},     {h2_, f.h2},     {Fc_, f.Fc},         {Wc_, f.Wc},         {Ws_, f.Ws},
        {edgx_, f.edgx}, {edgy_, f.edgy}, {pitchx_, f.pitchx}, {pitchy_, f.pitchy}, {nx_, f.nx},
        {ny_, f.ny}};
    for (const auto& [edit, text] : texts)
        edit->setText(text);
    for (int j = 1; j <= 4; ++j) {
        M_[j]->setText(f.M[j]);
        H_[j]->setText(f.H[j]);
    }
    fillGradeAndSize(gradeX_, sizeX_, f.barGradeX, f.barSizeX, kindX_, QStringLiteral("X方向"));
    fillGradeAndSize(gradeY_, sizeY_, f.barGradeY, f.barSizeY, kindY_, QStringLiteral("Y方向"));
    priority_->setExclusive(false);
    for (QAbstractButton* option : priority_->buttons())
        option->setChecked(false);
    priority_->setExclusive(true);
    if (f.priorityIndex >= 0 && f.priorityIndex <= 2) priority_->button(f.priorityIndex)->setChecked(true);
}

void FoundationInputWindow::readSharedFields(RecordForm& f) const {
    f.name = name_->text();
    f.memo = memo_->text();
    for (int j = 1; j <= 4; ++j) {
        if (N_[j]) f.N[j] = N_[j]->text();
        f.M[j] = M_[j]->text();
        f.H[j] = H_[j]->text();
    }
    f.ax = ax_->text();
    f.ay = ay_->text();
    f.D1 = D1_->text();
    f.D2 = D2_->text();
    f.d = d_->text();
    f.h1 = h1_->text();
    f.h2 = h2_->text();
    f.Fc = Fc_->text();
    f.Wc = Wc_->text();
    f.Ws = Ws_->text();
    f.barGradeX = gradeX_->currentText();
    f.barSizeX = sizeX_->currentText();
    f.barGradeY = gradeY_->currentText();
    f.barSizeY = sizeY_->currentText();
    f.edgx = edgx_->text();
    f.edgy = edgy_->text();
    f.pitchx = pitchx_->text();
    f.pitchy = pitchy_->text();
    f.nx = nx_->text();
    f.ny = ny_->text();
    f.priorityIndex = priority_->checkedId();
}

void FoundationInputWindow::fillGradeAndSize(QComboBox* grade, QComboBox* size, const QString& gradeText,
                                             const QString& sizeText, QString& kind,
                                             const QString& direction) {
    const QStringList grades = listBarGrades(ctx_.folders);
    grade->clear();
    grade->addItems(grades);
    QString g = gradeText;
    grade->setCurrentIndex(chooseListItem(grades, g));
    // A grade or size the masters no longer hold is shown as the first of
    // its list; the user is told, since a save stores what is shown.
    if (!listHolds(grades, gradeText) && grade->currentIndex() >= 0)
        openingNotes_ << notInMasterNote(direction + QStringLiteral("鉄筋の種類"), gradeText,
                                         grade->currentText());
    kind = barKindOfGrade(grade->currentIndex() >= 0 ? trimBlanks(grade->currentText()) : g);
    const QStringList sizes = listBarSizes(ctx_.folders, kind);
    size->clear();
    size->addItems(sizes);
    QString s = sizeText;
    size->setCurrentIndex(chooseListItem(sizes, s));
    if (!listHolds(sizes, sizeText) && size->currentIndex() >= 0)
        openingNotes_ << notInMasterNote(direction + QStringLiteral("鉄筋のサイズ"), sizeText,
                                         size->currentText());
}

void FoundationInputWindow::pickGrade(QComboBox* grade, QComboBox* size, QString& kind) {
    if (loading_) return;
    // Deformed and round bars have their own sizes: a new kind starts at its
    // first size.
    const QString picked = barKindOfGrade(trimBlanks(grade->currentText()));
    if (picked == kind) return;
    kind = picked;
    loading_ = true;
    size->clear();
    size->addItems(listBarSizes(ctx_.folders, kind));
    size->setCurrentIndex(size->count() > 0 ? 0 : -1);
    loading_ = false;
}

void FoundationInputWindow::showTab(int index) {
    if (index < 0 || index >= ranges_.size()) return;
    const int first = ranges_[index].first;
    navigator_->setCurrentPlace(first);
    FieldNavigator::focusAndSelect(navigator_->fieldAt(first));
}

void FoundationInputWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    if (!loaded_) {
        QTimer::singleShot(0, this, [this] { closeWith(QDialog::Rejected); });
        return;
    }
    navigator_->setCurrentPlace(1);
    FieldNavigator::focusAndSelect(name_);
    if (!openingNotes_.isEmpty()) {
        QTimer::singleShot(0, this, [this] {
            const QStringList notes = openingNotes_;
            openingNotes_.clear();
            ctx_.ask().warn(
                QStringLiteral("記録されているデータの一部は、そのままでは表示できませんでした。　　　") +
                QStringLiteral("\n\n") + notes.join(QStringLiteral("\n")));
            FieldNavigator::focusAndSelect(name_);
        });
    }
}

void FoundationInputWindow::closeEvent(QCloseEvent* event) {
    if (isVisible()) closeWith(QDialog::Rejected);
    event->accept();
}

void FoundationInputWindow::closeWith(int result) {
    navigator_->release();
    done(result);
}

void FoundationInputWindow::registerRecord() {
    const Outcome saved = k5::registerRecord(edit_, form());
    if (!ctx_.ask().report(saved)) return focusRefusedInput(saved);
    closeWith(QDialog::Accepted);
}

void FoundationInputWindow::recordAsIs() {
    const Outcome saved = k5::recordAsIs(edit_, form());
    if (!ctx_.ask().report(saved)) return focusRefusedInput(saved);
    closeWith(QDialog::Accepted);
}

void FoundationInputWindow::duplicate() {
    RecordForm f = form();
    const Outcome made = duplicateRecord(edit_, f);
    // The window shows the copy before the message tells about it.
    if (made) name_->setText(f.name);
    if (!ctx_.ask().report(made)) return focusRefusedInput(made);
    // The copy is named provisionally: its name is the next thing to type,
    // and a second Enter must not make a second copy.
    focusField(name_);
}

void FoundationInputWindow::reject() {
    if (!confirmCancel(ctx_)) return;
    closeWith(QDialog::Rejected);
}

} // namespace k5
