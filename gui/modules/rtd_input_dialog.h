#pragma once
// Settings of the RTD input (Pt100 / Pt1000 sensor, potentiometer or plain
// resistance): the PXRT module of the modular instruments and the input
// built into the PX310.
//
// The numbers being edited live in the main window's received record: the
// answers store into it, the value editors and the calibration buttons
// change it, and the write sends them from there. The choices (source,
// wiring, measuring time, decimals) are sent as the dialog shows them.

#include <array>

#include "gui/modules/module_dialog.h"

class QGroupBox;
class QLabel;
class QTabWidget;

namespace velmar {

class RadioGroup;
class WrappedButton;

class TForm_PXRT : public ModuleDialog {
    Q_OBJECT
public:
    explicit TForm_PXRT(InstrumentContext& ctx);

    QTabWidget* PageControl1;
    QWidget *TabSheet_Basic, *TabSheet2;

    RadioGroup* RadioGroup_Uzemmod;
    RadioGroup* RadioGroup_VezetekSzam;
    RadioGroup* RadioGroup_Atlagolas;

    QGroupBox* GroupBox_2Wire;
    QLabel *Label131, *Label_2VezModRMert;
    WrappedButton *Button_2VezRKiejtes, *Button_2VezRNulla;
    QLabel *Label126, *Label_2VezRKiejtes;

    QGroupBox* GroupBox_PotenciometerUzemmod;
    QLabel* Label_PotiModRMert;
    QGroupBox* GroupBox_PotenciometerKalibralas;
    QPushButton *Button_PotiCal0, *Button_PotiCal100;
    QLabel *Label_PotiCal0, *Label_PotiCal100;

    QGroupBox* GroupBox_PotenciometerSkalazas;
    RadioGroup* RadioGroup_PX310_Decimals;
    QLabel *Label71, *Label_iScaleLowSettings;
    QPushButton* Button_ScaleLowSettings;
    QLabel *Label103, *Label_iScaleHighSettings;
    QPushButton* Button_ScaleHighSettings;

    QGroupBox* GroupBox_SzenzorKorrekciosErtekek;
    QGroupBox *GroupBox33, *GroupBox34, *GroupBox35;
    QLabel *Label_iPXRT_CorrTemp1, *Label_iPXRT_CorrTemp2, *Label_iPXRT_CorrTemp3;
    QPushButton *Button_iPXRT_CorrTemp1, *Button_iPXRT_CorrTemp2, *Button_iPXRT_CorrTemp3;
    QLabel *Label_iPXRT_CorrPlusTemp1, *Label_iPXRT_CorrPlusTemp2, *Label_iPXRT_CorrPlusTemp3;
    QPushButton *Button_iPXRT_CorrPlusTemp1, *Button_iPXRT_CorrPlusTemp2, *Button_iPXRT_CorrPlusTemp3;

    // Redraws the dialog from the received record.
    void RxToPX310Objects();
    // Shows the groups that belong to the chosen source and wiring.
    void UpdatePXRTGroups();
    // The dialog's choices into the received record, so that a redraw
    // keeps them.
    void StorePXRTSelections();

    void Button_PotiCal0Click();
    void Button_PotiCal100Click();
    void Button_2VezRKiejtesClick();
    void Button_2VezRNullaClick();
    void RadioGroup_PX310_DecimalsClick();

    // Status answer: the measured resistance and potentiometer reading, and
    // which Pt sensor is fitted.
    void ShowLiveValues();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildBasicTab();
    void BuildAdvancedTab();
    QGroupBox* BuildCorrectionPoint(int point);
    void RegisterEditors();
    void OpenEditor(std::size_t field);

    void DecodeSettings(QPushButton* requester, bool withMeasuredPoints);
    void CheckWriteRequest();
    void BuildWrite();
    // A calibration button takes a value the instrument measured.
    void TakeMeasured(float measured, float& destination);
    QString OhmText(float ohm) const;

    bool redrawing_ = false;
};

}  // namespace velmar
