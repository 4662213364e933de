#include "gui/modules/rtd_input_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/link/payload_io.h"
#include "core/modules/rtd_input_codec.h"
#include "gui/link/instrument_context.h"
#include "gui/link/instrument_values.h"
#include "gui/views/radio_group.h"
#include "gui/views/value_editor_open.h"
#include "gui/views/widget_updates.h"
#include "gui/views/wrapped_button.h"

namespace velmar {

namespace {
const char* const kPt100 = "Pt100 hőmérséklet érzékelő";
const char* const kPt1000 = "Pt1000 hőmérséklet érzékelő";

// The numbers the value editors change, all kept in the received record.
template <auto Member>
int32_t Get(const tRX& r) {
    return r.*Member;
}
template <auto Member>
void Set(tRX& r, int32_t v) {
    using Field = std::remove_reference_t<decltype(r.*Member)>;
    r.*Member = Field(v);
}
struct EditedField {
    int identifier;
    const char* caption;
    const FieldMeta& limits;  // the field's description
    bool scaled;  // decimals of the scale choice; otherwise tenths of a degree
    int32_t (*get)(const tRX&);
    void (*set)(tRX&, int32_t);
};
const EditedField kEditedFields[] = {
    {8, "A 0%-hoz tartozó kijelzési érték", kRtdScaleLow, true, Get<&tRX::iPXRT_ScaleLow>, Set<&tRX::iPXRT_ScaleLow>},
    {9, "A 100%-hoz tartozó kijelzési érték", kRtdScaleHigh, true, Get<&tRX::iPXRT_ScaleHigh>,
     Set<&tRX::iPXRT_ScaleHigh>},
    {10, "Korrekció: hőmérsékleti pont 1", kRtdCorrTemp, false, Get<&tRX::iPXRT_CorrTemp1>, Set<&tRX::iPXRT_CorrTemp1>},
    {11, "Korrekció: hőmérsékleti pont 2", kRtdCorrTemp, false, Get<&tRX::iPXRT_CorrTemp2>, Set<&tRX::iPXRT_CorrTemp2>},
    {12, "Korrekció: hőmérsékleti pont 3", kRtdCorrTemp, false, Get<&tRX::iPXRT_CorrTemp3>, Set<&tRX::iPXRT_CorrTemp3>},
    {13, "Korrekció: hőmérséklethez adandó érték 1", kRtdCorrPlus, false, Get<&tRX::iPXRT_CorrPlusTemp1>,
     Set<&tRX::iPXRT_CorrPlusTemp1>},
    {14, "Korrekció: hőmérséklethez adandó érték 2", kRtdCorrPlus, false, Get<&tRX::iPXRT_CorrPlusTemp2>,
     Set<&tRX::iPXRT_CorrPlusTemp2>},
    {15, "Korrekció: hőmérséklethez adandó érték 3", kRtdCorrPlus, false, Get<&tRX::iPXRT_CorrPlusTemp3>,
     Set<&tRX::iPXRT_CorrPlusTemp3>},
};
// Further identifiers that lead to the scale ends.
constexpr std::pair<int, std::size_t> kScaleAliases[] = {{16, 0}, {17, 1}};

// The block's fields in either record; the decimals have a name of their
// own in each.
template <class Record>
void Store(const RtdBlock& b, Record& r, uint8_t& decimals) {
    r.uPXRT_Wires = b.wires;
    r.uAverage = b.averageCount;
    r.uPXRT_Mode = b.mode;
    r.iPXRT_CorrTemp1 = b.corrTemp[0];
    r.iPXRT_CorrTemp2 = b.corrTemp[1];
    r.iPXRT_CorrTemp3 = b.corrTemp[2];
    r.iPXRT_CorrPlusTemp1 = b.corrPlus[0];
    r.iPXRT_CorrPlusTemp2 = b.corrPlus[1];
    r.iPXRT_CorrPlusTemp3 = b.corrPlus[2];
    r.fPXRT_PotRPercent0 = b.potPercent0;
    r.fPXRT_PotRPercent100 = b.potPercent100;
    decimals = b.decimals;
    r.iPXRT_ScaleLow = b.scaleLow;
    r.iPXRT_ScaleHigh = b.scaleHigh;
    r.fPXRT_R2Wires = b.leadResistance;
}

RtdBlock BlockOf(const tRX& r) {
    return {r.uPXRT_Wires,
            r.uAverage,
            r.uPXRT_Mode,
            {r.iPXRT_CorrTemp1, r.iPXRT_CorrTemp2, r.iPXRT_CorrTemp3},
            {r.iPXRT_CorrPlusTemp1, r.iPXRT_CorrPlusTemp2, r.iPXRT_CorrPlusTemp3},
            r.fPXRT_PotRPercent0,
            r.fPXRT_PotRPercent100,
            r.uDecimalPoint,
            r.iPXRT_ScaleLow,
            r.iPXRT_ScaleHigh,
            r.fPXRT_R2Wires};
}

}  // namespace

TForm_PXRT::TForm_PXRT(InstrumentContext& ctx)
    : ModuleDialog(ctx, "Form_PXRT", "PXRT", QString::fromUtf8("Gyári alapértékek"), "_PX310") {
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    TabSheet_Basic = new QWidget;
    TabSheet_Basic->setObjectName("TabSheet_Basic");
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName("TabSheet2");
    PageControl1->addTab(TabSheet_Basic, QString::fromUtf8("Alap beállítások"));
    PageControl1->addTab(TabSheet2, QString::fromUtf8("Haladó szintű beállítások"));
    Body()->addWidget(PageControl1);
    BuildBasicTab();
    BuildAdvancedTab();
    UpdatePXRTGroups();

    connect(RadioGroup_Uzemmod, &RadioGroup::itemIndexChanged, this, &TForm_PXRT::UpdatePXRTGroups);
    connect(RadioGroup_VezetekSzam, &RadioGroup::itemIndexChanged, this, &TForm_PXRT::UpdatePXRTGroups);
    connect(RadioGroup_PX310_Decimals, &RadioGroup::itemIndexChanged, this, [this] {
        if (!redrawing_) RadioGroup_PX310_DecimalsClick();
    });
    connect(Button_PotiCal0, &QPushButton::clicked, this, &TForm_PXRT::Button_PotiCal0Click);
    connect(Button_PotiCal100, &QPushButton::clicked, this, &TForm_PXRT::Button_PotiCal100Click);
    connect(Button_2VezRKiejtes, &QPushButton::clicked, this, &TForm_PXRT::Button_2VezRKiejtesClick);
    connect(Button_2VezRNulla, &QPushButton::clicked, this, &TForm_PXRT::Button_2VezRNullaClick);
    connect(&Values(), &InstrumentValues::writeAsked, this, &TForm_PXRT::CheckWriteRequest);
    RegisterEditors();

    CommandRegistry& c = ctx.commands;
    c.SetDecoder(kReadRtd, [this] { DecodeSettings(SpeedButton_ReadFromDevice, true); });
    c.SetDecoder(kRtdDefaults, [this] { DecodeSettings(SpeedButton_ReadDefault, false); });
    c.SetDecoder(kWriteRtd, [this] { WriteAnswered(); });
    c.SetBuilder(kWriteRtd, [this] { BuildWrite(); });
}

void TForm_PXRT::RegisterEditors() {
    QPushButton* const buttons[] = {Button_ScaleLowSettings,    Button_ScaleHighSettings,  Button_iPXRT_CorrTemp1,
                                    Button_iPXRT_CorrTemp2,     Button_iPXRT_CorrTemp3,    Button_iPXRT_CorrPlusTemp1,
                                    Button_iPXRT_CorrPlusTemp2, Button_iPXRT_CorrPlusTemp3};
    // An editor's OK redraws the dialog; the choices not yet written stay.
    const auto redraw = [this] {
        StorePXRTSelections();
        RxToPX310Objects();
    };
    // The limits keep a value within its field's width, whoever delivers it.
    const auto storeInto = [this](const EditedField& f) {
        return
            [this, &f](int32_t v) { f.set(ctx_.recRX, std::clamp(v, int32_t(f.limits.min), int32_t(f.limits.max))); };
    };
    for (std::size_t i = 0; i < std::size(kEditedFields); ++i) {
        connect(buttons[i], &QPushButton::clicked, this, [this, i] { OpenEditor(i); });
        ctx_.valueDestinations.Register(kEditedFields[i].identifier, storeInto(kEditedFields[i]), redraw);
    }
    for (auto [identifier, field] : kScaleAliases)
        ctx_.valueDestinations.Register(identifier, storeInto(kEditedFields[field]), redraw);
}

void TForm_PXRT::OpenEditor(std::size_t field) {
    const EditedField& f = kEditedFields[field];
    const int decimals = f.scaled ? std::max(RadioGroup_PX310_Decimals->ItemIndex(), 0) : 1;
    OpenTypedEditor(*ctx_.typedEditor, ctx_.window, f.identifier, QString::fromUtf8(f.caption), f.limits, decimals,
                    f.get(ctx_.recRX));
}

void TForm_PXRT::showEvent(QShowEvent* event) {
    PageControl1->setCurrentIndex(0);
    ModuleDialog::showEvent(event);
}

void TForm_PXRT::UpdatePXRTGroups() {
    const int source = RadioGroup_Uzemmod->ItemIndex();
    SetShown(GroupBox_PotenciometerUzemmod, source == kRtdPotentiometer || source == kRtdScaledPotentiometer);
    SetShown(GroupBox_PotenciometerSkalazas, source == kRtdScaledPotentiometer);
    SetShown(GroupBox_SzenzorKorrekciosErtekek, source == kRtdPt);
    SetShown(GroupBox_2Wire, RadioGroup_VezetekSzam->ItemIndex() == RtdWiringIndexOf(2));
}

void TForm_PXRT::StorePXRTSelections() {
    // Every status answer puts the instrument's present source and display
    // decimals into the record, and a redraw would show those instead of
    // what the user chose and has not written yet. So all four choices are
    // kept here, not only source and wiring.
    tRX& rx = ctx_.recRX;
    if (const int source = RadioGroup_Uzemmod->ItemIndex(); source >= 0) rx.uPXRT_Mode = uint8_t(source);
    if (const int wiring = RadioGroup_VezetekSzam->ItemIndex(); wiring >= 0) rx.uPXRT_Wires = RtdWiresOf(wiring);
    rx.uAverage = RtdAverageCountOf(RadioGroup_Atlagolas->ItemIndex());
    if (const int decimals = RadioGroup_PX310_Decimals->ItemIndex(); decimals >= 0)
        rx.uDecimalPoint = uint8_t(decimals);
}

QString TForm_PXRT::OhmText(float ohm) const {
    // A Pt1000 is measured to a tenth of an ohm, a Pt100 to a hundredth.
    return ctx_.FormatNumber(ohm, ctx_.recRX.bPt1000 ? "#0.0" : "#0.00") + " ohm";
}

void TForm_PXRT::RxToPX310Objects() {
    const QScopedValueRollback redrawing(redrawing_, true);
    tRX& rx = ctx_.recRX;
    RadioGroup_VezetekSzam->SetItemIndex(RtdWiringIndexOf(rx.uPXRT_Wires));
    RadioGroup_Atlagolas->SetItemIndex(RtdAverageIndexOf(rx.uAverage));
    RadioGroup_Uzemmod->SetItemIndex(rx.uPXRT_Mode);
    const int16_t corrections[] = {rx.iPXRT_CorrTemp1,     rx.iPXRT_CorrTemp2,     rx.iPXRT_CorrTemp3,
                                   rx.iPXRT_CorrPlusTemp1, rx.iPXRT_CorrPlusTemp2, rx.iPXRT_CorrPlusTemp3};
    QLabel* const labels[] = {Label_iPXRT_CorrTemp1,     Label_iPXRT_CorrTemp2,     Label_iPXRT_CorrTemp3,
                              Label_iPXRT_CorrPlusTemp1, Label_iPXRT_CorrPlusTemp2, Label_iPXRT_CorrPlusTemp3};
    for (std::size_t i = 0; i < std::size(labels); ++i)
        labels[i]->setText(ctx_.FormatNumber(corrections[i] / 10.0, "000.0") + QString::fromUtf8(" °C"));
    Label_PotiCal0->setText(OhmText(rx.fPXRT_PotRPercent0));
    Label_PotiCal100->setText(OhmText(rx.fPXRT_PotRPercent100));
    RadioGroup_PX310_Decimals->SetItemIndex(rx.uDecimalPoint);
    SetDecimalMask(rx, RadioGroup_PX310_Decimals->ItemIndex());
    Label_iScaleLowSettings->setText(ScaledText(rx.iPXRT_ScaleLow));
    Label_iScaleHighSettings->setText(ScaledText(rx.iPXRT_ScaleHigh));
    Label_2VezRKiejtes->setText(OhmText(rx.fPXRT_R2Wires));
    UpdatePXRTGroups();
}

void TForm_PXRT::TakeMeasured(float measured, float& destination) {
    // A broken sensor or wire can be measured as nothing at all; that is
    // no point to calibrate to.
    if (!std::isfinite(measured)) {
        ctx_.Inform(
            QString::fromUtf8("Nincs érvényes mért érték, a tárolt érték nem változott.\n"
                              "Ellenőrizze az érzékelő bekötését!"));
        return;
    }
    StorePXRTSelections();
    destination = measured;
    RxToPX310Objects();
}

void TForm_PXRT::Button_PotiCal0Click() { TakeMeasured(ctx_.recRX.fFizikaiMennyiseg, ctx_.recRX.fPXRT_PotRPercent0); }
void TForm_PXRT::Button_PotiCal100Click() {
    TakeMeasured(ctx_.recRX.fFizikaiMennyiseg, ctx_.recRX.fPXRT_PotRPercent100);
}
void TForm_PXRT::Button_2VezRKiejtesClick() { TakeMeasured(ctx_.recRX.fResistance, ctx_.recRX.fPXRT_R2Wires); }
void TForm_PXRT::Button_2VezRNullaClick() { TakeMeasured(0.0f, ctx_.recRX.fPXRT_R2Wires); }

void TForm_PXRT::RadioGroup_PX310_DecimalsClick() {
    StorePXRTSelections();
    RxToPX310Objects();
}

void TForm_PXRT::DecodeSettings(QPushButton* requester, bool withMeasuredPoints) {
    requester->setChecked(false);
    tRX& rx = ctx_.recRX;
    // The factory values carry no measured points: those in the record stay.
    RtdBlock b = BlockOf(rx);
    TransferReader in(ctx_.transfer);
    if (withMeasuredPoints)
        RtdLayout(in, b);
    else
        RtdDefaultsLayout(in, b);
    Store(b, rx, rx.uDecimalPoint);
    RxToPX310Objects();
    Values().Taken();
}

void TForm_PXRT::CheckWriteRequest() {
    // An answer with a value outside a list leaves that list without a
    // choice; the instrument cannot take such a value back.
    const std::pair<const RadioGroup*, const char*> choices[] = {
        {RadioGroup_Uzemmod, "Nincs kiválasztva a bemeneti jelforrás."},
        {RadioGroup_VezetekSzam, "Nincs kiválasztva a jelforrás bekötése."},
        {RadioGroup_PX310_Decimals, "Nincs kiválasztva a tizedesjegyek száma."},
    };
    for (const auto& [group, missing] : choices) {
        if (group->ItemIndex() >= 0) continue;
        SpeedButton_WriteToDevice->setChecked(false);
        ctx_.Inform(QString::fromUtf8(missing) +
                    QString::fromUtf8("\nVálasszon a listából, mielőtt beírja a beállításokat a készülékbe."));
        return;
    }
}

void TForm_PXRT::BuildWrite() {
    RtdBlock b = BlockOf(ctx_.recRX);
    // A list emptied by an answer after the write was asked for goes out
    // as its first item, a value the instrument takes.
    b.wires = RtdWiresOf(std::max(RadioGroup_VezetekSzam->ItemIndex(), 0));
    b.averageCount = RtdAverageCountOf(RadioGroup_Atlagolas->ItemIndex());
    b.mode = uint8_t(std::max(RadioGroup_Uzemmod->ItemIndex(), 0));
    b.decimals = uint8_t(std::max(RadioGroup_PX310_Decimals->ItemIndex(), 0));
    SortCorrections(b.corrTemp, b.corrPlus);
    Store(b, ctx_.recTX, ctx_.recTX.uDecimalPointSettings);
    TransferWriter out(ctx_.transfer);
    RtdLayout(out, b);
}

void TForm_PXRT::ShowLiveValues() {
    const tRX& rx = ctx_.recRX;
    const LiveFormat format = LiveInputFormat(rx.uPXOptIn, rx.uDevice, rx.uInputType, rx.bPt1000);
    const auto text = [&](float value) {
        const QString number = *format.mask ? ctx_.FormatNumber(value, format.mask)
                                            : QString::number(value, 'g', 15).replace('.', ctx_.DecimalSeparator);
        return number + ' ' + QString::fromUtf8(format.unit);
    };
    SetTextWhenChanged(Label_2VezModRMert, text(rx.fResistance));
    SetTextWhenChanged(Label_PotiModRMert, text(rx.fFizikaiMennyiseg));
    SetTextWhenChanged(RadioGroup_Uzemmod->Item(0), QString::fromUtf8(rx.bPt1000 ? kPt1000 : kPt100));
}

}  // namespace velmar
