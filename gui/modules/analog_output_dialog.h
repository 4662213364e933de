#pragma once
// Settings of the analog output module in either output slot: type, scale,
// error signalling. The slot is the main window's flag at the moment a
// request is served.

#include <cstdint>
#include <optional>

#include "gui/modules/module_dialog.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;

namespace velmar {

class RadioGroup;
struct AnalogOutputBlock;

class TForm_PXAO : public ModuleDialog {
    Q_OBJECT
public:
    explicit TForm_PXAO(InstrumentContext& ctx);

    // The scale ends being edited, implied decimals; kept while closed.
    int32_t iScaleLowSettings = 0;
    int32_t iScaleHighSettings = 0;

    QFrame* Shape1;
    QGroupBox* GroupBox100;
    RadioGroup* RadioGroup_uAnalogueType;
    QCheckBox* CheckBox_bEnableAnalogueError;
    QCheckBox* CheckBox_bAnalogueErrorHigh;
    QGroupBox* GroupBox_ScaleAnalogOutput;
    QLabel *Label36, *Label1, *Label_iScaleLowSettings;
    QLabel *Label2, *Label3, *Label_iScaleHighSettings;
    QPushButton* Button_ScaleLowSettings;
    QPushButton* Button_ScaleHighSettings;
    RadioGroup* RadioGroup_PXAO_SourceInput;  // never shown, but read and written back

    void RefreshPXAOValues();
    void Button_ScaleLowSettingsClick();
    void Button_ScaleHighSettingsClick();
    void SpeedButton_WriteToDeviceClick();

    // Whether the controls hold the first output's settings of the attached
    // instrument: read from it (or its factory values), then maybe edited.
    // Otherwise they hold what the dialog started with, or another slot's or
    // instrument's settings, which no other write may take for these.
    bool HoldsInstrumentValues() const;

    // The first output's scale and error settings, while the dialog holds
    // the attached instrument's; none otherwise.
    struct FirstOutput {
        uint8_t analogueType = 0;
        int32_t low = 0;
        int32_t high = 0;
        bool errorHigh = false;
        bool errorDisabled = false;
    };
    std::optional<FirstOutput> HeldFirstOutput() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void DecodeSettings(bool secondSlot);
    void BuildWrite(bool secondSlot);
};

}  // namespace velmar
