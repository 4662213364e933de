#include "gui/modules/ac_input_velmar_tab.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "core/modules/ac_input_codec.h"
#include "core/modules/ac_input_statistics.h"
#include "gui/link/instrument_context.h"
#include "gui/views/module_controls.h"
#include "gui/views/radio_group.h"
#include "gui/views/widget_updates.h"

namespace velmar {

namespace {
QLabel* ValueLabel(QWidget* parent, const char* name, const char* text, const char* widest) {
    QLabel* l = MakeLabel(parent, name, text);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    FixTextSize(l, QString::fromUtf8(widest));  // rewritten with every status answer
    return l;
}
}  // namespace

AcVelmarTab::AcVelmarTab(InstrumentContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName("TabSheet_PXTR_VelmarBeallitasok");
    GroupBox_MCP3918 = MakeGroup(this, "GroupBox_MCP3918", "MCP3918 beállításai");
    RadioGroup_PXTR_QMHz =
        MakeRadioGroup(GroupBox_MCP3918, "RadioGroup_PXTR_QMHz", "ÓRAJEL", {"1 MHz", "2 MHz", "4 MHz", "8 MHz"}, 1, 1);
    RadioGroup_PXTR_OSR = MakeRadioGroup(GroupBox_MCP3918, "RadioGroup_PXTR_OSR", "OSR",
                                         {"64", "128", "256", "512", "1024", "2048", "4096"}, 1, 1);
    RadioGroup_PGA = MakeRadioGroup(GroupBox_MCP3918, "RadioGroup_PGA", "PGA", {"1", "2", "4", "8", "16", "32"}, 1, 0);
    Label24 = MakeLabel(GroupBox_MCP3918, "Label24", "64..512 választható");
    Label1 = MakeLabel(GroupBox_MCP3918, "Label1", "Mintavételi f =");
    Label2 = MakeLabel(GroupBox_MCP3918, "Label2", "= órajel / (4 * PRE * OSR) =");
    Label_MCP3918_Samples = MakeLabel(GroupBox_MCP3918, "Label_MCP3918_Samples", "?");
    QFont bold = Label_MCP3918_Samples->font();
    bold.setBold(true);
    Label_MCP3918_Samples->setFont(bold);

    auto* radios = new QHBoxLayout;
    radios->addWidget(RadioGroup_PXTR_QMHz, 0, Qt::AlignTop);
    auto* osr = new QVBoxLayout;
    osr->addWidget(RadioGroup_PXTR_OSR);
    osr->addWidget(Label24);
    osr->addStretch(1);
    radios->addLayout(osr);
    radios->addWidget(RadioGroup_PGA, 0, Qt::AlignTop);
    // "Mintavételi f =" over "= órajel / (4 * PRE * OSR) =" and the rate.
    auto* rate = new QHBoxLayout;
    rate->addWidget(Label2);
    rate->addWidget(Label_MCP3918_Samples);
    rate->addStretch(1);
    auto* converter = new QVBoxLayout(GroupBox_MCP3918);
    converter->addLayout(radios);
    converter->addWidget(Label1);
    converter->addLayout(rate);

    Label14 = MakeLabel(this, "Label14", "Pontos mért érték = ");
    Label_PX3x0_PontosMertErtek = ValueLabel(this, "Label_PX3x0_PontosMertErtek", "000.00 ", "-0 000 000.000");
    Label20 = MakeLabel(this, "Label20", "Frekvencia = ");
    Label_Frekvencia2 = ValueLabel(this, "Label_Frekvencia2", "000.00 Hz", "000 000.00 Hz");
    Label19 = MakeLabel(this, "Label19", "Mért érték min. = ");
    Label_PX3x0_MinPontosMertErtek = ValueLabel(this, "Label_PX3x0_MinPontosMertErtek", "000.00 ", "-0 000 000.000");
    Label21 = MakeLabel(this, "Label21", "Mért érték max. = ");
    Label_PX3x0_MaxPontosMertErtek = ValueLabel(this, "Label_PX3x0_MaxPontosMertErtek", "000.00 ", "-0 000 000.000");
    Label18 = MakeLabel(this, "Label18", "Delta mért érték = ");
    Label_PX3x0_DeltaPontosMertErtek =
        ValueLabel(this, "Label_PX3x0_DeltaPontosMertErtek", "000.00 ", "-0 000 000.000");
    Button_DeltaNullazas = MakeButton(this, "Button_DeltaNullazas", "Delta nullázása");
    Label22 = MakeLabel(this, "Label22", "Hiba (a nullázáskori értékhez képest) = ");
    Label_PX3x0_HibaSzazalek = ValueLabel(this, "Label_PX3x0_HibaSzazalek", "0.00 ", "-0 000 000.00%");
    Label23 = MakeLabel(this, "Label23", "Legnagyobb negatív hiba =");
    Label_PX3x0_HibaSzazalekMin = ValueLabel(this, "Label_PX3x0_HibaSzazalekMin", "0.00 ", "-0 000 000.00%");
    Label25 = MakeLabel(this, "Label25", "Legnagyobb pozitív hiba =");
    Label_PX3x0_HibaSzazalekMax = ValueLabel(this, "Label_PX3x0_HibaSzazalekMax", "0.00 ", "-0 000 000.00%");

    auto* stats = new QGridLayout;
    const std::pair<QLabel*, QLabel*> rows[] = {
        {Label14, Label_PX3x0_PontosMertErtek},      {Label20, Label_Frekvencia2},
        {Label19, Label_PX3x0_MinPontosMertErtek},   {Label21, Label_PX3x0_MaxPontosMertErtek},
        {Label18, Label_PX3x0_DeltaPontosMertErtek}, {nullptr, nullptr},
        {Label22, Label_PX3x0_HibaSzazalek},         {Label23, Label_PX3x0_HibaSzazalekMin},
        {Label25, Label_PX3x0_HibaSzazalekMax},
    };
    for (int row = 0; row < int(std::size(rows)); ++row) {
        if (!rows[row].first) {
            stats->addWidget(Button_DeltaNullazas, row, 0, 1, 2, Qt::AlignLeft);
            continue;
        }
        rows[row].first->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        stats->addWidget(rows[row].first, row, 0);
        stats->addWidget(rows[row].second, row, 1);
    }
    stats->setRowStretch(int(std::size(rows)), 1);

    auto* page = new QHBoxLayout(this);
    page->addWidget(GroupBox_MCP3918, 0, Qt::AlignTop);
    page->addLayout(stats, 1);

    connect(RadioGroup_PXTR_QMHz, &RadioGroup::itemIndexChanged, this, &AcVelmarTab::RadioGroup_PXTR_OSRClick);
    connect(RadioGroup_PXTR_OSR, &RadioGroup::itemIndexChanged, this, &AcVelmarTab::RadioGroup_PXTR_OSRClick);
    connect(Button_DeltaNullazas, &QPushButton::clicked, this, &AcVelmarTab::Button_DeltaNullazasClick);
}

void AcVelmarTab::RadioGroup_PXTR_OSRClick() {
    uOSR = AcOversamplingOf(RadioGroup_PXTR_OSR->ItemIndex());
    const double clock = AcClockOf(RadioGroup_PXTR_QMHz->ItemIndex());
    SetTextWhenChanged(Label_MCP3918_Samples, ctx_.FormatNumber(clock * 1000000.0 / 4.0 / uOSR, "## ###"));
}

void AcVelmarTab::Button_DeltaNullazasClick() {
    ZeroPreciseStatistics(ctx_.recRX);
    ShowStatistics();
}

// A value an answer made not a number cannot be formatted: it shows as "?".
QString AcVelmarTab::Number(float value, const char* mask) const {
    return std::isfinite(value) ? ctx_.FormatNumber(value, mask) : QString("?");
}

void AcVelmarTab::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    ShowStatistics();
}

void AcVelmarTab::ShowStatistics() {
    const tRX& rx = ctx_.recRX;
    SetTextWhenChanged(Label_Frekvencia2, Number(rx.fResistance, "# ##0.00") + " Hz");
    SetTextWhenChanged(Label_PX3x0_PontosMertErtek, Number(rx.fiSkalazottKijezesiErtekPontos, "##0.000"));
    SetTextWhenChanged(Label_PX3x0_MinPontosMertErtek, Number(rx.fDeltaMin, "##0.000"));
    SetTextWhenChanged(Label_PX3x0_MaxPontosMertErtek, Number(rx.fDeltaMax, "##0.000"));
    SetTextWhenChanged(Label_PX3x0_DeltaPontosMertErtek, Number(rx.fDeltaMax - rx.fDeltaMin, "##0.000"));
    SetTextWhenChanged(Label_PX3x0_HibaSzazalek, Number(rx.fHibaSzazalek, "#0.00") + "%");
    SetTextWhenChanged(Label_PX3x0_HibaSzazalekMin, Number(rx.fHibaSzazalekMin, "#0.00") + "%");
    SetTextWhenChanged(Label_PX3x0_HibaSzazalekMax, Number(rx.fHibaSzazalekMax, "#0.00") + "%");
}

}  // namespace velmar
