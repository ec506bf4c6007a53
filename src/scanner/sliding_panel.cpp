#include "scanner/sliding_panel.h"

#include <algorithm>

namespace korvane {

SlidingPanel::SlidingPanel(QWidget* content, QWidget* parent) : QWidget(parent), content_(content) {
    content_->setParent(this);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

int SlidingPanel::FullHeight() const {
    return std::max(content_->sizeHint().height(), content_->minimumSizeHint().height());
}

void SlidingPanel::SetRevealed(int pixels) {
    revealed_ = std::clamp(pixels, 0, FullHeight());
    content_->setGeometry(0, 0, width(), FullHeight());
    updateGeometry();
}

QSize SlidingPanel::sizeHint() const {
    return {content_->sizeHint().width(), revealed_};
}

QSize SlidingPanel::minimumSizeHint() const {
    return {content_->minimumSizeHint().width(), revealed_};
}

void SlidingPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    content_->setGeometry(0, 0, width(), FullHeight());
}

}  // namespace korvane
