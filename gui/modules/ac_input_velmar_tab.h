#pragma once
// The service tab of the AC input dialog: the converter's clock,
// oversampling and gain with the sample rate they give, and the statistics
// of the precise value for checking an instrument against a reference.

#include <QWidget>

class QGroupBox;
class QLabel;
class QPushButton;

namespace velmar {

class RadioGroup;
struct InstrumentContext;

class AcVelmarTab : public QWidget {
    Q_OBJECT
public:
    AcVelmarTab(InstrumentContext& ctx, QWidget* parent);

    uint16_t uOSR = 128;  // oversampling ratio of the chosen item

    QGroupBox* GroupBox_MCP3918;
    RadioGroup* RadioGroup_PXTR_QMHz;
    RadioGroup* RadioGroup_PXTR_OSR;
    RadioGroup* RadioGroup_PGA;
    QLabel *Label24, *Label1, *Label2, *Label_MCP3918_Samples;
    QLabel *Label14, *Label_PX3x0_PontosMertErtek;
    QLabel *Label20, *Label_Frekvencia2;
    QLabel *Label19, *Label_PX3x0_MinPontosMertErtek;
    QLabel *Label21, *Label_PX3x0_MaxPontosMertErtek;
    QLabel *Label18, *Label_PX3x0_DeltaPontosMertErtek;
    QPushButton* Button_DeltaNullazas;
    QLabel *Label22, *Label_PX3x0_HibaSzazalek;
    QLabel *Label23, *Label_PX3x0_HibaSzazalekMin;
    QLabel *Label25, *Label_PX3x0_HibaSzazalekMax;

    // The sample rate of the chosen clock and oversampling.
    void RadioGroup_PXTR_OSRClick();
    // The present value becomes the reference of the statistics.
    void Button_DeltaNullazasClick();
    // The precise value, the frequency and the statistics from recRX.
    void ShowStatistics();

protected:
    // Brought to the front: the statistics as they stand.
    void showEvent(QShowEvent* event) override;

private:
    QString Number(float value, const char* mask) const;

    InstrumentContext& ctx_;
};

}  // namespace velmar
