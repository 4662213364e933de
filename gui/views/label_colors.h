#pragma once
// Colours of labels used as indicators, set through the palette so that
// they can be read back the same way.

#include <QColor>

class QLabel;
class QWidget;

namespace velmar {

namespace colors {
inline const QColor kLime{0x00, 0xFF, 0x00};
inline const QColor kYellow{0xFF, 0xFF, 0x00};
inline const QColor kRed{0xFF, 0x00, 0x00};
inline const QColor kWhite{0xFF, 0xFF, 0xFF};
inline const QColor kGreen{0x00, 0x80, 0x00};
inline const QColor kBlue{0x00, 0x00, 0xFF};
inline const QColor kGrey{0x80, 0x80, 0x80};
inline const QColor kBlack{0x00, 0x00, 0x00};
QColor ButtonFace();
QColor WindowText();
}  // namespace colors

void SetLabelColors(QLabel* label, const QColor& background, const QColor& text);
void SetTextColor(QWidget* widget, const QColor& text);
// White background with red text.
void SetAlarmColors(QLabel* label);
// Button-face background with the window-text colour.
void SetNormalColors(QLabel* label);
void SetAlarm(QLabel* label, bool alarm);

}  // namespace velmar
