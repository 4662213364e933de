#include "gui/views/lamp.h"

#include <QPainter>

namespace velmar {

Lamp::Lamp(QWidget* parent) : QWidget(parent) {
    setMinimumSize(12, 12);
    // It fills its whole rectangle: nothing beneath needs drawing again.
    setAttribute(Qt::WA_OpaquePaintEvent);
    brush_ = palette().color(QPalette::Button);
}

void Lamp::setBrushColor(const QColor& color) {
    // Lamps are set for every frame; redraw only what changes.
    if (lit_ && brush_ == color) return;
    brush_ = color;
    lit_ = true;
    update();
}

void Lamp::switchOff() {
    if (!lit_) return;
    brush_ = palette().color(QPalette::Button);
    lit_ = false;
    update();
}

void Lamp::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(Qt::black);
    p.setBrush(brush_);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace velmar
