#include "ui/input/PileCapWindow.h"

#include "calc/record_checks.h"
#include "jobdata/pile_arrangement.h"
#include "platform/numbers.h"
#include "shell/app_context.h"
#include "ui/input/PileArrangementPicture.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace k5 {
namespace {

// The pile kinds with the rules of their minima, shown while no diameter is given.
struct PileKindText {
    const char* caption;
    const char* edgeRule;
    const char* spacingRule;
};
constexpr PileKindText kPileKinds[] = {
    {"既成ｺﾝｸﾘｰﾄ杭・閉端杭", "1.25d以上", "2.5d以上かつ750mm以上"},
    {"鋼杭・H形鋼・開端杭", "1.25d以上", "2d以上かつ750mm以上"},
    {"埋め込み杭", "1d以上", "2d以上"},
    {"場所打ちｺﾝｸﾘｰﾄ杭", "(200～300)mm+杭径/2以上", "2d以上かつ(d+1000mm)以上"},
};
constexpr int kCastInPlace = 3;

const QString kEdgeLine = QStringLiteral("へりあき(Px1) ");
const QString kSpacingLine = QStringLiteral("杭間隔　(Px2) ");

QGroupBox* group(const QString& title, QWidget* parent) {
    return new QGroupBox(title, parent);
}

} // namespace

PileCapWindow::PileCapWindow(AppContext& ctx, const EditRequest& request, QWidget* parent)
    : FoundationInputWindow(ctx, request, kTypePileCap, parent) {
    setObjectName(QStringLiteral("frm03杭基礎VUP02"));
    setWindowTitle(QStringLiteral("杭基礎の設計"));
    unitLabels_[3]->hide(); // a cap's H takes the force caption of its row
    pfai_ = field(QStringLiteral("Text_pfai"));
    Px1_ = field(QStringLiteral("Text_Px1"));
    Px2_ = field(QStringLiteral("Text_Px2"));
    Py1_ = field(QStringLiteral("Text_Py1"));
    Py2_ = field(QStringLiteral("Text_Py2"));
    Pe_ = field(QStringLiteral("Text_pe"));
    QWidget* mainTab = buildMainTab();
    QWidget* detailTab = buildDetailTab();
    // Enter goes through the values only. A list in the Enter order would
    // take the digits of the next value typed without a pause (a closed list
    // swallows them), so the arrangement, like the pile kind, is reached with
    // Tab: right after the name, since it decides which loads and spacings
    // the cap has.
    finishBuilding(mainTab, detailTab,
                   {name_,  N_[1],   N_[3],  N_[4], M_[1], M_[2],   M_[3], M_[4], H_[1],  H_[2],
                    H_[3],  H_[4],   pfai_,  Px1_,  Px2_,  Py1_,    Py2_,  ax_,   ay_,    h1_,
                    h2_,    D1_,     D2_,    d_,    memo_, Pe_,     Fc_,   Wc_,   Ws_,    gradeX_,
                    sizeX_, gradeY_, sizeY_, edgx_, nx_,   pitchx_, edgy_, ny_,   pitchy_},
                   {{1, 25}, {26, 39}});
    setTabOrder(name_, layout_);
    setTabOrder(layout_, N_[1]);
    // Tab reaches the pile kinds, which the Enter order leaves out.
    QWidget* previous = memo_;
    for (QAbstractButton* option : kinds_->buttons()) {
        setTabOrder(previous, option);
        previous = option;
    }
    layOutWindow(QStringLiteral("登録"));
    loaded_ = activate();
}

QWidget* PileCapWindow::buildMainTab() {
    auto* page = new QWidget(this);
    auto* columns = new QHBoxLayout(page);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);

    left->addWidget(buildNameGroup(page));

    // The pile cap has no unit caption of its own for H: it is a force.
    auto* hUnit = new QLabel(unitLabels_[1]->text(), page);
    left->addWidget(buildLoadsGroup(page, hUnit));

    auto mmRow = [page](QGridLayout* grid, int row, int column, QLabel* label, QLineEdit* edit,
                        QLabel* unit = nullptr) {
        grid->addWidget(label, row, column);
        grid->addWidget(edit, row, column + 1);
        grid->addWidget(unit ? unit : caption(QStringLiteral("mm"), page), row, column + 2);
    };

    auto* columnBox = group(QStringLiteral("[ 柱型 ]"), page);
    auto* cg = new QGridLayout(columnBox);
    mmRow(cg, 0, 0, caption(QStringLiteral("ax="), page), ax_);
    mmRow(cg, 0, 3, caption(QStringLiteral("ay="), page), ay_);
    cg->setColumnStretch(6, 1);
    auto* embedBox = group(QStringLiteral("[ 根入 ]"), page);
    auto* eg = new QGridLayout(embedBox);
    mmRow(eg, 0, 0, caption(QStringLiteral("h1="), page), h1_);
    mmRow(eg, 0, 3, caption(QStringLiteral("h2="), page), h2_);
    eg->setColumnStretch(6, 1);
    auto* thicknessBox = group(QStringLiteral("[ 底盤厚 ]"), page);
    auto* tg = new QGridLayout(thicknessBox);
    mmRow(tg, 0, 0, caption(QStringLiteral("基端D="), page), D1_);
    mmRow(tg, 0, 3, caption(QStringLiteral("先端D'="), page), D2_);
    mmRow(tg, 1, 0, caption(QStringLiteral("かぶりd="), page), d_);
    tg->setColumnStretch(6, 1);
    left->addWidget(columnBox);
    left->addWidget(embedBox);
    left->addWidget(thicknessBox);
    left->addStretch();

    // Piles: arrangement, picture, diameter, distances, minima, kind.
    auto* piles = group(QStringLiteral("[杭位置]"), page);
    auto* pl = new QVBoxLayout(piles);
    auto* countRow = new QHBoxLayout;
    layout_ = new QComboBox(page);
    layout_->setObjectName(QStringLiteral("Cmb杭本数"));
    layout_->setFixedWidth(130);
    layout_->installEventFilter(this);
    countRow->addWidget(caption(QStringLiteral("杭本数 n="), page));
    countRow->addWidget(layout_);
    countRow->addStretch();
    pl->addLayout(countRow);
    auto* pictureArea = new QWidget(page);
    pictureArea->setObjectName(QStringLiteral("Picture杭配置"));
    pictureArea->setFixedSize(PileArrangementPicture::kWidth, PileArrangementPicture::kHeight);
    for (int code = 1; code <= kPileArrangementCount; ++code) {
        auto* picture = new PileArrangementPicture(code, pictureArea);
        picture->move(0, 0);
        picture->hide();
        pictures_[static_cast<size_t>(code - 1)] = picture;
    }
    pl->addWidget(pictureArea, 0, Qt::AlignHCenter);

    auto* distances = new QGridLayout;
    distances->addWidget(caption(QStringLiteral("杭径 φ="), page), 0, 0);
    distances->addWidget(pfai_, 0, 1);
    distances->addWidget(caption(QStringLiteral("mm"), page), 0, 2);
    distances->addWidget(caption(QStringLiteral("へりあき"), page), 1, 1, Qt::AlignCenter);
    spacingCaption_ = caption(QStringLiteral("杭間隔"), page);
    distances->addWidget(spacingCaption_, 1, 4, Qt::AlignCenter);
    Px2Caption_ = caption(QStringLiteral("Px2="), page);
    Px2Unit_ = caption(QStringLiteral("mm"), page);
    Py2Caption_ = caption(QStringLiteral("Py2="), page);
    Py2Unit_ = caption(QStringLiteral("mm"), page);
    mmRow(distances, 2, 0, caption(QStringLiteral("Px1="), page), Px1_);
    mmRow(distances, 2, 3, Px2Caption_, Px2_, Px2Unit_);
    mmRow(distances, 3, 0, caption(QStringLiteral("Py1="), page), Py1_);
    mmRow(distances, 3, 3, Py2Caption_, Py2_, Py2Unit_);
    distances->setColumnStretch(6, 1);
    pl->addLayout(distances);
    for (int i = 0; i < 3; ++i) {
        explanation_[i] = new QLabel(page);
        explanation_[i]->setObjectName(QStringLiteral("txt杭間隔説明_%1").arg(i));
        explanation_[i]->setWordWrap(true);
        // Room for the longest text of any pile kind (the note of cast-in-place
        // piles takes two lines), so a new kind never squeezes the picture.
        explanation_[i]->setMinimumHeight(explanation_[i]->fontMetrics().lineSpacing() * (i == 2 ? 2 : 1));
        pl->addWidget(explanation_[i]);
    }
    right->addWidget(piles);

    auto* kindBox = group(QStringLiteral("杭の種類"), page);
    kindBox->setObjectName(QStringLiteral("Frame杭の種類"));
    auto* kl = new QGridLayout(kindBox);
    kinds_ = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        auto* option = new QRadioButton(QString::fromUtf8(kPileKinds[i].caption), kindBox);
        option->setObjectName(QStringLiteral("opt杭種類_%1").arg(i));
        kinds_->addButton(option, i);
        kl->addWidget(option, i / 2, i % 2);
    }
    right->addWidget(kindBox);
    right->addStretch();

    for (const PileArrangementRule& rule : pileArrangementRules())
        layout_->addItem(rule.caption);
    connect(layout_, &QComboBox::activated, this, [this](int index) {
        if (!loading_) applyArrangement(index, !browsingList_);
    });
    connect(kinds_, &QButtonGroup::idClicked, this, [this](int kind) {
        if (!loading_) applyPileKind(kind);
    });
    // The minima belong to the diameter: a new diameter gives new minima.
    connect(pfai_, &QLineEdit::textEdited, this, [this] {
        if (!loading_ && kinds_->checkedId() >= 0) applyPileKind(kinds_->checkedId());
    });

    left->addLayout(buildMemoArea(page));
    left->addWidget(caption(QStringLiteral(" 他の共通値の設定項目は<詳細タブ>で入力できます"), page));
    return page;
}

QWidget* PileCapWindow::buildDetailTab() {
    QWidget* page =
        buildSharedDetailTab(QStringLiteral("杭の支持力  Pe"), Pe_, QStringLiteral("X（横）方向鉄筋"),
                             QStringLiteral("Y（縦）方向鉄筋"));
    auto* layout = static_cast<QVBoxLayout*>(page->layout());
    layout->addSpacing(12);
    layout->addWidget(caption(
        QStringLiteral("※「共通値」の内、<入力>タブにある項目はここ「設計条件」には表示していません。"),
        page));
    layout->addWidget(caption(
        QStringLiteral("※<入力>タブにある項目で「共通値」に含まれるものには、頭に * が付いています。"),
        page));
    layout->addStretch();
    return page;
}

QWidget* PileCapWindow::inputField(const QString& input) const {
    const std::pair<const char*, QWidget*> own[] = {{"pfai", pfai_},        {"Pe", Pe_},   {"Px1", Px1_},
                                                    {"Px2", Px2_},          {"Py1", Py1_}, {"Py2", Py2_},
                                                    {"pileLayout", layout_}};
    for (const auto& [name, widget] : own)
        if (input == QLatin1String(name)) return widget;
    return FoundationInputWindow::inputField(input);
}

void PileCapWindow::showProposedPlan(const FoundationSize& size) {
    // The arrangement first, chosen as by hand: it opens the spacings it has
    // (which the proposal then fills) and closes the others.
    chooseArrangement(size.pileLayout - 1);
    Px1_->setText(sizeText(size.Px1));
    Py1_->setText(sizeText(size.Py1));
    if (Px2_->isEnabled()) Px2_->setText(sizeText(size.Px2));
    if (Py2_->isEnabled()) Py2_->setText(sizeText(size.Py2));
}

void PileCapWindow::showForm(const RecordForm& f) {
    for (QLabel* line : explanation_)
        line->clear();
    showSharedFields(f);
    Pe_->setText(f.Pe);
    pfai_->setText(f.pfai);
    if (edit_.request.isCorrection()) {
        // The minima of the diameter shown are shown; the stored minima
        // stand until the diameter or the kind is changed.
        showPileKind(f.pileKind);
        edit_.work.pileKind = kinds_->checkedId();
    } else {
        // A new cap starts with the first kind and the minima of the
        // common diameter, not with the kind of the foundation edited before.
        applyPileKind(f.pileKind);
    }
    Px1_->setText(f.Px1);
    Py1_->setText(f.Py1);
    Px2_->setText(f.Px2);
    Py2_->setText(f.Py2);
    // Selecting what is already current sends no signal: the handler runs
    // here whatever the list showed before.
    layout_->setCurrentIndex(f.pileLayoutIndex);
    applyArrangement(f.pileLayoutIndex, false);
}

RecordForm PileCapWindow::form() const {
    RecordForm f;
    readSharedFields(f);
    f.pfai = pfai_->text();
    f.Pe = Pe_->text();
    f.Px1 = Px1_->text();
    f.Px2 = Px2_->text();
    f.Py1 = Py1_->text();
    f.Py2 = Py2_->text();
    f.pileLayoutIndex = std::max(layout_->currentIndex(), 0);
    f.pileKind = std::max(kinds_->checkedId(), 0);
    return f;
}

void PileCapWindow::setOpen(QLineEdit* field, bool open, bool keepValue) {
    field->setEnabled(open);
    const bool grey = !open || field->isReadOnly();
    field->setStyleSheet(grey ? QStringLiteral("background-color: palette(button);") : QString());
    if (!open && !keepValue) field->setText(QStringLiteral("0"));
}

void PileCapWindow::applyArrangement(int index, bool chosenByUser) {
    const int position = std::max(index, 0);
    const PileArrangementRule* rule = pileArrangementRule(position + 1);
    if (!rule) return;
    pictures_[static_cast<size_t>(shownPicture_)]->hide();
    shownPicture_ = position;
    pictures_[static_cast<size_t>(shownPicture_)]->show();

    // Everything opens first, then the arrangement closes what it does not
    // have. A closed field shows what is stored while the record is opened;
    // another arrangement chosen stores 0 there, except for the loads of an
    // imported record, which a save keeps as imported.
    const bool keepStored = loading_;
    const bool keepLoads = loading_ || nameAndLoadsLocked();
    for (int j = 1; j <= 4; ++j) {
        setOpen(M_[j], true);
        setOpen(H_[j], true);
    }
    for (QLineEdit* e : {Px2_, Py2_, h2_})
        setOpen(e, true);
    mCaption_->setEnabled(rule->hasMoments);
    hCaption_->setEnabled(rule->hasMoments);
    for (int j = 1; j <= 4; ++j) {
        // One pile takes no moment; a single row in X takes none in Y.
        const bool yColumn = j == 2 || j == 4;
        const bool open = rule->hasMoments && (rule->hasYMoments || !yColumn);
        if (!open) {
            setOpen(M_[j], false, keepLoads);
            setOpen(H_[j], false, keepLoads);
        }
    }
    if (!rule->hasPx2) setOpen(Px2_, false, keepStored);
    if (!rule->hasPy2()) setOpen(Py2_, false, keepStored);
    Px2Caption_->setEnabled(rule->hasPx2);
    Px2Unit_->setEnabled(rule->hasPx2);
    Py2Caption_->setEnabled(rule->hasPy2());
    Py2Unit_->setEnabled(rule->hasPy2());
    spacingCaption_->setEnabled(rule->hasPx2 || rule->hasPy2());

    // A choice from the opened list goes on to the loads, the next fields.
    if (chosenByUser) navigator_->advanceFrom(name_);
}

int PileCapWindow::nextArrangementWithPiles(int count) const {
    // Pressed again, the digit goes on to the next arrangement with as many
    // piles (" 3(3角)", " 3(直3)").
    const std::vector<PileArrangementRule>& rules = pileArrangementRules();
    const int n = static_cast<int>(rules.size());
    for (int step = 1; step <= n; ++step) {
        const int index = (std::max(layout_->currentIndex(), 0) + step) % n;
        if (rules[static_cast<size_t>(index)].count == count) return index;
    }
    return -1;
}

bool PileCapWindow::arrangementListKey(const QKeyEvent& key) {
    const Qt::KeyboardModifiers held = key.modifiers() & ~Qt::KeypadModifier;
    if (held != Qt::NoModifier) return false; // Shift+↑/↓ browse, Alt+↓ opens the list
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
        navigator_->advanceFrom(name_);
        return true;
    case Qt::Key_Up:
        focusField(name_);
        return true;
    case Qt::Key_Escape:
        return true;
    default:
        break;
    }
    // A digit chooses the arrangement with that many piles; any other
    // character has no arrangement to choose and is swallowed as before.
    const QString text = key.text();
    if (text.size() != 1 || !text[0].isDigit()) return false;
    if (const int index = nextArrangementWithPiles(text[0].digitValue()); index >= 0)
        chooseArrangement(index);
    return true;
}

void PileCapWindow::chooseArrangement(int index) {
    layout_->setCurrentIndex(index);
    applyArrangement(index, false);
}

void PileCapWindow::applyPileKind(int kind) {
    if (const std::optional<PileMinima> minima = showPileKind(kind)) {
        edit_.work.minEdge = minima->edge;
        edit_.work.minSpacing = minima->spacing;
    }
    edit_.work.pileKind = kinds_->checkedId();
}

std::optional<PileMinima> PileCapWindow::showPileKind(int kind) {
    if (kind < 0 || kind > 3) kind = 0;
    if (kinds_->checkedId() != kind) kinds_->button(kind)->setChecked(true);
    const double d = parseLeadingNumber(pfai_->text());
    const PileKindText& text = kPileKinds[kind];
    std::optional<PileMinima> minima;
    if (d > 0) minima = pileMinima(kind, d);
    if (minima) {
        explanation_[0]->setText(kEdgeLine + formatGeneral(minima->edge) + QStringLiteral("mm以上"));
        explanation_[1]->setText(kSpacingLine + formatGeneral(minima->spacing) + QStringLiteral("mm以上"));
        explanation_[2]->setText(
            kind == kCastInPlace
                ? QStringLiteral("※注：へりあき(Px1)は、(有効へりあき(200mm)+杭直径/2) を表示しています。")
                : QString());
    } else {
        explanation_[0]->setText(kEdgeLine + QString::fromUtf8(text.edgeRule));
        explanation_[1]->setText(kSpacingLine + QString::fromUtf8(text.spacingRule));
        explanation_[2]->clear();
    }
    return minima;
}

bool PileCapWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == layout_) {
        // Enter, ↑ and ↓ move between the fields as they do everywhere else.
        if (event->type() == QEvent::KeyPress && arrangementListKey(*static_cast<QKeyEvent*>(event)))
            return true;
        // Stepping through the closed list with Shift and the arrow keys or
        // the wheel shows each arrangement but keeps the focus on the list.
        if (event->type() == QEvent::KeyPress) {
            browsingList_ = true;
            QTimer::singleShot(0, this, [this] { browsingList_ = false; });
        } else if (event->type() == QEvent::Wheel) {
            browsingList_ = true;
            QTimer::singleShot(0, this, [this] { browsingList_ = false; });
        }
    }
    return FoundationInputWindow::eventFilter(watched, event);
}

} // namespace k5
