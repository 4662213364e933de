#include "views/lamp.h"

#include <QPainter>

namespace velmar {

Lamp::Lamp(QWidget* parent) : QWidget(parent) {
    setMinimumSize(12, 12);
    switchOff();
}

void Lamp::setBrushColor(const QColor& color) {
    brush_ = color;
    lit_ = true;
    update();
}

void Lamp::switchOff() {
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
