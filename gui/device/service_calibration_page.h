#pragma once
// The calibration page of the service tab: the input calibrations of the
// analog input, Pt input, PX310, timer and PX210USB, and the instrument's
// internal values refreshed by every status answer.

#include <QHash>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace velmar {

struct InstrumentContext;
class TMBarGraph;

class ServiceCalibrationPage : public QWidget {
    Q_OBJECT
public:
    ServiceCalibrationPage(InstrumentContext& ctx, QWidget* parent = nullptr);

    QTabWidget* PageControl_Kalibralasok;
    QWidget *TabSheet7, *TabSheet8, *TabSheet_CalPX310, *TabSheet_CalTimer, *TabSheet1;
    QTabWidget* PageControl_4or3_PX310;
    QWidget *TabSheet_4w, *TabSheet_3w;
    QPushButton *SpeedButton_PX310_Cal490, *SpeedButton_PX310_Cal3Wires;
    QLabel *Label_310_PtType, *Label_310_PtType2;
    QCheckBox* CheckBox_bPt1000;
    QLineEdit *Edit_RAM1_iCalLow1, *Edit_5kHz;
    QPushButton* Button_Auto5kHzCalculation;
    TMBarGraph *MBarGraph_IRow, *MBarGraph_IAveraged;

    // Measured frequency to timer constant; the constant is sent only by its
    // request button.
    void Button_Auto5kHzCalculationClick();
    // Asked before the constant is written: a typed number that does not
    // fit the six digits the constant has is refused with a message.
    bool AcceptTimerConstant();
    // The wiring the PX310 must assume while one of its calibration tabs is
    // in front: 4 or 3 wires, 0 for none.
    uint8_t DirectControl(bool velmarInFront) const;
    // The live values of the status answer just decoded.
    void ShowStatus();
    // The calibration constants are read whenever the page comes to the front.
    void RequestReadBacks();

protected:
    // Brought to the front: the last status answer's values at once.
    void showEvent(QShowEvent* event) override;

private:
    QWidget* BuildAnalogInputTab();
    QWidget* BuildPtTab();
    QWidget* BuildPX310Tab();
    QWidget* BuildTimerTab();
    QWidget* BuildPX210Tab();
    QWidget* BuildComputedGroup();
    QLabel* Value(const char* name) const;

    InstrumentContext& ctx_;
    mutable QHash<QString, QLabel*> labels_;  // the live labels, looked up once
};

}  // namespace velmar
