#include "ui/input/CommonValuesWindow.h"

#include "input/rebar_lists.h"
#include "masters/bar_size_master.h"
#include "masters/grade_master.h"
#include "masters/master_file.h"
#include "platform/fixed_text.h"
#include "shell/app_context.h"
#include "shell/cancel_confirmation.h"
#include "ui/gridedit/FieldNavigator.h"
#include "ui/input/FootingPicture.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace k5 {
namespace {

QLabel* captionLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

// The print choice and the load-case captions belong to the window but are
// never shown and take no part in the values.
void addHiddenFrames(QWidget* window) {
    auto* print = new QGroupBox(QStringLiteral("印刷出力指定"), window);
    print->setObjectName(QStringLiteral("Frame印刷出力指定"));
    auto* printLayout = new QVBoxLayout(print);
    for (const QString& text :
         {QStringLiteral("全ケースを出力"), QStringLiteral("X，Y方向毎に不利なケースを出力"),
          QStringLiteral("全ケースで最も不利なケースを出力")})
        printLayout->addWidget(new QRadioButton(text, print));
    static_cast<QRadioButton*>(printLayout->itemAt(0)->widget())->setChecked(true);
    print->hide();

    auto* cases = new QGroupBox(QStringLiteral("入力・計算ケース"), window);
    cases->setObjectName(QStringLiteral("Frame入力計算ケース"));
    auto* caseLayout = new QHBoxLayout(cases);
    for (const QString& text : {QStringLiteral("X-長期"), QStringLiteral("Y-長期"), QStringLiteral("X-短期"),
                                QStringLiteral("Y-短期")})
        caseLayout->addWidget(new QLabel(text, cases));
    cases->hide();
}

} // namespace

CommonValuesWindow::CommonValuesWindow(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frm00設計共通値"));
    setWindowTitle(QStringLiteral("共通値の登録"));
    buildFields();

    // Both units are read into the window's copies; the program's common
    // values stay as they were until 登録.
    const CommonValues before = ctx_.common;
    for (int unit = 1; unit <= 2; ++unit) {
        loadCommonValues(ctx_.folders, unit, ctx_.common);
        copies_[unit] = ctx_.common;
    }
    ctx_.common = before;
    shownUnit_ = 1;
    showCommonValues(1);
}

QLineEdit* CommonValuesWindow::field(const QString& name) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setFixedWidth(84);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

void CommonValuesWindow::buildFields() {
    fe_ = field(QStringLiteral("Text_fe"));
    pe_ = field(QStringLiteral("Text_pe"));
    pfai_ = field(QStringLiteral("Text_pfai"));
    grade_ = new QComboBox(this);
    grade_->setObjectName(QStringLiteral("Cmb鉄筋種類"));
    size_ = new QComboBox(this);
    size_->setObjectName(QStringLiteral("Cmb鉄筋サイズ"));
    for (QComboBox* list : {grade_, size_})
        list->setFixedWidth(96);
    Fc_ = field(QStringLiteral("Text_コンクリート設計強度"));
    Wc_ = field(QStringLiteral("Text_Wc"));
    Ws_ = field(QStringLiteral("Text_Ws"));
    ax_ = field(QStringLiteral("Text_ax"));
    ay_ = field(QStringLiteral("Text_ay"));
    h1_ = field(QStringLiteral("Text_h1"));
    h2_ = field(QStringLiteral("Text_h2"));
    D1_ = field(QStringLiteral("Text_D1"));
    D2_ = field(QStringLiteral("Text_D2"));
    d_ = field(QStringLiteral("Text_D3"));
    edgx_ = field(QStringLiteral("Text_edgx"));
    pitchx_ = field(QStringLiteral("Text_pitchx"));
    nx_ = field(QStringLiteral("Text_nx"));
    edgy_ = field(QStringLiteral("Text_edgy"));
    pitchy_ = field(QStringLiteral("Text_pitchy"));
    ny_ = field(QStringLiteral("Text_ny"));
    for (QLineEdit* e : {edgx_, pitchx_, nx_, edgy_, pitchy_, ny_})
        e->setFixedWidth(70);

    auto unitCaption = [this](const QString& text = {}) { return captionLabel(text, this); };
    feUnit_ = unitCaption();
    PeUnit_ = unitCaption();
    FcUnit_ = unitCaption();
    WcUnit_ = unitCaption();
    WsUnit_ = unitCaption();
    feUnit_->setObjectName(QStringLiteral("Label単位_fe"));
    PeUnit_->setObjectName(QStringLiteral("Label単位_Pe"));
    FcUnit_->setObjectName(QStringLiteral("Label単位_Fc"));
    WcUnit_->setObjectName(QStringLiteral("Label単位_Wc"));
    WsUnit_->setObjectName(QStringLiteral("Label単位_Ws"));

    // Unit options and the unit caption.
    si_ = new QRadioButton(QStringLiteral("SI単位"), this);
    si_->setObjectName(QStringLiteral("Option_SI"));
    cgs_ = new QRadioButton(QStringLiteral("CGS単位"), this);
    cgs_->setObjectName(QStringLiteral("Option_CGS"));
    unitLabel_ = new QLabel(this);
    unitLabel_->setObjectName(QStringLiteral("Label単位"));
    QFont strong = unitLabel_->font();
    strong.setBold(true);
    unitLabel_->setFont(strong);
    // The two options are one group: the arrow keys move between them (and
    // choose, as an option group does) and never leave for another control.
    auto* unitGroup = new QButtonGroup(this);
    unitGroup->addButton(si_, 1);
    unitGroup->addButton(cgs_, 2);
    connect(si_, &QRadioButton::clicked, this, [this] { switchUnit(1); });
    connect(cgs_, &QRadioButton::clicked, this, [this] { switchUnit(2); });
    auto* units = new QHBoxLayout;
    units->addWidget(si_);
    units->addWidget(cgs_);
    units->addSpacing(24);
    units->addWidget(unitLabel_);
    units->addStretch();

    auto addRow = [this](QGridLayout* grid, const QString& text, QWidget* input, QWidget* unit = nullptr) {
        const int row = grid->rowCount();
        grid->addWidget(captionLabel(text, this), row, 0);
        grid->addWidget(input, row, 1);
        if (unit) grid->addWidget(unit, row, 2);
    };

    auto* soil = new QGroupBox(QStringLiteral("地盤・杭"), this);
    auto* soilGrid = new QGridLayout(soil);
    addRow(soilGrid, QStringLiteral("地耐力 Fe"), fe_, feUnit_);
    addRow(soilGrid, QStringLiteral("杭の支持力  Pe"), pe_, PeUnit_);
    addRow(soilGrid, QStringLiteral("杭径"), pfai_, unitCaption(QStringLiteral("mm")));

    auto* bars = new QGroupBox(QStringLiteral("鉄筋"), this);
    auto* barGrid = new QGridLayout(bars);
    addRow(barGrid, QStringLiteral("鉄筋種類"), grade_);
    addRow(barGrid, QStringLiteral("鉄筋サイズ"), size_);
    connect(grade_, &QComboBox::currentIndexChanged, this, [this] { pickGrade(); });

    auto* materials = new QGroupBox(QStringLiteral("コンクリート・土"), this);
    auto* materialGrid = new QGridLayout(materials);
    addRow(materialGrid, QStringLiteral("コンクリート設計強度 Fｃ"), Fc_, FcUnit_);
    addRow(materialGrid, QStringLiteral("コンクリート単位重量 Wc"), Wc_, WcUnit_);
    addRow(materialGrid, QStringLiteral("埋戻土単位重量  Ws"), Ws_, WsUnit_);

    auto* sizes = new QGroupBox(QStringLiteral("寸法"), this);
    auto* sizeGrid = new QGridLayout(sizes);
    addRow(sizeGrid, QStringLiteral("ax"), ax_);
    addRow(sizeGrid, QStringLiteral("ay"), ay_);
    addRow(sizeGrid, QStringLiteral("基礎天端からの高さ h1"), h1_);
    addRow(sizeGrid, QStringLiteral("GLからの深さ h2"), h2_);
    addRow(sizeGrid, QStringLiteral("基端 D"), D1_);
    addRow(sizeGrid, QStringLiteral("先端 D'"), D2_);
    addRow(sizeGrid, QStringLiteral("かぶり d"), d_);

    // Rebar arrangement: a row per direction, and the priority of the rules.
    auto* arrangement = new QGroupBox(QStringLiteral("配筋条件"), this);
    auto* arrangementGrid = new QGridLayout(arrangement);
    arrangementGrid->addWidget(captionLabel(QStringLiteral("端空き(mm)"), this), 0, 1);
    arrangementGrid->addWidget(captionLabel(QStringLiteral("@（ｍｍ）"), this), 0, 2);
    arrangementGrid->addWidget(captionLabel(QStringLiteral("n(本)"), this), 0, 3);
    arrangementGrid->addWidget(captionLabel(QStringLiteral("x"), this), 1, 0);
    arrangementGrid->addWidget(edgx_, 1, 1);
    arrangementGrid->addWidget(pitchx_, 1, 2);
    arrangementGrid->addWidget(nx_, 1, 3);
    arrangementGrid->addWidget(captionLabel(QStringLiteral("y"), this), 2, 0);
    arrangementGrid->addWidget(edgy_, 2, 1);
    arrangementGrid->addWidget(pitchy_, 2, 2);
    arrangementGrid->addWidget(ny_, 2, 3);

    auto* decision = new QGroupBox(QStringLiteral("配筋決定"), this);
    decision->setObjectName(QStringLiteral("Frame配筋決定"));
    auto* decisionLayout = new QVBoxLayout(decision);
    priority_ = new QButtonGroup(this);
    const QStringList options{QStringLiteral("計算結果優先"), QStringLiteral("鉄筋間隔@優先"),
                              QStringLiteral("鉄筋本数優先")};
    for (int i = 0; i < options.size(); ++i) {
        auto* option = new QRadioButton(options[i], decision);
        option->setObjectName(QStringLiteral("optYusen_%1").arg(i));
        priority_->addButton(option, i);
        decisionLayout->addWidget(option);
    }

    auto* registerButton = new QPushButton(QStringLiteral("登録"), this);
    registerButton->setObjectName(QStringLiteral("登録"));
    auto* cancelButton = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancelButton->setObjectName(QStringLiteral("キャンセル"));
    for (QPushButton* b : {registerButton, cancelButton}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(96);
    }
    connect(registerButton, &QPushButton::clicked, this, [this] { registerValues(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { reject(); });

    auto* note = new QLabel(QStringLiteral("注意：寸法の入力単位は mm です"), this);
    note->setStyleSheet(QStringLiteral("color: #b00000;"));

    auto* leftColumn = new QVBoxLayout;
    leftColumn->addWidget(soil);
    leftColumn->addWidget(bars);
    leftColumn->addWidget(materials);
    leftColumn->addStretch();
    auto* middleColumn = new QVBoxLayout;
    middleColumn->addWidget(sizes);
    middleColumn->addWidget(note);
    middleColumn->addStretch();
    auto* upper = new QHBoxLayout;
    upper->addLayout(leftColumn);
    upper->addLayout(middleColumn);
    upper->addWidget(new FootingPicture(this), 0, Qt::AlignTop);

    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(registerButton);
    buttons->addWidget(cancelButton);
    auto* lower = new QHBoxLayout;
    lower->addWidget(arrangement);
    lower->addWidget(decision);
    lower->addStretch();
    lower->addLayout(buttons);

    auto* outer = new QVBoxLayout(this);
    outer->addLayout(units);
    outer->addLayout(upper);
    outer->addLayout(lower);

    // Holds the focus while the controls are refilled; never reached by keys.
    focusHolder_ = new QLineEdit(this);
    focusHolder_->setObjectName(QStringLiteral("Text1"));
    focusHolder_->setFocusPolicy(Qt::NoFocus);
    focusHolder_->setFixedSize(0, 0);
    addHiddenFrames(this);

    navigator_ = new FieldNavigator(this);
    navigator_->setFocusList({fe_, pe_, pfai_, grade_, size_, Fc_,     Wc_, Ws_,   ax_,     ay_, h1_,
                              h2_, D1_, D2_,   d_,     edgx_, pitchx_, nx_, edgy_, pitchy_, ny_});
    // After the 21 fields: the priority, the unit options, then the buttons.
    QWidget* previous = ny_;
    for (QWidget* next : {static_cast<QWidget*>(priority_->button(0)), static_cast<QWidget*>(si_),
                          static_cast<QWidget*>(registerButton), static_cast<QWidget*>(cancelButton)}) {
        setTabOrder(previous, next);
        previous = next;
    }
}

void CommonValuesWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    fe_->setFocus();
    fe_->selectAll();
}

void CommonValuesWindow::showCommonValues(int unit) {
    loading_ = true;
    focusHolder_->setFocus();
    CommonValues& values = copies_[unit];
    const CommonValuesUnitCaptions captions = commonValuesUnitCaptions(unit);
    (unit == 1 ? si_ : cgs_)->setChecked(true);
    unitLabel_->setText(captions.unitLabel);
    feUnit_->setText(captions.fe);
    PeUnit_->setText(captions.Pe);
    FcUnit_->setText(captions.Fc);
    WcUnit_->setText(captions.Wc);
    WsUnit_->setText(captions.Ws);

    const CommonValuesEntry shown = commonValuesEntry(values);
    grade_->clear();
    grade_->addItems(listBarGrades(ctx_.folders));
    grade_->setCurrentIndex(chooseListItem(listBarGrades(ctx_.folders), values.barGrade));
    barKind_ = barKindOfGrade(values.barGrade);
    fillSizeList(barKind_);
    size_->setCurrentIndex(chooseListItem(listBarSizes(ctx_.folders, barKind_), values.barSize));

    const std::pair<QLineEdit*, QString> texts[] = {
        {fe_, shown.fe}, {pe_, shown.Pe},         {pfai_, shown.pfai},     {Fc_, shown.Fc},
        {Wc_, shown.Wc}, {Ws_, shown.Ws},         {D1_, shown.D1},         {D2_, shown.D2},
        {ax_, shown.ax}, {ay_, shown.ay},         {d_, shown.d},           {h1_, shown.h1},
        {h2_, shown.h2}, {pitchx_, shown.pitchx}, {pitchy_, shown.pitchy}, {nx_, shown.nx},
        {ny_, shown.ny}, {edgx_, shown.edgx},     {edgy_, shown.edgy}};
    for (const auto& [edit, text] : texts)
        edit->setText(text);

    // A priority out of range shows no option chosen.
    priority_->setExclusive(false);
    for (QAbstractButton* option : priority_->buttons())
        option->setChecked(false);
    priority_->setExclusive(true);
    if (shown.priorityIndex >= 0) priority_->button(shown.priorityIndex)->setChecked(true);

    fe_->setFocus();
    fe_->setSelection(0, 10);
    loading_ = false;
}

void CommonValuesWindow::fillSizeList(const QString& kind) {
    const bool wasLoading = loading_;
    loading_ = true;
    size_->clear();
    size_->addItems(listBarSizes(ctx_.folders, kind));
    loading_ = wasLoading;
}

CommonValuesEntry CommonValuesWindow::entry() const {
    CommonValuesEntry e;
    e.fe = fe_->text();
    e.Pe = pe_->text();
    e.pfai = pfai_->text();
    e.barGrade = grade_->currentText();
    e.barSize = size_->currentText();
    e.Fc = Fc_->text();
    e.Wc = Wc_->text();
    e.Ws = Ws_->text();
    e.ax = ax_->text();
    e.ay = ay_->text();
    e.h1 = h1_->text();
    e.h2 = h2_->text();
    e.D1 = D1_->text();
    e.D2 = D2_->text();
    e.d = d_->text();
    e.edgx = edgx_->text();
    e.edgy = edgy_->text();
    e.pitchx = pitchx_->text();
    e.pitchy = pitchy_->text();
    e.nx = nx_->text();
    e.ny = ny_->text();
    e.priorityIndex = priority_->checkedId();
    return e;
}

bool CommonValuesWindow::collectCommonValues(int unit) {
    QString refused;
    if (k5::collectCommonValues(entry(), copies_[unit], ctx_.ask(), &refused)) return true;
    // The message named the value: the focus goes to it.
    const std::pair<const char*, QWidget*> fields[] = {
        {"fe", fe_},         {"Pe", pe_},     {"pfai", pfai_}, {"Fc", Fc_},
        {"Wc", Wc_},         {"Ws", Ws_},     {"ax", ax_},     {"ay", ay_},
        {"h1", h1_},         {"h2", h2_},     {"D1", D1_},     {"D2", D2_},
        {"d", d_},           {"edgx", edgx_}, {"edgy", edgy_}, {"pitchx", pitchx_},
        {"pitchy", pitchy_}, {"nx", nx_},     {"ny", ny_},     {"priority", priority_->button(0)}};
    for (const auto& [name, widget] : fields)
        if (refused == QLatin1String(name)) {
            const int place = navigator_->placeOf(widget);
            if (place > 0) navigator_->setCurrentPlace(place);
            FieldNavigator::focusAndSelect(widget);
        }
    return false;
}

void CommonValuesWindow::switchUnit(int unit) {
    if (loading_) return;
    if (unit == shownUnit_) return;
    // The arrow keys choose an option while the other one has the focus (a
    // click gives the focus first): the chosen option then keeps it.
    const bool byKeys = (unit == 1 ? cgs_ : si_)->hasFocus();
    if (!collectCommonValues(shownUnit_)) {
        // The refused value stays in its field, with the focus, on its unit.
        (shownUnit_ == 1 ? si_ : cgs_)->setChecked(true);
        return;
    }
    shownUnit_ = unit;
    showCommonValues(unit);
    QWidget* next = byKeys ? static_cast<QWidget*>(unit == 1 ? si_ : cgs_) : static_cast<QWidget*>(fe_);
    FieldNavigator::focusAndSelect(next);
}

void CommonValuesWindow::pickGrade() {
    if (loading_) return;
    CommonValues& values = copies_[shownUnit_];
    values.barGrade = trimBlanks(grade_->currentText());
    const QString kind = barKindOfGrade(values.barGrade);
    if (kind == barKind_) return;
    // Deformed and round bars have their own sizes: the new kind starts at
    // its first size.
    barKind_ = kind;
    fillSizeList(kind);
    size_->setCurrentIndex(size_->count() > 0 ? 0 : -1);
    values.barSize = trimBlanks(size_->currentText());
}

void CommonValuesWindow::registerValues() {
    // A refused value keeps the window open with the focus on it, so the
    // user can put it right before anything is saved.
    if (!collectCommonValues(shownUnit_)) return;
    if (!saveCommonValues(ctx_.folders, copies_[1], copies_[2])) {
        ctx_.ask().error(writeFailedMessage(ctx_.folders.commonValuesFile));
        return;
    }
    ctx_.common = copies_[2];
    // New records take what was stored (zero arrangement values replaced
    // by their defaults when saving).
    loadCommonValues(ctx_.folders, ctx_.job.unitSystem, ctx_.common);
    navigator_->release();
    accept();
}

void CommonValuesWindow::reject() {
    if (!confirmCancel(ctx_)) return;
    navigator_->release();
    QDialog::reject();
}

} // namespace k5
