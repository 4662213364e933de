#pragma once
// Settings of the analog input module: signal type, measuring time,
// decimals and the two scale ends.

#include "gui/modules/module_dialog.h"

class QGroupBox;
class QLabel;

namespace velmar {

class RadioGroup;

class TForm_PXAI : public ModuleDialog {
    Q_OBJECT
public:
    explicit TForm_PXAI(InstrumentContext& ctx);

    // The scale ends being edited, implied decimals; kept while closed.
    int32_t iScaleLowSettings = 0;
    int32_t iScaleHighSettings = 0;

    QGroupBox* GroupBox9;
    RadioGroup* RadioGroup_uInputTypeSettings;
    RadioGroup* RadioGroup_uDecimalPointSettings;
    RadioGroup* RadioGroup_DisplayRefresh;
    QGroupBox* GroupBox1;
    QLabel* Label36;
    QLabel* Label_iScaleLowSettings;
    QLabel* Label37;
    QLabel* Label_iScaleHighSettings;
    QPushButton* Button_ScaleLowSettings;
    QPushButton* Button_ScaleHighSettings;

    void RefreshPXAIValues();
    void Button_ScaleLowSettingsClick();
    void Button_ScaleHighSettingsClick();

private:
    void DecodeSettings(QPushButton* requester);
    void BuildWrite();
};

}  // namespace velmar
