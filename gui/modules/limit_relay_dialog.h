#pragma once
// Settings of a limit output (relay module, or the built-in outputs of the
// PX530 family) in either output slot, its present state and a forced test.
// The slot is the main window's flag at the moment a request is served.

#include "gui/modules/module_dialog.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace velmar {

class Lamp;
class RadioGroup;

class TForm_PXRL : public ModuleDialog {
    Q_OBJECT
public:
    explicit TForm_PXRL(InstrumentContext& ctx);

    // Values being edited, implied decimals; kept while closed.
    int32_t iA = 0;  // value A, or the change in the delta modes
    int32_t iB = 0;
    int32_t iHysteresis = 0;

    QGroupBox* GroupBox9;
    RadioGroup* RadioGroup_enuLimitMode;
    QLabel* Label41;
    QLabel *Label38, *Label_iSettingsA;
    QLabel *Label39, *Label_iSettingsB;
    QLabel *Label40, *Label_iSettingsHysteresis;
    QPushButton *Button_SettingsA, *Button_SettingsB, *Button_SettingsHysteresis;
    QLabel* Label3;
    QLabel *Label55, *Label1;
    QLineEdit* Edit_uSec;
    QLabel *Label56, *Label96;
    QLineEdit* Edit_uPulseSec;
    QCheckBox* CheckBox_bHold;
    QLabel *Label2, *Label4;
    QGroupBox* GroupBox2;
    Lamp* Shape_DigitalOutPXRL;
    RadioGroup* RadioGroup_PXRL_SourceInput;
    QGroupBox* GroupBox1;
    QCheckBox* CheckBox_DigitalOutForceEng;
    QPushButton* SpeedButton_DigitalOut1Force;

    void RefreshPXRLValues();
    void Button_SettingsAClick();
    void Button_SettingsBClick();
    void Button_SettingsHysteresisClick();

    // Status request: the test bits of the slot the dialog is open for,
    // added to the limit force byte; with the test off the force button
    // shows the real output, so a test starts from it.
    void AddForceBits(uint8_t& limitForceAndEnable);
    // Status answer: the lamp shows the slot's output.
    void ShowOutputState();

protected:
    // However the dialog closes, the test ends with it.
    void hideEvent(QHideEvent* event) override;

private:
    void DecodeSettings(bool secondSlot);
    void BuildWrite(bool secondSlot);
    int OutputBit() const;
};

}  // namespace velmar
