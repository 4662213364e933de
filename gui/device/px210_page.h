#pragma once
// The PX210USB's page: measuring time, decimals, display refresh, leading
// zeros and the scale of its 4-20 mA input, read, reset to factory values
// and written with commands 234, 235 and 236, and a test group.

#include <QWidget>

class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace velmar {

class DisplayTestGroup;
class InstrumentValues;
class RadioGroup;
struct InstrumentContext;

class PX210Page : public QWidget {
    Q_OBJECT
public:
    // Fills the device tab it is given, which has no layout yet.
    PX210Page(InstrumentContext& ctx, QWidget* tab);

    // Shows recRX on the page; the value editors call it after storing a
    // scale end.
    void RxToObjects_PX210();
    // The scale ends with the decimals selected; an edit of a scale end or
    // of the decimals redraws only these, so choices not yet written stay.
    void ShowScales();
    // Mask and divider of the scale labels for 0..4 decimals; any other
    // count leaves both as they are.
    void SetDecimalMask_PX210(int decimals);

    void RadioGroup_uDecimalPointSettings_PX210Click();
    void Button_ScaleLowSettings_PX210Click();
    void Button_ScaleHighSettings_PX210Click();

    QGroupBox* GroupBox_Beallitasok_PX210 = nullptr;
    RadioGroup* RadioGroup_DisplayRefresh_PX210 = nullptr;  // the measuring time, despite its name
    RadioGroup* RadioGroup_uDecimalPointSettings_PX210 = nullptr;
    RadioGroup* RadioGroup_uCounterForDisplayRefresh_PX210 = nullptr;
    QGroupBox* GroupBox_Skalazas_PX210 = nullptr;
    QLabel* Label_iScaleLowSettings_PX210 = nullptr;
    QPushButton* Button_ScaleLowSettings_PX210 = nullptr;
    QLabel* Label_iScaleHighSettings_PX210 = nullptr;
    QPushButton* Button_ScaleHighSettings_PX210 = nullptr;
    QCheckBox* CheckBox_DisplayLeaderZeros_PX210 = nullptr;
    // Connected by the passwords dialog.
    QPushButton* Button_ChangePassword_PX210 = nullptr;
    QPushButton* SpeedButton_ReadFromDevice_PX210 = nullptr;
    QPushButton* SpeedButton_ReadDefault_PX210 = nullptr;
    QPushButton* SpeedButton_WriteToDevice_PX210 = nullptr;
    DisplayTestGroup* tests = nullptr;
    // Whose settings the page shows: until a read, the placeholders it
    // starts with, which a write must not take to the instrument.
    InstrumentValues* values = nullptr;

private:
    void BuildSettingsGroup();
    void ConnectControls();
    void DecodeSettings(QAbstractButton* requester);
    void BuildWrite();
    void WriteAnswered();
    void OpenScaleEditor(int identifier, const char* caption, int32_t value);

    InstrumentContext& ctx_;
};

}  // namespace velmar
