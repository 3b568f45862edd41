#include "ui/masters/ConcreteStrengthWindow.h"

#include "masters/concrete_setting.h"
#include "masters/master_file.h"
#include "platform/numbers.h"
#include "shell/app_context.h"
#include "shell/cancel_confirmation.h"
#include "ui/masters/MasterWindowParts.h"
#include "ui/masters/formula_drawing.h"

#include <QButtonGroup>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace k5 {
namespace {

const QColor kPaper(255, 255, 255);
const QColor kInk(20, 20, 20);
const QColor kRule(150, 150, 150);
const QColor kChosen(255, 252, 215);

QFont mathFont() {
    QFont font(QStringLiteral("IPAPMincho"));
    font.setPointSizeF(13);
    return font;
}

QFont headingFont(qreal points = 11) {
    QFont font(QStringLiteral("IPAGothic"));
    font.setPointSizeF(points);
    return font;
}

// A line of a formula picture: a heading (the stress named) or a formula
// with the term it belongs to.
struct Line {
    enum Kind { Heading, Formula } kind;
    QString term; // "長期", "短期" or a condition
    QString markup;
};

qreal lineHeight(const Line& line) {
    if (line.kind == Line::Heading) return 30;
    return line.markup.contains(u'{') ? 50 : 30;
}

void drawTitle(QPainter& p, const QRect& band, const QString& title, const QString& units) {
    p.setPen(kInk);
    p.setFont(headingFont(12));
    p.drawText(band.adjusted(14, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, title);
    FormulaPainter math(headingFont(11));
    FormulaBox box = math.measure(units);
    math.draw(p, QPointF(band.right() - 14 - box.width, band.center().y() + box.ascent / 2 - 2), units);
    p.setPen(kRule);
    p.drawLine(band.bottomLeft(), band.bottomRight());
}

// Draws the lines from `top` in the column [left, left + width); the formula
// of a line starts at `left + termWidth`.
void drawLines(QPainter& p, const QList<Line>& lines, int left, int top, int termWidth) {
    FormulaPainter math(mathFont());
    qreal y = top;
    for (const Line& line : lines) {
        qreal h = lineHeight(line);
        qreal baseline = y + h / 2 + 6;
        p.setPen(kInk);
        if (line.kind == Line::Heading) {
            FormulaPainter(headingFont()).draw(p, QPointF(left, baseline), line.term);
        } else {
            p.setFont(headingFont(10));
            p.drawText(QPointF(left + 12, baseline), line.term);
            math.draw(p, QPointF(left + termWidth, baseline), line.markup);
        }
        y += h;
    }
}

// The three editions of the rule for SI jobs, side by side.
class SiFormulaPicture : public QWidget {
  public:
    static constexpr int kColumnWidth = 340;
    static constexpr int kTitleHeight = 40;

    explicit SiFormulaPicture(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("Picture2"));
        setFixedSize(3 * kColumnWidth, 520);
    }
    void setChosen(int edition) {
        chosen_ = edition;
        update();
    }
    // Where the option of an edition (1..3) stands.
    QRect optionRect(int edition) const {
        return QRect((edition - 1) * kColumnWidth + 90, height() - 44, kColumnWidth - 180, 28);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), kPaper);
        drawTitle(p, QRect(0, 0, width(), kTitleHeight), QStringLiteral("コンクリートの許容応力度（SI単位）"),
                  QStringLiteral("単位：N/mm²　F_c：設計基準強度"));
        const QString names[] = {QStringLiteral("1999年版"), QStringLiteral("2001年版"),
                                 QStringLiteral("2002年版")};
        for (int e = 1; e <= 3; ++e) {
            QRect column((e - 1) * kColumnWidth, kTitleHeight, kColumnWidth, height() - kTitleHeight);
            if (e == chosen_) p.fillRect(column.adjusted(1, 1, -1, -1), kChosen);
            p.setPen(kRule);
            if (e > 1) p.drawLine(column.topLeft(), column.bottomLeft());
            p.setPen(kInk);
            p.setFont(headingFont(12));
            p.drawText(QRect(column.left(), column.top() + 8, column.width(), 28), Qt::AlignCenter,
                       names[e - 1]);
            drawLines(p, linesOf(e), column.left() + 16, column.top() + 44, 62);
        }
    }

  private:
    static QList<Line> linesOf(int edition) {
        QList<Line> lines{{Line::Heading, QStringLiteral("圧縮　f_c"), {}},
                          {Line::Formula, QStringLiteral("長期"), QStringLiteral("f_c = {F_c|3}")},
                          {Line::Formula, QStringLiteral("短期"), QStringLiteral("f_c = 2 × 長期")},
                          {Line::Heading, QStringLiteral("せん断　f_s"), {}}};
        if (edition == 1) {
            lines += {{Line::Formula, QStringLiteral("長期"),
                       QStringLiteral("f_s = min({F_c|30}, {F_c|100} + 0.5)")},
                      {Line::Formula, QStringLiteral("短期"), QStringLiteral("f_s = 1.5 × 長期")},
                      {Line::Heading, QStringLiteral("付着　f_a"), {}},
                      {Line::Formula, QStringLiteral("長期"), QStringLiteral("f_a = {F_c|60} + 0.6")},
                      {Line::Formula, QStringLiteral("短期"), QStringLiteral("f_a = 1.5 × 長期")}};
        } else if (edition == 2) {
            lines += {{Line::Formula, QStringLiteral("長期"), QStringLiteral("f_s = {F_c|30}")},
                      {Line::Formula, QStringLiteral("短期"), QStringLiteral("f_s = 2 × 長期")},
                      {Line::Heading, QStringLiteral("付着　f_a"), {}},
                      {Line::Formula, QStringLiteral("長期"), QStringLiteral("f_a = {F_c|10}　(F_c ≦ 22.5)")},
                      {Line::Formula, QString(), QStringLiteral("f_a = {F_c|25} + 1.35　(F_c > 22.5)")},
                      {Line::Formula, QStringLiteral("短期"), QStringLiteral("f_a = 2 × 長期")}};
        } else {
            lines += {{Line::Formula, QStringLiteral("長期"), QStringLiteral("f_s = {F_c|30}")},
                      {Line::Formula, QStringLiteral("短期"), QStringLiteral("f_s = 2 × 長期")},
                      {Line::Heading, QStringLiteral("付着　f_a"), {}},
                      {Line::Formula, QStringLiteral("長期"), QStringLiteral("f_a = 0.7")},
                      {Line::Formula, QStringLiteral("短期"), QStringLiteral("f_a = 1.4")}};
        }
        return lines;
    }

    int chosen_ = 0;
};

// The CGS formulas; the two multiplier boxes stand inside the short-term formulas.
class CgsFormulaPicture : public QWidget {
  public:
    static constexpr int kTitleHeight = 40;
    static constexpr int kLongLeft = 24;
    static constexpr int kShortLeft = 600;
    static constexpr int kTermWidth = 0;
    static constexpr int kBoxWidth = 56;
    static constexpr int kBoxHeight = 26;

    explicit CgsFormulaPicture(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("Picture1"));
        setFixedSize(3 * SiFormulaPicture::kColumnWidth, 520);
    }

    // Boxes for cgsShortFactorC (index 0) and cgsShortFactorS (index 1).
    QRect boxRect(int index) const {
        qreal prefix = FormulaPainter(mathFont()).measure(kShortPrefix[index]).width;
        int baseline = index == 0 ? baselineC() : braceMiddle() + 6;
        return QRect(kShortLeft + 30 + static_cast<int>(prefix) + 4, baseline - kBoxHeight + 7, kBoxWidth,
                     kBoxHeight);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), kPaper);
        drawTitle(p, QRect(0, 0, width(), kTitleHeight),
                  QStringLiteral("コンクリートの許容応力度（CGS単位）"),
                  QStringLiteral("単位：kg/cm²　F_c：設計基準強度"));
        p.setPen(kRule);
        p.drawLine(kShortLeft - 16, kTitleHeight + 8, kShortLeft - 16, height() - 16);
        p.setPen(kInk);
        p.setFont(headingFont(12));
        p.drawText(QPointF(kLongLeft, kTitleHeight + 34), QStringLiteral("長期"));
        p.drawText(QPointF(kShortLeft, kTitleHeight + 34), QStringLiteral("短期"));

        FormulaPainter math(mathFont());
        drawLines(p, longLines(), kLongLeft, kTitleHeight + 48, 130);

        // Short term: compression alone, then shear and bond under one brace.
        math.draw(p, QPointF(kShortLeft + 30, baselineC()), kShortPrefix[0]);
        math.draw(p, QPointF(boxRect(0).right() + 8, baselineC()), QStringLiteral("× 長期 f_c"));
        drawBrace(p, kShortLeft + 4, shearTop(), bondBottom());
        math.draw(p, QPointF(kShortLeft + 30, braceMiddle() + 6), kShortPrefix[1]);
        math.draw(p, QPointF(boxRect(1).right() + 8, braceMiddle() + 6), QStringLiteral("× 長期の値"));
        p.setFont(headingFont(10));
        p.setPen(kInk);
        p.drawText(QRect(kShortLeft + 30, braceMiddle() + 22, width() - kShortLeft - 40, 40),
                   Qt::AlignLeft | Qt::TextWordWrap, QStringLiteral("（せん断・付着とも同じ倍率）"));
    }

  private:
    static inline const QString kShortPrefix[] = {QStringLiteral("f_c ="), QStringLiteral("f_s, f_a =")};

    static QList<Line> longLines() {
        return {{Line::Heading, QStringLiteral("圧縮　f_c"), {}},
                {Line::Formula, QString(), QStringLiteral("f_c = {F_c|3}")},
                {Line::Heading, QStringLiteral("せん断　f_s"), {}},
                {Line::Formula, QString(), QStringLiteral("f_s = min({F_c|30}, {F_c|100} + 5)")},
                {Line::Heading, QStringLiteral("付着　f_a"), {}},
                {Line::Formula, QStringLiteral("丸鋼"), QStringLiteral("f_a = min({6F_c|100}, 13.5)")},
                {Line::Formula, QStringLiteral("異形鉄筋"),
                 QStringLiteral("f_a = min({F_c|10}, {F_c|25} + 13.5)")}};
    }
    // Vertical positions follow the long-term lines, so each short-term
    // formula stands level with its long-term one.
    static int lineTop(int index) {
        qreal y = kTitleHeight + 48;
        QList<Line> lines = longLines();
        for (int i = 0; i < index; ++i)
            y += lineHeight(lines[i]);
        return static_cast<int>(y);
    }
    static int baselineC() { return lineTop(1) + 50 / 2 + 6; }
    static int shearTop() { return lineTop(2) + 4; }
    static int bondBottom() { return lineTop(7) - 4; }
    static int braceMiddle() { return (shearTop() + bondBottom()) / 2; }

    // A left curly brace from top to bottom at x.
    static void drawBrace(QPainter& p, int x, int top, int bottom) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(kInk, 1.4));
        const qreal mid = (top + bottom) / 2.0;
        const qreal w = 8;
        QPainterPath path;
        path.moveTo(x + w, top);
        path.quadTo(x, top, x, top + 12);
        path.lineTo(x, mid - 10);
        path.quadTo(x, mid, x - w, mid);
        path.quadTo(x, mid, x, mid + 10);
        path.lineTo(x, bottom - 12);
        path.quadTo(x, bottom, x + w, bottom);
        p.drawPath(path);
        p.restore();
    }
};

QRadioButton* editionOption(QWidget* picture, const QString& name, QRect where) {
    auto* option = new QRadioButton(QStringLiteral("こちらを使用する"), picture);
    option->setObjectName(name);
    option->setGeometry(where);
    return option;
}

QLineEdit* factorField(QWidget* picture, const QString& name, QRect where) {
    auto* field = new QLineEdit(picture);
    field->setObjectName(name);
    field->setAlignment(Qt::AlignCenter);
    field->setGeometry(where);
    return field;
}

} // namespace

ConcreteStrengthWindow::ConcreteStrengthWindow(AppContext& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frmコンクリート強度"));
    setWindowTitle(QStringLiteral("コンクリート強度について"));
    setModal(true);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("SSTab1"));
    auto* siPicture = new SiFormulaPicture(tabs_);
    auto* cgsPicture = new CgsFormulaPicture(tabs_);
    tabs_->addTab(siPicture, QStringLiteral("SI単位でのコンクリート強度"));
    tabs_->addTab(cgsPicture, QStringLiteral("CGS単位でのコンクリート強度"));

    edition1_ = editionOption(siPicture, QStringLiteral("Opt1999"), siPicture->optionRect(1));
    edition2_ = editionOption(siPicture, QStringLiteral("Opt2001"), siPicture->optionRect(2));
    edition3_ = editionOption(siPicture, QStringLiteral("Opt2002"), siPicture->optionRect(3));
    auto* editions = new QButtonGroup(this);
    editions->addButton(edition1_, 1);
    editions->addButton(edition2_, 2);
    editions->addButton(edition3_, 3);
    connect(editions, &QButtonGroup::idToggled, siPicture, [siPicture](int id, bool on) {
        if (on) siPicture->setChosen(id);
    });

    factorC_ = factorField(cgsPicture, QStringLiteral("Txt_cgsTanki_bai1"), cgsPicture->boxRect(0));
    factorS_ = factorField(cgsPicture, QStringLiteral("Txt_cgsTanki_bai2"), cgsPicture->boxRect(1));
    factorC_->installEventFilter(this);
    factorS_->installEventFilter(this);

    focusHolder_ = new QLineEdit(this);
    focusHolder_->setObjectName(QStringLiteral("Text1"));
    focusHolder_->setFixedSize(1, 1);
    focusHolder_->setFrame(false);

    auto* registerButton = makeButton(this, QStringLiteral("Cmd登録"), QStringLiteral("登録"));
    auto* cancelButton = makeButton(this, QStringLiteral("Cmdキャンセル"), QStringLiteral("ｷｬﾝｾﾙ"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(focusHolder_);
    buttons->addStretch();
    buttons->addWidget(registerButton);
    buttons->addWidget(cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(tabs_->tabBar(), &QTabBar::tabBarClicked, this, [this] { focusHolder_->setFocus(); });
    connect(registerButton, &QPushButton::clicked, this, &ConcreteStrengthWindow::registerAndClose);
    connect(cancelButton, &QPushButton::clicked, this, &ConcreteStrengthWindow::reject);
    loadSetting();
}

void ConcreteStrengthWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    loadSetting();
    tabs_->setCurrentIndex(0);
    focusHolder_->setFocus();
}

// Leaving a multiplier box with Tab parks the focus on the focus holder, as a
// click on a tab does. A click elsewhere keeps the focus where it was clicked.
bool ConcreteStrengthWindow::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == factorC_ || watched == factorS_) && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
            QMetaObject::invokeMethod(
                focusHolder_, [this] { focusHolder_->setFocus(); }, Qt::QueuedConnection);
    }
    return QDialog::eventFilter(watched, event);
}

void ConcreteStrengthWindow::loadSetting() {
    ctx_.concrete = loadConcreteSetting(ctx_.folders);
    const ConcreteSetting& c = ctx_.concrete;
    factorC_->setText(formatGeneral(c.cgsShortFactorC));
    factorS_->setText(formatGeneral(c.cgsShortFactorS));
    QRadioButton* option = c.concreteEdition == 1   ? edition1_
                           : c.concreteEdition == 2 ? edition2_
                                                    : edition3_;
    option->setChecked(true);
}

int ConcreteStrengthWindow::chosenEdition() const {
    if (edition1_->isChecked()) return 1;
    if (edition2_->isChecked()) return 2;
    return 3;
}

void ConcreteStrengthWindow::registerAndClose() {
    std::optional<ConcreteSetting> read =
        readConcreteFields(ctx_.ask(), chosenEdition(), factorC_->text(), factorS_->text());
    if (!read) {
        tabs_->setCurrentIndex(1);
        return;
    }
    ctx_.concrete = *read;
    if (!saveConcreteSetting(ctx_.folders, ctx_.concrete)) {
        ctx_.ask().error(writeFailedMessage(concreteFile(ctx_.folders)));
        return;
    }
    accept();
}

void ConcreteStrengthWindow::reject() {
    if (confirmCancel(ctx_)) QDialog::reject();
}

} // namespace k5
