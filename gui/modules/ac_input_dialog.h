#pragma once
// The TRMS AC input of the PX350 (voltage) and the PX370 (current): range,
// averaging, noise gate and transformer for everybody; in service mode the
// converter settings with the precise-value statistics, and the model's
// calibration. What the converter sees is shown live from every status
// answer, whether the dialog is open or not.

#include "core/modules/ac_input_codec.h"
#include "gui/modules/module_dialog.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace velmar {

class AcCalibrationTab;
class AcVelmarTab;
class Lamp;
class RadioGroup;
class TMBarGraph;

class TForm_PXTR : public ModuleDialog {
    Q_OBJECT
public:
    explicit TForm_PXTR(InstrumentContext& ctx);

    QLabel* Label13;
    TMBarGraph* MBarGraph_PXTR_Kivezerles;
    QLabel *Label4, *Label5, *Label30, *Label31;
    QLabel *Label3, *Label_PX3x0_PGA;
    QGroupBox* GroupBox2;
    QLabel *Label6, *Label_Frekvencia;
    QLabel *Label7, *Label8, *Label9, *Label10, *Label16, *Label17;
    Lamp* Shape_cuErrorBits_FrequencyLow;
    Lamp* Shape_cuErrorBits_FrequencyHigh;
    Lamp* Shape_cuErrorBits_NoiseLock;
    Lamp* Shape_cuErrorBits_NoAC;
    Lamp* Shape_cuErrorBits_NoInic;
    Lamp* Shape_cuErrorBits_Uncalibrated;
    QLabel *Label_PXTR_iValue16MaxMMin, *Label_iDCAveragedMO;
    QCheckBox* CheckBox_Transformer;
    QTabWidget* PageControl_PXTR;

    // "Beállítások"
    QWidget* TabSheet_PXTR_Beallitasok;
    RadioGroup* RadioGroup_uInputType350;
    RadioGroup* RadioGroup_uInputType370_I;
    RadioGroup* RadioGroup_uInputType370_U;
    QLabel *Label56, *Label96;
    QLineEdit* Edit_Atlagolas40ms;
    QLabel *Label26, *Label_3x0_ZajzarMertekegyseg;
    QLineEdit* Edit_3x0_Zajzar;
    QGroupBox* GroupBox_Transformer;
    QLabel* Label_CT370;
    QLineEdit* Edit_CT370;

    // "Velmar beállítások" and the two calibration tabs
    AcVelmarTab* TabSheet_PXTR_VelmarBeallitasok;
    AcCalibrationTab* TabSheet_Calbration350;
    AcCalibrationTab* TabSheet_Calbration370;

    // The opener of both device pages' AC buttons: ranges, texts and tabs of
    // the attached model, then modal with a read. Other models open nothing.
    void Open(const QString& caption, bool pressRead = true) override;
    // Sets up ranges, texts and tabs for a model without showing.
    bool PrepareFor(uint16_t deviceType, bool shuntVariant);

    void CheckBox_TransformerClick();
    // The settings of recRX in the controls.
    void RxToPXTRObjects();

    // Status request: while the dialog is the active window with a
    // calibration tab in front, the range being calibrated.
    void AddCalibrationRange(uint8_t& directControl) const;
    // Status answer: the drive bar, the converter's values and lamps and
    // the statistics.
    void ShowLiveValues();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowLiveTexts();
    void BuildSettingsTab();
    void BuildLiveControls();
    RadioGroup* RangeGroup() const;
    void DecodeSettings();
    // A write asked for: the block is checked and kept for sending, or the
    // user is told what cannot be sent and the request is withdrawn.
    void WriteRequested();
    [[nodiscard]] bool TakeSettings(AcInputBlock& block, QString& problem);
    void BuildWrite();
    QString FloatText(float value) const;
    QString GateText(float value) const;

    uint16_t model_ = 350;  // the model the dialog was last set up for
    bool shuntVariant_ = false;  // a PX370 for an external shunt
    AcInputBlock pending_;  // the checked block of the write asked for
};

}  // namespace velmar
