#pragma once
// The display settings and tests of the panel indicators PX530, PX544 IP and
// PX546 IP, below the module groups of their device page: brightness,
// leading zeros and refresh (commands 217 to 219), the display test whose
// pattern rides in the status request, and the push-button test.

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;

namespace velmar {

class InstrumentValues;
class RadioGroup;
struct InstrumentContext;

class PX530Page : public QWidget {
    Q_OBJECT
public:
    PX530Page(InstrumentContext& ctx, QWidget* parent);

    QGroupBox* GroupBox_Display;
    QSlider* TrackBar_Brightness_PX530;
    QLabel* Label_Brightness_PX530;
    QCheckBox* CheckBox_DisplayLeaderZeros_PX530;
    RadioGroup* RadioGroup_uCounterForDisplayRefresh;
    QPushButton* Button1;  // the passwords dialog
    QPushButton* SpeedButton_ReadFromDevice_PX530;
    QPushButton* SpeedButton_ReadDefault_PX530;
    QPushButton* SpeedButton_WriteToDevice_PX530;
    // Whose display settings the page shows: until a read, what it starts
    // with, which a write must not take to the instrument.
    InstrumentValues* values = nullptr;
    QGroupBox* GroupBox_Tests;
    QCheckBox* CheckBox_KijelzoTeszt_PX530;
    QLabel* Label_KijelzoTeszt_PX530;
    QPushButton *Button_KijelzoTeszt_PX530_1, *Button_KijelzoTeszt_PX530_Minus;
    QPushButton *Button_KijelzoTeszt_PX530_Plus, *Button_KijelzoTeszt_PX530_16;
    QLabel *Label_SWLeft, *Label_SWUp, *Label_SWRight;

    void TrackBar_Brightness_PX530Change();
    void ShowDisplayTestPattern();
    // The display test pattern of the indicator pages, kept within 1..21.
    void SetDisplayTestPattern(int pattern);
    // Entering the page: the test starts over, the settings are read.
    void EnterPage();
    // The display test code of the next status request; none unless the
    // page is in front.
    uint8_t TestForce(bool inFront) const;
    // Status answer: push buttons, and the settings a timer input lacks.
    void ShowStatus();

private:
    void BuildDisplayGroup();
    void BuildTestGroup();
    void DecodeSettings(QPushButton* requester);
    void BuildWrite();

    InstrumentContext& ctx_;
};

}  // namespace velmar
