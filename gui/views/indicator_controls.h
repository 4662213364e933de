#pragma once
// Controls the indicator pages and the module dialogs have in common, named
// with a suffix: the three request buttons and the "TESZTEK" group. What the
// buttons do is the page's business.

#include <QGroupBox>

class QBoxLayout;
class QCheckBox;
class QLabel;
class QPushButton;

namespace velmar {

// "Kiolvasás a készülékből", "Gyári alapértékek", "Beírás a készülékbe":
// SpeedButton_ReadFromDevice, _ReadDefault and _WriteToDevice followed by
// the suffix, in one latching group, added to row in that order.
struct RequestButtons {
    QPushButton* read = nullptr;
    QPushButton* defaults = nullptr;
    QPushButton* write = nullptr;
};
RequestButtons MakeRequestButtons(QWidget* parent, QBoxLayout* row, const QString& suffix,
                                  const QString& defaultsCaption = QString::fromUtf8("Gyári alapértékek"));

// The display test (pattern number and its buttons) and the push-button
// test (a label per key, hidden until the key is reported pressed).
class DisplayTestGroup : public QGroupBox {
    Q_OBJECT
public:
    // pageSuffix names the display test's controls, keySuffix the key labels;
    // the "16." button only where withPattern16.
    DisplayTestGroup(const QString& pageSuffix, const QString& keySuffix, bool withPattern16, QWidget* parent);

    QCheckBox* CheckBox_KijelzoTeszt = nullptr;
    QLabel* Label_KijelzoTeszt = nullptr;
    QPushButton* Button_KijelzoTeszt_1 = nullptr;
    QPushButton* Button_KijelzoTeszt_Minus = nullptr;
    QPushButton* Button_KijelzoTeszt_Plus = nullptr;
    QPushButton* Button_KijelzoTeszt_16 = nullptr;  // null without it
    QLabel* Label_SWLeft = nullptr;
    QLabel* Label_SWUp = nullptr;
    QLabel* Label_SWRight = nullptr;

signals:
    // "1." and "16." choose a pattern, "-1" and "+1" step it.
    void patternChosen(int pattern);
    void patternStepped(int step);
};

}  // namespace velmar
