// Arrow-button stepper.
#include "gui/up_down.h"

#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace analysis {

UpDown::UpDown(int minimum, int maximum, int increment, bool wrap, QWidget* parent)
    : QWidget(parent), minimum_(minimum), maximum_(maximum), increment_(increment), wrap_(wrap),
      position_(minimum), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    up_->setObjectName("up");
    down_->setObjectName("down");
    for (QToolButton* button : {up_, down_}) {
        button->setAutoRepeat(true);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    connect(up_, &QToolButton::clicked, this, [this] { step(+1); });
    connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
}

void UpDown::setPosition(int position) {
    position_ = std::clamp(position, minimum_, maximum_);
}

void UpDown::step(int direction) {
    int next = position_ + direction * increment_;
    if (next > maximum_)
        next = wrap_ ? minimum_ : maximum_;
    else if (next < minimum_)
        next = wrap_ ? maximum_ : minimum_;
    position_ = next;
    emit clicked();
}

} // namespace analysis
