#include "ui/sizing/SizeProposalDialog.h"

#include "calc/calc_masters.h"
#include "calc/record_checks.h"
#include "input/record_transfer.h"
#include "jobdata/pile_arrangement.h"
#include "jobdata/record_layout.h"
#include "shell/app_context.h"
#include "shell/size_proposals.h"
#include "ui/sizing/SizingOptions.h"

#include <QApplication>

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace k5 {
namespace {

QString arrangement(int code) {
    const PileArrangementRule* rule = pileArrangementRule(code);
    return rule ? rule->caption.trimmed() + QStringLiteral("本") : QStringLiteral("-");
}

struct Line {
    QString caption;
    QString now, proposed;
};

QList<Line> lines(const SizeProposal& p, bool pileCap) {
    const FoundationSize &a = p.current, &b = p.proposed;
    const auto mm = [&](float x, float y) {
        return std::pair{sizeText(x), p.found ? sizeText(y) : QString()};
    };
    QList<Line> out;
    const auto add = [&](const QString& caption, std::pair<QString, QString> v) {
        out.append({caption, v.first, v.second});
    };
    if (pileCap) {
        out.append({QStringLiteral("杭本数"), arrangement(a.pileLayout),
                    p.found ? arrangement(b.pileLayout) : QString()});
        add(QStringLiteral("Px1 (mm)"), mm(a.Px1, b.Px1));
        add(QStringLiteral("Py1 (mm)"), mm(a.Py1, b.Py1));
        add(QStringLiteral("Px2 (mm)"), mm(a.Px2, b.Px2));
        add(QStringLiteral("Py2 (mm)"), mm(a.Py2, b.Py2));
    }
    add(QStringLiteral("Lx (mm)"), mm(a.Lx, b.Lx));
    add(QStringLiteral("Ly (mm)"), mm(a.Ly, b.Ly));
    add(QStringLiteral("D (mm)"), mm(a.D1, b.D1));
    add(QStringLiteral("D' (mm)"), mm(a.D2, b.D2));
    out.append({QStringLiteral("X方向鉄筋径"), a.barSizeX, p.found ? b.barSizeX : QString()});
    out.append({QStringLiteral("Y方向鉄筋径"), a.barSizeY, p.found ? b.barSizeY : QString()});
    return out;
}

QString explanation(const SizeProposal& p, bool pileCap) {
    if (!p.found) {
        QString text = QStringLiteral("条件を満たす寸法が見つかりません。\n理由: ") + p.reason;
        for (const QString& note : p.notes)
            text += QStringLiteral("\n") + note;
        return text;
    }
    QString text = QStringLiteral("決定要因: ") + p.governing + QStringLiteral("（最大検定比 ") +
                   p.atProposal.describe() + QStringLiteral("）");
    if (pileCap && !p.fewerPiles.isEmpty()) text += QStringLiteral("\n杭本数を減らすと: ") + p.fewerPiles;
    if (!pileCap) {
        if (!p.smallerLx.isEmpty()) text += QStringLiteral("\nLxを1段階小さくすると: ") + p.smallerLx;
        if (!p.smallerLy.isEmpty()) text += QStringLiteral("\nLyを1段階小さくすると: ") + p.smallerLy;
    }
    if (!p.thinner.isEmpty()) text += QStringLiteral("\nDを1段階小さくすると: ") + p.thinner;
    for (const QString& note : p.notes)
        text += QStringLiteral("\n") + note;
    return text;
}

} // namespace

SizeProposalDialog::SizeProposalDialog(const SizeProposal& proposal, bool pileCap, const SizingLimits& limits,
                                       QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frm寸法提案"));
    setWindowTitle(QStringLiteral("寸法提案"));
    auto* layout = new QVBoxLayout(this);
    options_ = new SizingOptions(limits, this);
    connect(options_, &SizingOptions::searchAgain, this, [this] { done(kSearchAgain); });
    layout->addWidget(options_);
    const QList<Line> rows = lines(proposal, pileCap);
    auto* table = new QTableWidget(static_cast<int>(rows.size()), 2, this);
    table->setObjectName(QStringLiteral("grdProposal"));
    table->setHorizontalHeaderLabels({QStringLiteral("現在値"), QStringLiteral("提案値")});
    for (int i = 0; i < rows.size(); ++i) {
        table->setVerticalHeaderItem(i, new QTableWidgetItem(rows[i].caption));
        table->setItem(i, 0, new QTableWidgetItem(rows[i].now));
        auto* to = new QTableWidgetItem(rows[i].proposed);
        if (rows[i].proposed != rows[i].now) {
            QFont bold = to->font();
            bold.setBold(true);
            to->setFont(bold);
        }
        table->setItem(i, 1, to);
        for (int c = 0; c < 2; ++c)
            table->item(i, c)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->setMinimumHeight(table->verticalHeader()->length() + table->horizontalHeader()->height() + 4);
    layout->addWidget(table);
    auto* why = new QLabel(explanation(proposal, pileCap), this);
    why->setObjectName(QStringLiteral("lblReason"));
    why->setWordWrap(true);
    layout->addWidget(why);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* apply = buttons->addButton(QStringLiteral("適用"), QDialogButtonBox::AcceptRole);
    apply->setObjectName(QStringLiteral("cmd適用"));
    apply->setEnabled(proposal.found);
    apply->setDefault(proposal.found);
    QPushButton* close = buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("cmd閉じる"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    // The result first: Enter applies it, the options are a Tab away.
    (proposal.found ? apply : close)->setFocus();
    resize(460, sizeHint().height());
}

SizingLimits SizeProposalDialog::limits() const {
    return options_->limits();
}

std::optional<FoundationSize> askSizeProposal(AppContext& ctx, const RecordEdit& edit, const RecordForm& form,
                                              QWidget* parent) {
    const CalcMasters masters = CalcMasters::load(ctx.folders);
    RecordEdit shown = edit;
    if (const QString problem = readRecordForm(shown, form); !problem.isEmpty()) {
        ctx.ask().warn(problem);
        return std::nullopt;
    }
    shown.work.foundationType = edit.request.foundationType;
    fillDefaults(shown.work, masters.common(ctx.job.unitSystem));
    // The records as 登録 would store them: in a design group every member
    // takes the values of the form.
    const std::optional<QList<std::pair<int, FoundationRecord>>> saved = recordsToSave(shown);
    if (!saved) {
        ctx.ask().warn(QStringLiteral("指定されたデータを読み込めませんでした。　　　　"));
        return std::nullopt;
    }
    QList<FoundationRecord> group;
    for (const auto& [number, record] : *saved)
        group.append(record);
    SizingLimits limits = readSizingLimits(ctx.folders);
    for (;;) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const SizeProposal proposal = proposeSize(masters, group, limits);
        QApplication::restoreOverrideCursor();
        SizeProposalDialog dialog(proposal, edit.request.foundationType == kTypePileCap, limits, parent);
        const int answer = dialog.exec();
        if (answer == SizeProposalDialog::kSearchAgain) {
            limits = dialog.limits();
            saveSizingLimits(ctx.folders, limits);
            continue;
        }
        if (answer != QDialog::Accepted || !proposal.found) return std::nullopt;
        return proposal.proposed;
    }
}

} // namespace k5
