#include "ui/input/IsolatedFootingWindow.h"

#include "input/rebar_lists.h"
#include "masters/bar_size_master.h"
#include "masters/grade_master.h"
#include "platform/fixed_text.h"
#include "shell/app_context.h"
#include "shell/cancel_confirmation.h"
#include "ui/gridedit/FieldNavigator.h"
#include "ui/input/CommonValuesWindow.h"
#include "ui/input/FootingPicture.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
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
namespace {

QLabel* caption(const QString& text, QWidget* parent) {
    return new QLabel(text, parent);
}

QGroupBox* group(const QString& title, QWidget* parent) {
    return new QGroupBox(title, parent);
}

} // namespace

IsolatedFootingWindow::IsolatedFootingWindow(AppContext& ctx, const EditRequest& request, QWidget* parent)
    : QDialog(parent), ctx_(ctx), edit_{ctx.folders, ctx.job, request, {}} {
    edit_.request.foundationType = kTypeIsolated;
    setObjectName(QStringLiteral("frm01独立基礎"));
    setWindowTitle(QStringLiteral("独立基礎"));
    buildFields();
    duplicate_->setEnabled(edit_.request.isCorrection());
    const QStringList units = unitCaptions(ctx_.job.unitSystem, kTypeIsolated);
    for (int i = 0; i < 8; ++i)
        unitLabels_[i]->setText(units[i]);
    loaded_ = activate();
}

QLineEdit* IsolatedFootingWindow::field(const QString& name, int width) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setFixedWidth(width);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

void IsolatedFootingWindow::buildFields() {
    for (int i = 0; i < 8; ++i) {
        unitLabels_[i] = new QLabel(this);
        unitLabels_[i]->setObjectName(QStringLiteral("UnitLabel_%1").arg(i));
    }
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("SSTab1"));
    tabs_->addTab(buildMainTab(), QStringLiteral("　メイン　"));
    tabs_->addTab(buildDetailTab(), QStringLiteral("　詳　細　"));

    struct ButtonSpec {
        const char* name;
        const char* text;
        const char* tip;
    };
    const ButtonSpec specs[] = {
        {"Cmd登録", "ﾁｪｯｸ記録終了",
         "入力されているデータチェックをし、OKであれば記録されます。NGの場合は入力画面に戻ります。"},
        {"cmd現状記録", "現状記録終了",
         "入力されているデータはそのまま記録され、入力を終了します（入力値のチェックは行われません）。"},
        {"Cmdキャンセル", "ｷｬﾝｾﾙ", "入力されているデータは記録されず終了します。"},
        {"cmd複製", "複製", ""},
        {"Cmd共通値編集", "共通値編集...", ""},
    };
    auto* buttons = new QHBoxLayout;
    std::array<QPushButton*, 5> made{};
    for (int i = 0; i < 5; ++i) {
        auto* b = new QPushButton(QString::fromUtf8(specs[i].text), this);
        b->setObjectName(QString::fromUtf8(specs[i].name));
        b->setToolTip(QString::fromUtf8(specs[i].tip));
        b->setAutoDefault(false);
        b->setMinimumWidth(110);
        made[i] = b;
    }
    buttons->addWidget(made[4]);
    buttons->addWidget(made[3]);
    buttons->addStretch();
    buttons->addWidget(made[0]);
    buttons->addWidget(made[1]);
    buttons->addWidget(made[2]);
    duplicate_ = made[3];
    connect(made[0], &QPushButton::clicked, this, [this] { registerRecord(); });
    connect(made[1], &QPushButton::clicked, this, [this] { recordAsIs(); });
    connect(made[2], &QPushButton::clicked, this, [this] { reject(); });
    connect(made[3], &QPushButton::clicked, this, [this] { duplicate(); });
    connect(made[4], &QPushButton::clicked, this, [this] {
        CommonValuesWindow window(ctx_, this);
        window.exec();
    });

    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(unitLabels_[0]);
    top->addStretch();
    outer->addLayout(top);
    outer->addWidget(tabs_);
    outer->addLayout(buttons);

    navigator_ = new FieldNavigator(this);
    navigator_->setFocusList({name_,   N_[1],  N_[3], N_[4], M_[1],   M_[2], M_[3], M_[4],  H_[1],   H_[2],
                              H_[3],   H_[4],  ax_,   Lx1_,  ay_,     Ly1_,  Lx_,   Ly_,    D1_,     D2_,
                              d_,      h1_,    h2_,   memo_, fe_,     Fc_,   Wc_,   Ws_,    gradeX_, sizeX_,
                              gradeY_, sizeY_, edgx_, nx_,   pitchx_, edgy_, ny_,   pitchy_});
    navigator_->setRanges({{1, 24}, {25, 38}});
    navigator_->followTabs(tabs_);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (!loading_) showTab(index);
    });
}

QWidget* IsolatedFootingWindow::buildMainTab() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);

    auto* nameBox = group(QStringLiteral("[ 名称 ]"), page);
    auto* nameRow = new QHBoxLayout(nameBox);
    name_ = field(QStringLiteral("Text名称"), 200);
    name_->setAlignment(Qt::AlignLeft);
    nameRow->addWidget(name_);
    nameRow->addStretch();
    layout->addWidget(nameBox);

    auto* loads = group(QStringLiteral("[ 応力 ]"), page);
    auto* grid = new QGridLayout(loads);
    const QStringList columns{QStringLiteral("X長期"), QStringLiteral("Y長期"), QStringLiteral("X短期"),
                              QStringLiteral("Y短期")};
    for (int c = 0; c < 4; ++c)
        grid->addWidget(caption(columns[c], page), 0, c + 1, Qt::AlignCenter);
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
    grid->addWidget(caption(QStringLiteral("軸力 N="), page), 1, 0);
    grid->addWidget(N_[1], 1, 1, 1, 2, Qt::AlignCenter);
    grid->addWidget(N_[3], 1, 3);
    grid->addWidget(N_[4], 1, 4);
    grid->addWidget(unitLabels_[1], 1, 5);
    grid->addWidget(caption(QStringLiteral("モーメント M="), page), 2, 0);
    grid->addWidget(caption(QStringLiteral("水平力 H="), page), 3, 0);
    for (int j = 1; j <= 4; ++j) {
        grid->addWidget(M_[j], 2, j);
        grid->addWidget(H_[j], 3, j);
    }
    grid->addWidget(unitLabels_[2], 2, 5);
    grid->addWidget(unitLabels_[3], 3, 5);
    layout->addWidget(loads);

    auto* column = group(QStringLiteral("[ 柱型 ]"), page);
    auto* cg = new QGridLayout(column);
    ax_ = field(QStringLiteral("Text_ax"));
    ay_ = field(QStringLiteral("Text_ay"));
    Lx1_ = field(QStringLiteral("Text_Lx1"));
    Ly1_ = field(QStringLiteral("Text_Ly1"));
    Lx1Caption_ = caption(QStringLiteral("Lx1="), page);
    Ly1Caption_ = caption(QStringLiteral("Ly1="), page);
    centreX_ = new QCheckBox(QStringLiteral("X方向の中心"), page);
    centreX_->setObjectName(QStringLiteral("CheckX中心"));
    centreY_ = new QCheckBox(QStringLiteral("Y方向の中心"), page);
    centreY_->setObjectName(QStringLiteral("CheckY中心"));
    centreX_->setFocusPolicy(Qt::NoFocus);
    centreY_->setFocusPolicy(Qt::NoFocus);
    cg->addWidget(caption(QStringLiteral("<------- 偏心位置指定 ---------->"), page), 0, 3, 1, 3);
    cg->addWidget(caption(QStringLiteral("*ax="), page), 1, 0);
    cg->addWidget(ax_, 1, 1);
    cg->addWidget(caption(QStringLiteral("mm"), page), 1, 2);
    cg->addWidget(Lx1Caption_, 1, 3);
    cg->addWidget(Lx1_, 1, 4);
    cg->addWidget(caption(QStringLiteral("mm"), page), 1, 5);
    cg->addWidget(centreX_, 1, 6);
    cg->addWidget(caption(QStringLiteral("*ay="), page), 2, 0);
    cg->addWidget(ay_, 2, 1);
    cg->addWidget(caption(QStringLiteral("mm"), page), 2, 2);
    cg->addWidget(Ly1Caption_, 2, 3);
    cg->addWidget(Ly1_, 2, 4);
    cg->addWidget(caption(QStringLiteral("mm"), page), 2, 5);
    cg->addWidget(centreY_, 2, 6);
    connect(centreX_, &QCheckBox::clicked, this, [this] { centreClicked(centreX_, Lx1_, Lx1Caption_); });
    connect(centreY_, &QCheckBox::clicked, this, [this] { centreClicked(centreY_, Ly1_, Ly1Caption_); });
    layout->addWidget(column);

    auto* base = group(QStringLiteral("[ 底版 ]"), page);
    auto* bg = new QGridLayout(base);
    Lx_ = field(QStringLiteral("TextLx"));
    Ly_ = field(QStringLiteral("TextLy"));
    D1_ = field(QStringLiteral("Text_D1"));
    D2_ = field(QStringLiteral("Text_D2"));
    d_ = field(QStringLiteral("Text_D3"));
    const std::tuple<QString, QLineEdit*, QString> baseRows[] = {
        {QStringLiteral("Lx="), Lx_, QString()},
        {QStringLiteral("Ly="), Ly_, QString()},
        {QStringLiteral("基端 *D="), D1_, QString()},
        {QStringLiteral("先端*D'="), D2_, QStringLiteral("( D' は 25cm以上)")},
        {QStringLiteral("かぶり　d="), d_, QStringLiteral("( d は 7cm以上)")},
    };
    int row = 0;
    for (const auto& [text, edit, hint] : baseRows) {
        bg->addWidget(caption(text, page), row / 2, (row % 2) * 4);
        bg->addWidget(edit, row / 2, (row % 2) * 4 + 1);
        bg->addWidget(caption(QStringLiteral("mm"), page), row / 2, (row % 2) * 4 + 2);
        if (!hint.isEmpty()) bg->addWidget(caption(hint, page), row / 2, (row % 2) * 4 + 3);
        ++row;
    }
    layout->addWidget(base);

    auto* embed = group(QStringLiteral("[ 根入 ]"), page);
    auto* eg = new QHBoxLayout(embed);
    h1_ = field(QStringLiteral("Text_h1"));
    h2_ = field(QStringLiteral("Text_h2"));
    eg->addWidget(caption(QStringLiteral("*h1="), page));
    eg->addWidget(h1_);
    eg->addWidget(caption(QStringLiteral("mm"), page));
    eg->addSpacing(24);
    eg->addWidget(caption(QStringLiteral("*h2="), page));
    eg->addWidget(h2_);
    eg->addWidget(caption(QStringLiteral("mm"), page));
    eg->addStretch();
    layout->addWidget(embed);

    memo_ = field(QStringLiteral("TextMemo"), 560);
    memo_->setAlignment(Qt::AlignLeft);
    memo_->setMaxLength(120);
    layout->addWidget(caption(QStringLiteral("メモ（120文字まで入力できます）"), page));
    layout->addWidget(memo_);
    layout->addWidget(
        caption(QStringLiteral("※メモは計算書に印刷されません。※120文字分まで入力できます。"), page));
    layout->addWidget(caption(QStringLiteral("*印のついた入力項目は共通値の設定項目です"), page));
    layout->addWidget(caption(QStringLiteral("他の共通値の設定項目は<詳細タブ>で入力できます"), page));
    layout->addStretch();
    return page;
}

QWidget* IsolatedFootingWindow::buildDetailTab() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);

    auto* materials = new QGridLayout;
    fe_ = field(QStringLiteral("Text_fe"));
    Fc_ = field(QStringLiteral("Text_Fc"));
    Wc_ = field(QStringLiteral("Text_Wc"));
    Ws_ = field(QStringLiteral("Text_Ws"));
    const std::tuple<QString, QLineEdit*, int> rows[] = {
        {QStringLiteral("地耐力  fe"), fe_, 4},
        {QStringLiteral("コンクリート  Fc"), Fc_, 5},
        {QStringLiteral("コンクリート単位重量 Wc"), Wc_, 6},
        {QStringLiteral("埋戻土単位重量  Ws"), Ws_, 7},
    };
    int r = 0;
    for (const auto& [text, edit, unit] : rows) {
        materials->addWidget(caption(text, page), r, 0);
        materials->addWidget(edit, r, 1);
        materials->addWidget(unitLabels_[unit], r, 2);
        ++r;
    }
    auto* upper = new QHBoxLayout;
    upper->addLayout(materials);
    upper->addSpacing(24);

    auto* bars = new QGridLayout;
    auto list = [page](const QString& name) {
        auto* combo = new QComboBox(page);
        combo->setObjectName(name);
        combo->setFixedWidth(96);
        return combo;
    };
    gradeX_ = list(QStringLiteral("Combo鉄筋種類X"));
    sizeX_ = list(QStringLiteral("Combo鉄筋サイズX"));
    gradeY_ = list(QStringLiteral("Combo鉄筋種類Y"));
    sizeY_ = list(QStringLiteral("Combo鉄筋サイズY"));
    bars->addWidget(caption(QStringLiteral("種類"), page), 0, 1, Qt::AlignCenter);
    bars->addWidget(caption(QStringLiteral("サイズ"), page), 0, 2, Qt::AlignCenter);
    bars->addWidget(caption(QStringLiteral("X方向鉄筋"), page), 1, 0);
    bars->addWidget(gradeX_, 1, 1);
    bars->addWidget(sizeX_, 1, 2);
    bars->addWidget(caption(QStringLiteral("Y方向鉄筋"), page), 2, 0);
    bars->addWidget(gradeY_, 2, 1);
    bars->addWidget(sizeY_, 2, 2);
    connect(gradeX_, &QComboBox::currentIndexChanged, this, [this] { pickGrade(gradeX_, sizeX_, kindX_); });
    connect(gradeY_, &QComboBox::currentIndexChanged, this, [this] { pickGrade(gradeY_, sizeY_, kindY_); });
    upper->addLayout(bars);
    upper->addStretch();
    layout->addLayout(upper);

    auto* priorityBox = group(QStringLiteral("配筋決定優先"), page);
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
    layout->addWidget(priorityBox);
    layout->addWidget(caption(
        QStringLiteral("<配筋決定優先>で指定した優先項目に従って、必要な配筋決定条件を入力してください"),
        page));

    auto* arrangement = new QGridLayout;
    edgx_ = field(QStringLiteral("Text_edgx"), 70);
    edgy_ = field(QStringLiteral("Text_edgy"), 70);
    pitchx_ = field(QStringLiteral("Text_pitchx"), 70);
    pitchy_ = field(QStringLiteral("Text_pitchy"), 70);
    nx_ = field(QStringLiteral("Text_nx"), 70);
    ny_ = field(QStringLiteral("Text_ny"), 70);
    arrangement->addWidget(caption(QStringLiteral("端空き(mm)"), page), 0, 1);
    arrangement->addWidget(caption(QStringLiteral("本数(n本)"), page), 0, 2);
    arrangement->addWidget(caption(QStringLiteral("＠(mm)"), page), 0, 3);
    arrangement->addWidget(caption(QStringLiteral("X方向"), page), 1, 0);
    arrangement->addWidget(edgx_, 1, 1);
    arrangement->addWidget(nx_, 1, 2);
    arrangement->addWidget(pitchx_, 1, 3);
    arrangement->addWidget(caption(QStringLiteral("Y方向"), page), 2, 0);
    arrangement->addWidget(edgy_, 2, 1);
    arrangement->addWidget(ny_, 2, 2);
    arrangement->addWidget(pitchy_, 2, 3);
    auto* arrangementRow = new QHBoxLayout;
    arrangementRow->addLayout(arrangement);
    arrangementRow->addStretch();
    layout->addLayout(arrangementRow);
    layout->addWidget(caption(
        QStringLiteral("　＠：断面設計後、配筋を決定する際の「鉄筋間隔の最大値」を入力してください"), page));
    layout->addWidget(
        caption(QStringLiteral("本数：断面設計後、配筋を決定する際の「最大本数」を入力してください"), page));
    layout->addWidget(caption(
        QStringLiteral(
            "d：かぶりでの入力値は、底面から鉄筋の中心までの距離とし、X，Y方向での共通値として使用されます"),
        page));
    layout->addWidget(new FootingPicture(page), 0, Qt::AlignHCenter);
    layout->addStretch();
    return page;
}

bool IsolatedFootingWindow::activate() {
    loading_ = true;
    RecordForm f;
    if (edit_.request.isCorrection()) {
        setWindowTitle(QStringLiteral("(訂正)") + windowTitle());
        if (!loadRecordForm(edit_, f)) {
            ctx_.ask().warn(QStringLiteral("指定されたデータを読み込めませんでした。　　　　") +
                            QStringLiteral("\r\n\r\n処理を中止します。"));
            loading_ = false;
            return false;
        }
    } else {
        f = newRecordForm(edit_);
        setWindowTitle(windowTitle() + QStringLiteral("(新規)"));
    }
    showForm(f);
    tabs_->setCurrentIndex(0);
    navigator_->setCurrentRange(0);
    loading_ = false;
    return true;
}

void IsolatedFootingWindow::showForm(const RecordForm& f) {
    const std::pair<QLineEdit*, QString> texts[] = {
        {name_, f.name}, {memo_, f.memo}, {N_[1], f.N[1]},     {N_[3], f.N[3]},     {N_[4], f.N[4]},
        {ax_, f.ax},     {ay_, f.ay},     {Lx1_, f.Lx1},       {Ly1_, f.Ly1},       {Lx_, f.Lx},
        {Ly_, f.Ly},     {D1_, f.D1},     {D2_, f.D2},         {d_, f.d},           {h1_, f.h1},
        {h2_, f.h2},     {fe_, f.fe},     {Fc_, f.Fc},         {Wc_, f.Wc},         {Ws_, f.Ws},
        {edgx_, f.edgx}, {edgy_, f.edgy}, {pitchx_, f.pitchx}, {pitchy_, f.pitchy}, {nx_, f.nx},
        {ny_, f.ny}};
    for (const auto& [edit, text] : texts)
        edit->setText(text);
    for (int j = 1; j <= 4; ++j) {
        M_[j]->setText(f.M[j]);
        H_[j]->setText(f.H[j]);
    }
    centreX_->setChecked(f.centreX);
    centreY_->setChecked(f.centreY);
    applyCentre(centreX_, Lx1_, Lx1Caption_);
    applyCentre(centreY_, Ly1_, Ly1Caption_);
    fillGradeAndSize(gradeX_, sizeX_, f.barGradeX, f.barSizeX, kindX_);
    fillGradeAndSize(gradeY_, sizeY_, f.barGradeY, f.barSizeY, kindY_);
    priority_->setExclusive(false);
    for (QAbstractButton* option : priority_->buttons())
        option->setChecked(false);
    priority_->setExclusive(true);
    if (f.priorityIndex >= 0 && f.priorityIndex <= 2) priority_->button(f.priorityIndex)->setChecked(true);
}

RecordForm IsolatedFootingWindow::form() const {
    RecordForm f;
    f.name = name_->text();
    f.memo = memo_->text();
    for (int j = 1; j <= 4; ++j) {
        if (N_[j]) f.N[j] = N_[j]->text();
        f.M[j] = M_[j]->text();
        f.H[j] = H_[j]->text();
    }
    f.ax = ax_->text();
    f.ay = ay_->text();
    f.Lx1 = Lx1_->text();
    f.Ly1 = Ly1_->text();
    f.centreX = centreX_->isChecked();
    f.centreY = centreY_->isChecked();
    f.Lx = Lx_->text();
    f.Ly = Ly_->text();
    f.D1 = D1_->text();
    f.D2 = D2_->text();
    f.d = d_->text();
    f.h1 = h1_->text();
    f.h2 = h2_->text();
    f.fe = fe_->text();
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
    return f;
}

void IsolatedFootingWindow::applyCentre(QCheckBox* box, QLineEdit* offset, QLabel* label) {
    // A centred column has no offset to give: the field is greyed but keeps
    // its value, which the checks then ignore.
    const bool free = !box->isChecked();
    offset->setEnabled(free);
    label->setEnabled(free);
    offset->setStyleSheet(free ? QString() : QStringLiteral("background-color: palette(button);"));
}

void IsolatedFootingWindow::centreClicked(QCheckBox* box, QLineEdit* offset, QLabel* label) {
    applyCentre(box, offset, label);
    if (loading_) return;
    // The box never takes the focus: the field that has it is the place the
    // focus moves on from, as if Enter had been pressed there.
    QWidget* focused = QApplication::focusWidget();
    if (navigator_->placeOf(focused) > 0)
        navigator_->advanceFrom(focused);
    else
        navigator_->moveFieldFocus(13);
}

void IsolatedFootingWindow::fillGradeAndSize(QComboBox* grade, QComboBox* size, const QString& gradeText,
                                             const QString& sizeText, QString& kind) {
    const QStringList grades = listBarGrades(ctx_.folders);
    grade->clear();
    grade->addItems(grades);
    QString g = gradeText;
    grade->setCurrentIndex(chooseListItem(grades, g));
    kind = barKindOfGrade(g);
    const QStringList sizes = listBarSizes(ctx_.folders, kind);
    size->clear();
    size->addItems(sizes);
    QString s = sizeText;
    size->setCurrentIndex(chooseListItem(sizes, s));
}

void IsolatedFootingWindow::pickGrade(QComboBox* grade, QComboBox* size, QString& kind) {
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

void IsolatedFootingWindow::showTab(int index) {
    QWidget* first = index == 0 ? static_cast<QWidget*>(name_) : static_cast<QWidget*>(fe_);
    navigator_->setCurrentPlace(index == 0 ? 1 : 25);
    FieldNavigator::focusAndSelect(first);
}

void IsolatedFootingWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    if (!loaded_) {
        QTimer::singleShot(0, this, [this] { closeWith(QDialog::Rejected); });
        return;
    }
    navigator_->setCurrentPlace(1);
    FieldNavigator::focusAndSelect(name_);
}

void IsolatedFootingWindow::closeWith(int result) {
    navigator_->release();
    done(result);
}

void IsolatedFootingWindow::registerRecord() {
    if (!ctx_.ask().report(k5::registerRecord(edit_, form()))) return;
    closeWith(QDialog::Accepted);
}

void IsolatedFootingWindow::recordAsIs() {
    if (!ctx_.ask().report(k5::recordAsIs(edit_, form()))) return;
    closeWith(QDialog::Accepted);
}

void IsolatedFootingWindow::duplicate() {
    RecordForm f = form();
    if (!ctx_.ask().report(duplicateRecord(edit_, f))) return;
    name_->setText(f.name);
}

void IsolatedFootingWindow::reject() {
    if (!confirmCancel(ctx_)) return;
    closeWith(QDialog::Rejected);
}

} // namespace k5
