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

IsolatedFootingWindow::IsolatedFootingWindow(AppContext& ctx, const EditRequest& request, QWidget* parent)
    : FoundationInputWindow(ctx, request, kTypeIsolated, parent) {
    setObjectName(QStringLiteral("frm01独立基礎"));
    setWindowTitle(QStringLiteral("独立基礎"));
    correctionCaptionFirst_ = true;
    Lx1_ = field(QStringLiteral("Text_Lx1"));
    Ly1_ = field(QStringLiteral("Text_Ly1"));
    Lx_ = field(QStringLiteral("TextLx"));
    Ly_ = field(QStringLiteral("TextLy"));
    fe_ = field(QStringLiteral("Text_fe"));
    QWidget* mainTab = buildMainTab();
    QWidget* detailTab = buildDetailTab();
    finishBuilding(mainTab, detailTab,
                   {name_,   N_[1],  N_[3], N_[4], M_[1],   M_[2], M_[3], M_[4],  H_[1],   H_[2],
                    H_[3],   H_[4],  ax_,   Lx1_,  ay_,     Ly1_,  Lx_,   Ly_,    D1_,     D2_,
                    d_,      h1_,    h2_,   memo_, fe_,     Fc_,   Wc_,   Ws_,    gradeX_, sizeX_,
                    gradeY_, sizeY_, edgx_, nx_,   pitchx_, edgy_, ny_,   pitchy_},
                   {{1, 24}, {25, 38}});

    layOutWindow(QStringLiteral("ﾁｪｯｸ記録終了"));
    loaded_ = activate();
}

QWidget* IsolatedFootingWindow::buildMainTab() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);

    layout->addWidget(buildNameGroup(page));
    layout->addWidget(buildLoadsGroup(page, unitLabels_[3]));

    auto* column = new QGroupBox(QStringLiteral("[ 柱型 ]"), page);
    auto* cg = new QGridLayout(column);
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

    auto* base = new QGroupBox(QStringLiteral("[ 底版 ]"), page);
    auto* bg = new QGridLayout(base);
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

    auto* embed = new QGroupBox(QStringLiteral("[ 根入 ]"), page);
    auto* eg = new QHBoxLayout(embed);
    eg->addWidget(caption(QStringLiteral("*h1="), page));
    eg->addWidget(h1_);
    eg->addWidget(caption(QStringLiteral("mm"), page));
    eg->addSpacing(24);
    eg->addWidget(caption(QStringLiteral("*h2="), page));
    eg->addWidget(h2_);
    eg->addWidget(caption(QStringLiteral("mm"), page));
    eg->addStretch();
    layout->addWidget(embed);

    layout->addLayout(buildMemoArea(page));
    layout->addWidget(caption(QStringLiteral("*印のついた入力項目は共通値の設定項目です"), page));
    layout->addWidget(caption(QStringLiteral("他の共通値の設定項目は<詳細タブ>で入力できます"), page));
    layout->addStretch();
    return page;
}

QWidget* IsolatedFootingWindow::buildDetailTab() {
    QWidget* page = buildSharedDetailTab(QStringLiteral("地耐力  fe"), fe_, QStringLiteral("X方向鉄筋"),
                                         QStringLiteral("Y方向鉄筋"));
    auto* layout = static_cast<QVBoxLayout*>(page->layout());
    layout->addWidget(caption(
        QStringLiteral(
            "d：かぶりでの入力値は、底面から鉄筋の中心までの距離とし、X，Y方向での共通値として使用されます"),
        page));
    layout->addWidget(new FootingPicture(page), 0, Qt::AlignHCenter);
    layout->addStretch();
    return page;
}

QWidget* IsolatedFootingWindow::inputField(const QString& input) const {
    const std::pair<const char*, QWidget*> own[] = {
        {"Lx", Lx_}, {"Ly", Ly_}, {"fe", fe_}, {"Lx1", Lx1_}, {"Ly1", Ly1_}};
    for (const auto& [name, widget] : own)
        if (input == QLatin1String(name)) return widget;
    return FoundationInputWindow::inputField(input);
}

void IsolatedFootingWindow::showProposedPlan(const FoundationSize& size) {
    Lx_->setText(sizeText(size.Lx));
    Ly_->setText(sizeText(size.Ly));
}

void IsolatedFootingWindow::showForm(const RecordForm& f) {
    showSharedFields(f);
    const std::pair<QLineEdit*, QString> texts[] = {
        {Lx1_, f.Lx1}, {Ly1_, f.Ly1}, {Lx_, f.Lx}, {Ly_, f.Ly}, {fe_, f.fe}};
    for (const auto& [edit, text] : texts)
        edit->setText(text);
    centreX_->setChecked(f.centreX);
    centreY_->setChecked(f.centreY);
    applyCentre(centreX_, Lx1_, Lx1Caption_);
    applyCentre(centreY_, Ly1_, Ly1Caption_);
}

RecordForm IsolatedFootingWindow::form() const {
    RecordForm f;
    readSharedFields(f);
    f.Lx1 = Lx1_->text();
    f.Ly1 = Ly1_->text();
    f.centreX = centreX_->isChecked();
    f.centreY = centreY_->isChecked();
    f.Lx = Lx_->text();
    f.Ly = Ly_->text();
    f.fe = fe_->text();
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

} // namespace k5
