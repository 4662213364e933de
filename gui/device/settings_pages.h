#pragma once
// The two service pages that show and edit the settings set: "Beállítások"
// (display and input) and "Határérték kimenetek" (four limit outputs and
// their direct control). Each has its own three request buttons for the
// same commands; SettingsSetView binds both to the set.

#include <QWidget>
#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTabWidget;

namespace velmar {

class RadioGroup;
struct RequestButtons;

class SettingsPage : public QWidget {
    Q_OBJECT
public:
    explicit SettingsPage(QWidget* parent = nullptr);

    QPushButton *SpeedButton_ReadSettings, *SpeedButton_ReadDefaultSettings, *SpeedButton_WriteSettings;
    // Whose settings the page shows, once another instrument answers.
    QLabel* Label_ValuesOfAnotherInstrument;
    QTabWidget* PageControl_Settings;
    QSlider* TrackBar_Brightness;
    QLineEdit *Edit_DisplayTagname, *Edit_DisplayDimension;
    QCheckBox* CheckBox_DisplayLeaderZeros;
    RadioGroup* RadioGroup_DisplayRefresh;
    QLineEdit *Edit_iBgLow, *Edit_iBgHigh;
    QCheckBox* CheckBox_BargraphDot;
    RadioGroup* RadioGroup_uDecimalPointSettings;
    RadioGroup* RadioGroup_uRoundSettings;
    RadioGroup* RadioGroup_enuLimitDisplayMode;
    RadioGroup* RadioGroup_uInputTypeSettings;
    QLineEdit *Edit_iScaleLowSettings, *Edit_iScaleHighSettings;
    RadioGroup* RadioGroup_uPtWires;

    // The edits of values with implied decimals.
    std::array<QLineEdit*, 4> ScaledEdits() const {
        return {Edit_iBgLow, Edit_iBgHigh, Edit_iScaleLowSettings, Edit_iScaleHighSettings};
    }

private:
    QWidget* BuildDisplayTab();
    QWidget* BuildInputTab();
};

// One limit output's controls, named with its suffix L1..L4.
struct LimitOutputControls {
    RadioGroup* mode = nullptr;
    QLineEdit* a = nullptr;
    QLineEdit* b = nullptr;
    QLineEdit* hysteresis = nullptr;
    QCheckBox* hold = nullptr;
    QLineEdit* seconds = nullptr;
    QLineEdit* pulse = nullptr;
};

class LimitOutputsPage : public QWidget {
    Q_OBJECT
public:
    explicit LimitOutputsPage(QWidget* parent = nullptr);

    QPushButton *SpeedButton_ReadSettings2, *SpeedButton_ReadDefaultSettings2, *SpeedButton_WriteSettings2;
    QLabel* Label_ValuesOfAnotherInstrument2;
    QTabWidget* PageControl2;
    std::array<LimitOutputControls, 4> limits;
    QPushButton* SpeedButton_DigitalOutForceEng;
    std::array<QPushButton*, 4> SpeedButton_DigitalOutForce{};  // SpeedButton_DigitalOut1Force ..
    std::array<QLabel*, 4> Label_DigitalOut{};  // Label_DigitalOut1 ..

private:
    QWidget* BuildLimitTab(int output);
    QWidget* BuildForceGroup();
};

}  // namespace velmar
