#include "gui/views/label_colors.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>

namespace velmar {

QColor colors::ButtonFace() { return QApplication::palette().color(QPalette::Button); }
QColor colors::WindowText() { return QApplication::palette().color(QPalette::WindowText); }

void SetLabelColors(QLabel* label, const QColor& background, const QColor& text) {
    QPalette p = label->palette();
    // Called for every answer frame: leave the widget alone when nothing changes.
    if (label->autoFillBackground() && p.color(QPalette::Window) == background &&
        p.color(QPalette::WindowText) == text)
        return;
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, text);
    label->setAutoFillBackground(true);
    label->setPalette(p);
}

void SetTextColor(QWidget* widget, const QColor& text) {
    QPalette p = widget->palette();
    if (p.color(QPalette::WindowText) == text && p.color(QPalette::ButtonText) == text) return;
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::ButtonText, text);
    widget->setPalette(p);
}

void SetAlarmColors(QLabel* label) { SetLabelColors(label, colors::kWhite, colors::kRed); }
void SetNormalColors(QLabel* label) { SetLabelColors(label, colors::ButtonFace(), colors::WindowText()); }
void SetAlarm(QLabel* label, bool alarm) { alarm ? SetAlarmColors(label) : SetNormalColors(label); }

}  // namespace velmar
