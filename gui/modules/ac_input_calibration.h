#pragma once
// A model's calibration tab of the AC input dialog (service mode): choosing
// the range to calibrate, taking its zero and nominal points, and reading
// back the table the instrument keeps. The PX350 and the PX370 each have
// one, alike but for names, ranges and commands.

#include <QWidget>
#include <vector>

class QGroupBox;
class QLabel;
class QPushButton;

namespace velmar {

class RadioGroup;
struct InstrumentContext;
struct AcCalibrationModel;

extern const AcCalibrationModel kPX350CalibrationTab;
extern const AcCalibrationModel kPX370CalibrationTab;

class AcCalibrationTab : public QWidget {
    Q_OBJECT
public:
    AcCalibrationTab(InstrumentContext& ctx, const AcCalibrationModel& model, QWidget* parent);

    QString Caption() const;
    // The range the instrument is to measure in while it is calibrated:
    // the chosen item + 1, 0 while none is chosen.
    uint8_t SelectedRange() const;
    // The table of the last read, a label per point.
    void ShowCalibration();

    QGroupBox* GroupBox = nullptr;  // "MCP3918 kalibrálása"
    RadioGroup* RadioGroup_Calibration = nullptr;
    std::vector<QLabel*> Labels;  // 01a, 01b, 02a, ...
    QPushButton* SpeedButton_CalZero = nullptr;
    QPushButton* SpeedButton_CalNominal = nullptr;
    QPushButton* SpeedButton_CalRead = nullptr;

private:
    void BuildCalibrate();
    void DecodeCalibrated(QPushButton* requester);
    void DecodeTable();

    InstrumentContext& ctx_;
    const AcCalibrationModel& model_;
};

}  // namespace velmar
