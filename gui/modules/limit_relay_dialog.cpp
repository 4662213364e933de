#include "gui/modules/limit_relay_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "core/link/payload_io.h"
#include "core/modules/limit_relay_codec.h"
#include "gui/link/instrument_context.h"
#include "gui/link/instrument_values.h"
#include "gui/views/label_colors.h"
#include "gui/views/lamp.h"
#include "gui/views/module_controls.h"
#include "gui/views/parse_integer_edit.h"
#include "gui/views/radio_group.h"
#include "gui/views/typed_length.h"
#include "gui/views/value_editor_open.h"

namespace velmar {

namespace {
// The record fields of one limit output, in either record.
struct SlotFields {
    uint8_t& mode;
    int32_t& a;
    int32_t& b;
    int32_t& hysteresis;
    bool& hold;
    uint16_t& timeBase;
    uint8_t& pulseWidth;
    uint8_t& source;
};
void Store(const LimitBlock& b, SlotFields f) {
    f.mode = b.mode;
    f.a = b.a;
    f.b = b.b;
    f.hysteresis = b.hysteresis;
    f.hold = b.hold;
    f.timeBase = b.timeBase;
    f.pulseWidth = b.pulseWidth;
    f.source = b.source;
}

template <class Record>
SlotFields FieldsOf(Record& r, bool secondSlot) {
    if (secondSlot)
        return {r.enuLimitModeL2, r.iLowLimitL2, r.iHighLimitL2, r.iHysteresisL2,
                r.bHoldL2,        r.uSecL2,      r.uPulseSecL2,  r.PXRL_SourceInput2};
    return {r.enuLimitModeL1, r.iLowLimitL1, r.iHighLimitL1, r.iHysteresisL1,
            r.bHoldL1,        r.uSecL1,      r.uPulseSecL1,  r.PXRL_SourceInput1};
}

constexpr int kWidestEdit = 5;  // characters of the seconds

QLineEdit* MakeEdit(QWidget* parent, const char* name, int maxLength) {
    auto* e = new QLineEdit("0", parent);
    e->setObjectName(name);
    LimitTypedLength(e, maxLength);
    // One width for the column of edits, that of the longest.
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QString(kWidestEdit + 2, '0')));
    return e;
}

QLabel* MakeBold(QWidget* parent, const char* name, const char* text) {
    QLabel* l = MakeLabel(parent, name, text);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}
}  // namespace

TForm_PXRL::TForm_PXRL(InstrumentContext& ctx)
    : ModuleDialog(ctx, "Form_PXRL", "PXRL", QString::fromUtf8("Gyári alapértékek")) {
    GroupBox9 = MakeGroup(this, "GroupBox9", "HATÁRÉRTÉK KIMENET ÜZEMMÓDJA, BEÁLLÍTÁSAI, TESZTELÉSE");
    RadioGroup_enuLimitMode = MakeRadioGroup(GroupBox9, "RadioGroup_enuLimitMode", "ÜZEMMÓD", kLimitModeOptions, 1, 0);

    auto* values = new QGridLayout;
    Label41 = MakeBold(GroupBox9, "Label41", "Beállított számértékek:");
    Label38 = MakeLabel(GroupBox9, "Label38", "A érték:");
    Label39 = MakeLabel(GroupBox9, "Label39", "B érték:");
    Label40 = MakeLabel(GroupBox9, "Label40", "Hiszterézis:");
    Label_iSettingsA = MakeValueLabel(GroupBox9, "Label_iSettingsA");
    Label_iSettingsB = MakeValueLabel(GroupBox9, "Label_iSettingsB");
    Label_iSettingsHysteresis = MakeValueLabel(GroupBox9, "Label_iSettingsHysteresis");
    Button_SettingsA = MakeButton(GroupBox9, "Button_SettingsA", "Módosítás");
    Button_SettingsB = MakeButton(GroupBox9, "Button_SettingsB", "Módosítás");
    Button_SettingsHysteresis = MakeButton(GroupBox9, "Button_SettingsHysteresis", "Módosítás");
    values->addWidget(Label41, 0, 0, 1, 3);
    AddScaleRow(values, 1, Label38, Label_iSettingsA, Button_SettingsA);
    AddScaleRow(values, 2, Label39, Label_iSettingsB, Button_SettingsB);
    AddScaleRow(values, 3, Label40, Label_iSettingsHysteresis, Button_SettingsHysteresis);

    Label3 = MakeBold(GroupBox9, "Label3", "Delta üzemmód számértékek:");
    Label55 = MakeLabel(GroupBox9, "Label55", "Időegység:");
    Edit_uSec = MakeEdit(GroupBox9, "Edit_uSec", 5);
    Label1 = MakeLabel(GroupBox9, "Label1", "másodperc");
    Label56 = MakeLabel(GroupBox9, "Label56", "Impulzusszélesség:");
    Edit_uPulseSec = MakeEdit(GroupBox9, "Edit_uPulseSec", 3);
    Label96 = MakeLabel(GroupBox9, "Label96", "másodperc");
    values->addWidget(Label3, 4, 0, 1, 3);
    values->addWidget(Label55, 5, 0);
    values->addWidget(Edit_uSec, 5, 1, Qt::AlignRight);
    values->addWidget(Label1, 5, 2);
    values->addWidget(Label56, 6, 0);
    values->addWidget(Edit_uPulseSec, 6, 1, Qt::AlignRight);
    values->addWidget(Label96, 6, 2);

    // The hold option's caption runs over three lines.
    CheckBox_bHold = new QCheckBox(QString::fromUtf8("A már bekapcsolt kimenet"), GroupBox9);
    CheckBox_bHold->setObjectName("CheckBox_bHold");
    Label2 = MakeLabel(GroupBox9, "Label2", "gombnyomásig vagy a készülék");
    Label4 = MakeLabel(GroupBox9, "Label4", "kikapcsolásáig bekapcsolva marad.");
    const int indent = CheckBox_bHold->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                       CheckBox_bHold->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    Label2->setIndent(indent);
    Label4->setIndent(indent);
    auto* hold = new QVBoxLayout;
    hold->setSpacing(0);
    hold->addWidget(CheckBox_bHold);
    hold->addWidget(Label2);
    hold->addWidget(Label4);
    values->addLayout(hold, 7, 0, 1, 3);
    values->setRowStretch(8, 1);

    auto* settings = new QHBoxLayout(GroupBox9);
    settings->addWidget(RadioGroup_enuLimitMode);
    settings->addLayout(values);

    GroupBox2 = MakeGroup(this, "GroupBox2", "A HATÁRÉRTÉK KIMENET ÁLLAPOTA");
    Shape_DigitalOutPXRL = new Lamp(GroupBox2);
    Shape_DigitalOutPXRL->setObjectName("Shape_DigitalOutPXRL");
    (new QHBoxLayout(GroupBox2))->addWidget(Shape_DigitalOutPXRL, 0, Qt::AlignCenter);

    RadioGroup_PXRL_SourceInput =
        MakeRadioGroup(this, "RadioGroup_PXRL_SourceInput", "BEMENŐ JEL FORRÁSA", kSourceValueOptions, 2, 0);

    GroupBox1 = MakeGroup(this, "GroupBox1", "A HATÁRÉRTÉK KIMENET TESZTELÉSE");
    CheckBox_DigitalOutForceEng = new QCheckBox(QString::fromUtf8("Teszt engedélyezve"), GroupBox1);
    CheckBox_DigitalOutForceEng->setObjectName("CheckBox_DigitalOutForceEng");
    SpeedButton_DigitalOut1Force =
        MakeButton(GroupBox1, "SpeedButton_DigitalOut1Force", "Határérték kimenet bekapcsolás");
    SpeedButton_DigitalOut1Force->setCheckable(true);
    // The test forces the relay for the moment; it is not a setting.
    Values().IgnoreEdits(GroupBox1);
    auto* test = new QHBoxLayout(GroupBox1);
    test->addWidget(CheckBox_DigitalOutForceEng);
    test->addWidget(SpeedButton_DigitalOut1Force);

    auto* live = new QHBoxLayout;
    live->addWidget(GroupBox2);
    live->addWidget(RadioGroup_PXRL_SourceInput);
    live->addWidget(GroupBox1, 1);
    Body()->addWidget(GroupBox9);
    Body()->addLayout(live);

    connect(Button_SettingsA, &QPushButton::clicked, this, &TForm_PXRL::Button_SettingsAClick);
    connect(Button_SettingsB, &QPushButton::clicked, this, &TForm_PXRL::Button_SettingsBClick);
    connect(Button_SettingsHysteresis, &QPushButton::clicked, this, &TForm_PXRL::Button_SettingsHysteresisClick);

    RegisterSlotCommands(
        {{kReadLimit1, kReadLimit2}, kLimitDefaults, {kWriteLimit1, kWriteLimit2}},
        [this](bool secondSlot) { DecodeSettings(secondSlot); }, [this](bool secondSlot) { BuildWrite(secondSlot); });
    ValueDestinations& v = ctx.valueDestinations;
    v.Register(
        5, [this](int32_t x) { iA = x; }, [this] { RefreshPXRLValues(); });
    v.Register(
        6, [this](int32_t x) { iB = x; }, [this] { RefreshPXRLValues(); });
    v.Register(
        7, [this](int32_t x) { iHysteresis = x; }, [this] { RefreshPXRLValues(); });
}

void TForm_PXRL::RefreshPXRLValues() {
    Label_iSettingsA->setText(ScaledText(iA));
    Label_iSettingsB->setText(ScaledText(iB));
    Label_iSettingsHysteresis->setText(ScaledText(iHysteresis));
}

void TForm_PXRL::DecodeSettings(bool secondSlot) {
    const LimitBlock b = ReadAnswer(ctx_.transfer, LimitLayout<TransferReader>);
    Store(b, FieldsOf(ctx_.recRX, secondSlot));
    RadioGroup_enuLimitMode->SetItemIndex(b.mode);
    CheckBox_bHold->setChecked(b.hold);
    iA = b.a;
    iB = b.b;
    iHysteresis = b.hysteresis;
    RefreshPXRLValues();
    Edit_uSec->setText(QString::number(b.timeBase));
    Edit_uPulseSec->setText(QString::number(b.pulseWidth));
    RadioGroup_PXRL_SourceInput->SetItemIndex(int(b.source) - 1);
}

void TForm_PXRL::BuildWrite(bool secondSlot) {
    const int source = RadioGroup_PXRL_SourceInput->ItemIndex();
    LimitBlock b{uint8_t(std::max(RadioGroup_enuLimitMode->ItemIndex(), 0)),
                 iA,
                 iB,
                 iHysteresis,
                 CheckBox_bHold->isChecked(),
                 uint16_t(ParseIntegerEdit(Edit_uSec, kLimitTimeBase)),
                 uint8_t(ParseIntegerEdit(Edit_uPulseSec, kLimitPulseWidth)),
                 uint8_t(source < 0 ? 0 : source + 1)};
    Store(b, FieldsOf(ctx_.recTX, secondSlot));
    TransferWriter out(ctx_.transfer);
    LimitLayout(out, b);
}

int TForm_PXRL::OutputBit() const { return ctx_.bFoKimenetiModulVanNyitva ? 0 : 1; }

void TForm_PXRL::AddForceBits(uint8_t& limitForceAndEnable) {
    const int bit = OutputBit();
    if (CheckBox_DigitalOutForceEng->isChecked()) {
        limitForceAndEnable |= uint8_t(0x10 << bit);
        if (SpeedButton_DigitalOut1Force->isChecked()) limitForceAndEnable |= uint8_t(1 << bit);
    } else {
        const bool on = ctx_.recRX.uLimit & (1 << bit);
        if (SpeedButton_DigitalOut1Force->isChecked() != on) SpeedButton_DigitalOut1Force->setChecked(on);
    }
}

void TForm_PXRL::ShowOutputState() {
    if (ctx_.recRX.uLimit & (1 << OutputBit()))
        Shape_DigitalOutPXRL->setBrushColor(colors::kLime);
    else
        Shape_DigitalOutPXRL->switchOff();
}

void TForm_PXRL::hideEvent(QHideEvent* event) {
    CheckBox_DigitalOutForceEng->setChecked(false);
    ModuleDialog::hideEvent(event);
}

void TForm_PXRL::Button_SettingsAClick() {
    OpenTypedEditor(*ctx_.typedEditor, ctx_.window, 5, QString::fromUtf8("A érték vagy delta érték beállítása"),
                    kLimitA, ctx_.recRX.uDecimalPoint, iA);
}

void TForm_PXRL::Button_SettingsBClick() {
    OpenTypedEditor(*ctx_.typedEditor, ctx_.window, 6, QString::fromUtf8("B érték beállítása"), kLimitB,
                    ctx_.recRX.uDecimalPoint, iB);
}

void TForm_PXRL::Button_SettingsHysteresisClick() {
    OpenTypedEditor(*ctx_.typedEditor, ctx_.window, 7, QString::fromUtf8("Hiszterézis érték beállítása"),
                    kLimitHysteresis, ctx_.recRX.uDecimalPoint, iHysteresis);
}

}  // namespace velmar
