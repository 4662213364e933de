// The AC input dialog's live side: the controls outside the tabs, what the
// status answer puts into them, and the calibration range the status
// request carries.

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>

#include "core/device/number_mask.h"
#include "core/device/status_texts.h"
#include "core/modules/ac_input_statistics.h"
#include "gui/link/instrument_context.h"
#include "gui/modules/ac_input_calibration.h"
#include "gui/modules/ac_input_dialog.h"
#include "gui/modules/ac_input_velmar_tab.h"
#include "gui/views/bar_graph.h"
#include "gui/views/label_colors.h"
#include "gui/views/lamp.h"
#include "gui/views/module_controls.h"
#include "gui/views/widget_updates.h"

namespace velmar {

namespace {
const QColor kOrange{0xFF, 0x80, 0x40};
const QColor kAqua{0x00, 0xFF, 0xFF};

QLabel* BoldLabel(QWidget* parent, const char* name, const char* text) {
    QLabel* l = MakeLabel(parent, name, text);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

// Lit in its colour while shown; it keeps its place while hidden, so that
// a lamp coming and going does not lay the dialog out again.
Lamp* MakeStatusLamp(QWidget* parent, const char* name, const QColor& colour) {
    auto* lamp = new Lamp(parent);
    lamp->setObjectName(name);
    lamp->setFixedSize(20, 12);
    lamp->setBrushColor(colour);
    QSizePolicy policy = lamp->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    lamp->setSizePolicy(policy);
    lamp->hide();
    return lamp;
}

// Half-to-even rounding of a percentage, as an integer text.
QString Percent(double value) { return QString::number(qlonglong(RoundHalfEven(value))) + "%"; }
}  // namespace

void TForm_PXTR::BuildLiveControls() {
    Label13 = MakeLabel(this, "Label13", "Kivezérlés:");
    auto* bar = MBarGraph_PXTR_Kivezerles = new TMBarGraph(this);
    bar->setObjectName("MBarGraph_PXTR_Kivezerles");
    bar->setFixedSize(481, 17);
    QPalette panel = bar->palette();
    panel.setColor(QPalette::Window, colors::kLime);
    bar->setPalette(panel);
    bar->setMBGMode(TMBarGraph::modeFromTo);
    bar->setMBGWidthOfFromTo(3);
    bar->setMBGMinusColorAt1(colors::kYellow);
    bar->setMBGPlusColorAt1(kAqua);
    bar->setMBGValue(0.5);
    bar->setMBGValueFrom(0.25);
    bar->setMBGValueTo(0.75);
    // The bar's size is fixed, so the band's height is set once.
    bar->setMBGHeightOfFromTo(bar->height() - 4);
    Label4 = MakeLabel(this, "Label4", "-32768");
    Label5 = MakeLabel(this, "Label5", "+32767");
    Label30 = BoldLabel(this, "Label30", "I");
    Label31 = BoldLabel(this, "Label31", "I");
    Label_PXTR_iValue16MaxMMin = MakeLabel(this, "Label_PXTR_iValue16MaxMMin", "pp = 0");
    Label_iDCAveragedMO = MakeLabel(this, "Label_iDCAveragedMO", "DC = 0");
    for (QLabel* l : {Label_PXTR_iValue16MaxMMin, Label_iDCAveragedMO}) {
        l->setAlignment(Qt::AlignCenter);
        FixTextSize(l, "pp = -9 999 999 = -10000%");
    }

    auto* drive = new QGridLayout;
    drive->addWidget(Label30, 0, 2, Qt::AlignHCenter | Qt::AlignBottom);
    drive->addWidget(Label13, 1, 0);
    drive->addWidget(Label4, 1, 1, Qt::AlignRight);
    drive->addWidget(bar, 1, 2);
    drive->addWidget(Label5, 1, 3);
    drive->addWidget(Label31, 2, 2, Qt::AlignHCenter | Qt::AlignTop);
    auto* spread = new QHBoxLayout;
    spread->addWidget(Label_PXTR_iValue16MaxMMin);
    spread->addStretch(1);
    spread->addWidget(Label_iDCAveragedMO);
    drive->addLayout(spread, 3, 2);
    drive->setColumnStretch(4, 1);
    drive->setVerticalSpacing(0);

    GroupBox2 = MakeGroup(this, "GroupBox2", "INFORMÁCIÓ A MÉRÉSRŐL");
    Label6 = MakeLabel(GroupBox2, "Label6", "Bemenő jel frekvencia = ");
    Label_Frekvencia = BoldLabel(GroupBox2, "Label_Frekvencia", "000.0 Hz");
    FixTextSize(Label_Frekvencia, "000 000.0 Hz");
    Label7 = MakeLabel(GroupBox2, "Label7", "Frekvencia túl kicsi:");
    Label8 = MakeLabel(GroupBox2, "Label8", "Frekvencia túl nagy:");
    Label9 = MakeLabel(GroupBox2, "Label9", "Zajzár:");
    Label10 = MakeLabel(GroupBox2, "Label10", "Nincs AC összetevő:");
    Label16 = MakeLabel(GroupBox2, "Label16", "Nincs inicializálva:");
    Label17 = MakeLabel(GroupBox2, "Label17", "Nincs kalibrálva:");
    Shape_cuErrorBits_FrequencyLow = MakeStatusLamp(GroupBox2, "Shape_cuErrorBits_FrequencyLow", kOrange);
    Shape_cuErrorBits_FrequencyHigh = MakeStatusLamp(GroupBox2, "Shape_cuErrorBits_FrequencyHigh", kOrange);
    Shape_cuErrorBits_NoiseLock = MakeStatusLamp(GroupBox2, "Shape_cuErrorBits_NoiseLock", kOrange);
    Shape_cuErrorBits_NoAC = MakeStatusLamp(GroupBox2, "Shape_cuErrorBits_NoAC", kOrange);
    Shape_cuErrorBits_NoInic = MakeStatusLamp(GroupBox2, "Shape_cuErrorBits_NoInic", colors::kRed);
    Shape_cuErrorBits_Uncalibrated = MakeStatusLamp(GroupBox2, "Shape_cuErrorBits_Uncalibrated", colors::kRed);
    auto* info = new QGridLayout(GroupBox2);
    info->addWidget(Label6, 0, 0);
    info->addWidget(Label_Frekvencia, 0, 1);
    const std::pair<QLabel*, Lamp*> rows[] = {
        {Label7, Shape_cuErrorBits_FrequencyLow}, {Label8, Shape_cuErrorBits_FrequencyHigh},
        {Label9, Shape_cuErrorBits_NoiseLock},    {Label10, Shape_cuErrorBits_NoAC},
        {Label16, Shape_cuErrorBits_NoInic},      {Label17, Shape_cuErrorBits_Uncalibrated},
    };
    for (int i = 0; i < int(std::size(rows)); ++i) {
        rows[i].first->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        info->addWidget(rows[i].first, i + 1, 0);
        info->addWidget(rows[i].second, i + 1, 1, Qt::AlignLeft);
    }

    Label3 = MakeLabel(this, "Label3", "Erősítés: ");
    Label_PX3x0_PGA = MakeLabel(this, "Label_PX3x0_PGA", "0");
    FixTextSize(Label_PX3x0_PGA, "000");
    CheckBox_Transformer = new QCheckBox(QString::fromUtf8("Van transzformátor"), this);
    CheckBox_Transformer->setObjectName("CheckBox_Transformer");
    PageControl_PXTR = new QTabWidget(this);
    PageControl_PXTR->setObjectName("PageControl_PXTR");

    auto* gain = new QHBoxLayout;
    gain->addWidget(Label3);
    gain->addWidget(Label_PX3x0_PGA);
    gain->addStretch(1);
    auto* side = new QVBoxLayout;
    side->addWidget(GroupBox2);
    side->addLayout(gain);
    side->addWidget(CheckBox_Transformer);
    side->addStretch(1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(PageControl_PXTR, 1);
    middle->addLayout(side);
    Body()->addLayout(drive);
    Body()->addLayout(middle, 1);
}

void TForm_PXTR::ShowLiveValues() {
    // The statistics count every answer; the texts are made only while
    // someone can see them, and once more when the dialog is shown.
    TrackPreciseValue(ctx_.recRX);
    if (isVisible()) ShowLiveTexts();
}

void TForm_PXTR::ShowLiveTexts() {
    const tRX& rx = ctx_.recRX;
    // The lowest and highest 16-bit sample as the band, the DC average as
    // the marker, all on the converter's -32768 ... 32767.
    TMBarGraph* bar = MBarGraph_PXTR_Kivezerles;
    bar->setMBGValueFrom((rx.iRawADCData + 32767.0) / 65535.0);
    bar->setMBGValueTo((rx.iAveragedADCData + 32767.0) / 65535.0);
    bar->setMBGValue(rx.iDCAveragedMO / 32767.0 / 2.0 + 0.5);
    SetTextWhenChanged(Label_iDCAveragedMO, "DC = " + ctx_.FormatNumber(rx.iDCAveragedMO, "# ### ##0") + " = " +
                                                Percent(rx.iDCAveragedMO / 32767.0 * 100.0));
    const double spread = double(rx.iAveragedADCData) - double(rx.iRawADCData);
    SetTextWhenChanged(Label_PXTR_iValue16MaxMMin,
                       "pp = " + ctx_.FormatNumber(spread, "# ### ##0") + " = " + Percent(spread / 65535.0 * 100.0));

    const QString frequency = std::isfinite(rx.fResistance) ? ctx_.FormatNumber(rx.fResistance, "# ##0.0") : "?";
    SetTextWhenChanged(Label_Frekvencia, frequency + " Hz");
    const uint8_t bits = rx.uSlaveStatusBits;
    SetShown(Shape_cuErrorBits_FrequencyLow, bits & 0x01);
    SetShown(Shape_cuErrorBits_FrequencyHigh, bits & 0x02);
    SetShown(Shape_cuErrorBits_NoiseLock, bits & 0x04);
    SetShown(Shape_cuErrorBits_NoAC, bits & 0x08);
    SetShown(Shape_cuErrorBits_NoInic, bits & 0x10);
    SetShown(Shape_cuErrorBits_Uncalibrated, bits & 0x20);
    SetTextWhenChanged(Label_PX3x0_PGA, QString::number(rx.uGain));
    // The header's unit, kept as it keeps it.
    SetTextWhenChanged(Label_3x0_ZajzarMertekegyseg, ctx_.shownUnit);

    // The statistics' texts only while their tab is in front.
    if (TabSheet_PXTR_VelmarBeallitasok->isVisible()) TabSheet_PXTR_VelmarBeallitasok->ShowStatistics();
}

void TForm_PXTR::showEvent(QShowEvent* event) {
    ModuleDialog::showEvent(event);
    ShowLiveTexts();  // the last answer's, not those of when it was last open
}

void TForm_PXTR::AddCalibrationRange(uint8_t& directControl) const {
    const uint16_t device = ctx_.recRX.uDevice;
    if (device != 350 && device != 370) return;
    // Only while the user is at the calibration: the instrument leaves its
    // own range as soon as the dialog is no longer the active window.
    if (!isActiveWindow()) return;
    QWidget* page = PageControl_PXTR->currentWidget();
    if (page == TabSheet_Calbration350 || page == TabSheet_Calbration370)
        directControl = static_cast<AcCalibrationTab*>(page)->SelectedRange();
}

}  // namespace velmar
