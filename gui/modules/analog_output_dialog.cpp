#include "gui/modules/analog_output_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/link/payload_io.h"
#include "core/modules/analog_output_codec.h"
#include "gui/link/instrument_context.h"
#include "gui/link/instrument_values.h"
#include "gui/views/module_controls.h"
#include "gui/views/radio_group.h"
#include "gui/views/value_editor_open.h"

namespace velmar {

namespace {
// The record fields of one output slot, in either record.
struct SlotFields {
    uint8_t& type;
    int32_t& low;
    int32_t& high;
    bool& errorHigh;
    bool& errorDisabled;
    uint8_t& source;
};
void Store(const AnalogOutputBlock& b, SlotFields f) {
    f.type = b.type;
    f.low = b.scaleLow;
    f.high = b.scaleHigh;
    f.errorHigh = b.errorHigh;
    f.errorDisabled = b.errorDisabled;
    f.source = b.source;
}

template <class Record>
SlotFields FieldsOf(Record& r, bool secondSlot) {
    if (secondSlot)
        return {r.uAnalogueType_2,      r.iAnalogueLow_2,          r.iAnalogueHigh_2,
                r.bAnalogueErrorHigh_2, r.bDisableAnalogueError_2, r.PXAO_SourceInput2};
    return {r.uAnalogueType,      r.iAnalogueLow,          r.iAnalogueHigh,
            r.bAnalogueErrorHigh, r.bDisableAnalogueError, r.PXAO_SourceInput1};
}
}  // namespace

TForm_PXAO::TForm_PXAO(InstrumentContext& ctx)
    : ModuleDialog(ctx, "Form_PXAO", "PXAO", QString::fromUtf8("Gyári alapértékek megjelenítése")) {
    Shape1 = new QFrame(this);
    Shape1->setObjectName("Shape1");
    Shape1->setFrameStyle(QFrame::Box | QFrame::Plain);
    auto* frame = new QVBoxLayout(Shape1);
    GroupBox100 = MakeGroup(Shape1, "GroupBox100", "ANALÓG KIMENET TÍPUSA, SKÁLÁZÁSA, HIBAJELZÉS MÓDJA");
    frame->addWidget(GroupBox100);
    auto* grid = new QGridLayout(GroupBox100);
    RadioGroup_uAnalogueType =
        MakeRadioGroup(GroupBox100, "RadioGroup_uAnalogueType", "TÍPUS", kSignalTypeOptions, 1, 0);
    CheckBox_bEnableAnalogueError = new QCheckBox(QString::fromUtf8("Hibajelzés bekapcsolva"), GroupBox100);
    CheckBox_bEnableAnalogueError->setObjectName("CheckBox_bEnableAnalogueError");
    CheckBox_bAnalogueErrorHigh = new QCheckBox(QString::fromUtf8("Magas szint jelzi a hibát"), GroupBox100);
    CheckBox_bAnalogueErrorHigh->setObjectName("CheckBox_bAnalogueErrorHigh");

    GroupBox_ScaleAnalogOutput = MakeGroup(GroupBox100, "GroupBox_ScaleAnalogOutput", "ANALÓG KIMENET SKÁLÁZÁSA");
    auto* scale = new QGridLayout(GroupBox_ScaleAnalogOutput);
    auto twoLines = [this](const char* n1, const char* t1, const char* n2, const char* t2, QLabel*& a, QLabel*& b) {
        a = MakeLabel(GroupBox_ScaleAnalogOutput, n1, t1);
        b = MakeLabel(GroupBox_ScaleAnalogOutput, n2, t2);
        auto* box = new QWidget(GroupBox_ScaleAnalogOutput);
        auto* v = new QVBoxLayout(box);
        v->setContentsMargins(0, 0, 0, 0);
        v->addWidget(a);
        v->addWidget(b);
        return box;
    };
    QWidget* lowCaption =
        twoLines("Label36", "Alsó értékhez tartozó", "Label1", "skálázott bemenő jel:", Label36, Label1);
    QWidget* highCaption =
        twoLines("Label2", "Felső értékhez tartozó", "Label3", "skálázott bemenő jel:", Label2, Label3);
    Label_iScaleLowSettings = MakeValueLabel(GroupBox_ScaleAnalogOutput, "Label_iScaleLowSettings");
    Label_iScaleHighSettings = MakeValueLabel(GroupBox_ScaleAnalogOutput, "Label_iScaleHighSettings");
    Button_ScaleLowSettings = MakeButton(GroupBox_ScaleAnalogOutput, "Button_ScaleLowSettings", "Módosítás");
    Button_ScaleHighSettings = MakeButton(GroupBox_ScaleAnalogOutput, "Button_ScaleHighSettings", "Módosítás");
    AddScaleRow(scale, 0, lowCaption, Label_iScaleLowSettings, Button_ScaleLowSettings);
    AddScaleRow(scale, 1, highCaption, Label_iScaleHighSettings, Button_ScaleHighSettings);

    RadioGroup_PXAO_SourceInput =
        MakeRadioGroup(GroupBox100, "RadioGroup_PXAO_SourceInput", "BEMENŐ JEL FORRÁSA", kSourceValueOptions, 2, 0);
    RadioGroup_PXAO_SourceInput->hide();

    grid->addWidget(RadioGroup_uAnalogueType, 0, 0, 3, 1);
    grid->addWidget(CheckBox_bEnableAnalogueError, 0, 1);
    grid->addWidget(CheckBox_bAnalogueErrorHigh, 1, 1);
    grid->addWidget(GroupBox_ScaleAnalogOutput, 2, 1);
    grid->addWidget(RadioGroup_PXAO_SourceInput, 3, 0, 1, 2);
    Body()->addWidget(Shape1);

    connect(Button_ScaleLowSettings, &QPushButton::clicked, this, &TForm_PXAO::Button_ScaleLowSettingsClick);
    connect(Button_ScaleHighSettings, &QPushButton::clicked, this, &TForm_PXAO::Button_ScaleHighSettingsClick);
    connect(&Values(), &InstrumentValues::writeAsked, this, &TForm_PXAO::SpeedButton_WriteToDeviceClick);
    RegisterSlotCommands(
        {{kReadAnalogOutput1, kReadAnalogOutput2}, kAnalogOutputDefaults, {kWriteAnalogOutput1, kWriteAnalogOutput2}},
        [this](bool secondSlot) { DecodeSettings(secondSlot); }, [this](bool secondSlot) { BuildWrite(secondSlot); });
    ctx.valueDestinations.Register(
        3, [this](int32_t v) { iScaleLowSettings = v; }, [this] { RefreshPXAOValues(); });
    ctx.valueDestinations.Register(
        4, [this](int32_t v) { iScaleHighSettings = v; }, [this] { RefreshPXAOValues(); });
}

std::optional<TForm_PXAO::FirstOutput> TForm_PXAO::HeldFirstOutput() const {
    if (!HoldsInstrumentValues()) return std::nullopt;
    return FirstOutput{uint8_t(RadioGroup_uAnalogueType->ItemIndex()), iScaleLowSettings, iScaleHighSettings,
                       CheckBox_bAnalogueErrorHigh->isChecked(), !CheckBox_bEnableAnalogueError->isChecked()};
}

bool TForm_PXAO::HoldsInstrumentValues() const { return Values().Holds(SlotPart(false)); }

void TForm_PXAO::showEvent(QShowEvent* event) {
    // With a Modbus module as input the output follows a received value,
    // which has no scale of its own here.
    GroupBox_ScaleAnalogOutput->setVisible(ctx_.recRX.uPXOptIn != 8);
    ModuleDialog::showEvent(event);
}

void TForm_PXAO::RefreshPXAOValues() {
    Label_iScaleLowSettings->setText(ScaledText(iScaleLowSettings));
    Label_iScaleHighSettings->setText(ScaledText(iScaleHighSettings));
}

void TForm_PXAO::DecodeSettings(bool secondSlot) {
    const AnalogOutputBlock b = ReadAnswer(ctx_.transfer, AnalogOutputLayout<TransferReader>);
    Store(b, FieldsOf(ctx_.recRX, secondSlot));
    RadioGroup_uAnalogueType->SetItemIndex(b.type);
    iScaleLowSettings = b.scaleLow;
    iScaleHighSettings = b.scaleHigh;
    RefreshPXAOValues();
    CheckBox_bAnalogueErrorHigh->setChecked(b.errorHigh);
    CheckBox_bEnableAnalogueError->setChecked(!b.errorDisabled);
    RadioGroup_PXAO_SourceInput->SetItemIndex(int(b.source) - 1);
}

void TForm_PXAO::BuildWrite(bool secondSlot) {
    const int source = RadioGroup_PXAO_SourceInput->ItemIndex();
    AnalogOutputBlock b{uint8_t(RadioGroup_uAnalogueType->ItemIndex()),
                        iScaleLowSettings,
                        iScaleHighSettings,
                        CheckBox_bAnalogueErrorHigh->isChecked(),
                        !CheckBox_bEnableAnalogueError->isChecked(),
                        uint8_t(source < 0 ? 0 : source + 1)};
    Store(b, FieldsOf(ctx_.recTX, secondSlot));
    TransferWriter out(ctx_.transfer);
    AnalogOutputLayout(out, b);
}

void TForm_PXAO::SpeedButton_WriteToDeviceClick() {
    // These ranges start at zero: only a high level can tell an error.
    const int type = RadioGroup_uAnalogueType->ItemIndex();
    if (type >= 1 && type <= 3) CheckBox_bAnalogueErrorHigh->setChecked(true);
}

void TForm_PXAO::Button_ScaleLowSettingsClick() {
    OpenTypedEditor(*ctx_.typedEditor, ctx_.window, 3, QString::fromUtf8("PXAO skála alsó számérték beállítása"),
                    kAnalogOutputScaleLow, ctx_.recRX.uDecimalPoint, iScaleLowSettings);
}

void TForm_PXAO::Button_ScaleHighSettingsClick() {
    OpenTypedEditor(*ctx_.typedEditor, ctx_.window, 4, QString::fromUtf8("PXAO skála felső számérték beállítása"),
                    kAnalogOutputScaleHigh, ctx_.recRX.uDecimalPoint, iScaleHighSettings);
}

}  // namespace velmar
