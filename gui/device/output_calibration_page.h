#pragma once
// The output calibration page of the service tab: the analog output's PWM
// value driven directly through the status request, moved by steps, the
// track bar, a typed number or a target computed from the stored points,
// the mid-scale checks, the square wave, and the calibration points the
// instrument stores and reads back.

#include <QWidget>
#include <array>
#include <cstdint>

#include "core/device/records.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTimer;

namespace velmar {

struct InstrumentContext;
class TMBarGraph;
class Lamp;
class RadioGroup;

class OutputCalibrationPage : public QWidget {
    Q_OBJECT
public:
    OutputCalibrationPage(InstrumentContext& ctx, QWidget* parent = nullptr);

    QPushButton *SpeedButton_ReadPWMCal, *SpeedButton_PWMForce;
    Lamp* Shape_Check;
    QPushButton *SpeedButton_CheckCurrent, *SpeedButton_CheckVoltage;
    QLabel *Label_PWM4mA, *Label_PWM20mA, *Label_PWM2V, *Label_PWM10V;
    QWidget* GroupBox_OutputCal;
    QPushButton *SpeedButton_CalPWMH, *SpeedButton_CalPWML;
    RadioGroup* RadioGroup_KimenetTipusa;
    QLabel* Label_PWM;
    TMBarGraph* MBarGraph_PWM;
    QSlider* TrackBar_SetPXAO;
    QLineEdit *Edit_PWM, *Edit_PWMTest;
    QPushButton *Button_PWMWrite, *Button_PWMTestWrite;
    QCheckBox* CheckBox_PXA_Astable;
    QRadioButton *RadioButton_PXAOModul1, *RadioButton_PXAOModul2;
    QTimer* X;  // square wave, always running

    void ShowPwmValue(uint16_t value);
    void SpeedButton_PWMForceClick();
    void RadioGroup_KimenetTipusaClick();
    void TrackBar_SetPXAOChange();
    // A step button's change, kept within 0 .. 65535.
    void StepPwm(int delta);
    void Button_PWMWriteClick();
    void Button_PWMTestWriteClick();
    void XTimer();

    // The force bits of the next status request. A check asked for while
    // the instrument reports an uncalibrated output is released instead.
    uint8_t ForceBits();
    // The answers of 114, 115 and 116.
    void DecodeAnswer(uint8_t code);

private:
    // A stored point: its field, its last calibrated value and its label,
    // in the order 4 mA, 20 mA, 2 V, 10 V.
    struct Point {
        uint16_t tRX::*field;
        uint16_t TGlobalVar::*previous;
        QLabel* label;
    };
    QWidget* BuildStoredGroup();
    QWidget* BuildBoardGroup();
    QWidget* BuildOutputCal();
    bool Current() const;
    const Point& PointOf(bool high) const { return points_[std::size_t((Current() ? 0 : 2) + (high ? 1 : 0))]; }
    void SetPwm(int value);
    void ShowPoint(const Point& p);

    InstrumentContext& ctx_;
    std::array<Point, 4> points_{};
};

}  // namespace velmar
