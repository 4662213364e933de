#include "gui/views/label_colors.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>

namespace velmar {

QColor colors::ButtonFace() { return QApplication::palette().color(QPalette::Button); }
QColor colors::WindowText() { return QApplication::palette().color(QPalette::WindowText); }

void SetLabelColors(QLabel* label, const QColor& background, const QColor& text) {
    // Called for every answer frame: leave the widget alone when nothing changes.
    const QPalette& now = label->palette();
    if (label->autoFillBackground() && now.color(QPalette::Window) == background &&
        now.color(QPalette::WindowText) == text)
        return;
    QPalette p = now;
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, text);
    label->setAutoFillBackground(true);
    label->setPalette(p);
}

void SetTextColor(QWidget* widget, const QColor& text) {
    const QPalette& now = widget->palette();
    if (now.color(QPalette::WindowText) == text && now.color(QPalette::ButtonText) == text) return;
    QPalette p = now;
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::ButtonText, text);
    widget->setPalette(p);
}

void SetAlarmColors(QLabel* label) { SetLabelColors(label, colors::kWhite, colors::kRed); }
void SetNormalColors(QLabel* label) { SetLabelColors(label, colors::ButtonFace(), colors::WindowText()); }
void SetAlarm(QLabel* label, bool alarm) { alarm ? SetAlarmColors(label) : SetNormalColors(label); }

}  // namespace velmar
