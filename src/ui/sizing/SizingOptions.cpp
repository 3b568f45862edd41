#include "ui/sizing/SizingOptions.h"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace k5 {
namespace {

QDoubleSpinBox* spin(QWidget* parent, const char* name, double low, double high, double step, int decimals,
                     double value) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QString::fromUtf8(name));
    box->setRange(low, high);
    box->setSingleStep(step);
    box->setDecimals(decimals);
    box->setValue(value);
    return box;
}

} // namespace

SizingOptions::SizingOptions(const SizingLimits& limits, QWidget* parent) : QWidget(parent), base_(limits) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    aspect_ = spin(this, "txt縦横比上限", 1.0, 20.0, 0.1, 1, limits.maxAspect);
    aspect_->setToolTip(QStringLiteral("独立基礎のLx／Ly（またはLy／Lx）の上限"));
    target_ = spin(this, "txt目標検定比", 0.5, 1.0, 0.05, 2, limits.target);
    target_->setToolTip(QStringLiteral("すべての検定比をこの値以下にします"));
    row->addWidget(new QLabel(QStringLiteral("縦横比の上限"), this));
    row->addWidget(aspect_);
    row->addSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("目標検定比"), this));
    row->addWidget(target_);
    auto* again = new QPushButton(QStringLiteral("再提案"), this);
    again->setObjectName(QStringLiteral("cmd再提案"));
    again->setAutoDefault(false);
    row->addWidget(again);
    row->addStretch();
    connect(again, &QPushButton::clicked, this, &SizingOptions::searchAgain);
}

SizingLimits SizingOptions::limits() const {
    SizingLimits out = base_;
    out.maxAspect = aspect_->value();
    out.target = target_->value();
    return out;
}

} // namespace k5
