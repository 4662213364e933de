#include "gui/modules/analog_input_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/link/payload_io.h"
#include "core/modules/analog_input_codec.h"
#include "gui/link/instrument_context.h"
#include "gui/link/instrument_values.h"
#include "gui/views/module_controls.h"
#include "gui/views/radio_group.h"
#include "gui/views/value_editor_open.h"

namespace velmar {

TForm_PXAI::TForm_PXAI(InstrumentContext& ctx)
    : ModuleDialog(ctx, "Form_PXAI", "PXAI", QString::fromUtf8("Gyári alapértékek")) {
    GroupBox9 = MakeGroup(this, "GroupBox9", "BEMENET TÍPUSA ÉS SKÁLÁZÁSA");
    auto* grid = new QGridLayout(GroupBox9);
    RadioGroup_uInputTypeSettings =
        MakeRadioGroup(GroupBox9, "RadioGroup_uInputTypeSettings", "TÍPUS", kSignalTypeOptions, 1, 0);
    RadioGroup_uDecimalPointSettings =
        MakeRadioGroup(GroupBox9, "RadioGroup_uDecimalPointSettings", "TIZEDESJEGYEK", {"0", "1", "2", "3", "4"}, 1, 2);
    RadioGroup_DisplayRefresh =
        MakeRadioGroup(GroupBox9, "RadioGroup_DisplayRefresh", "MÉRÉSI IDŐ (ms)", kMeasuringTimeOptions, 6, 3);
    GroupBox1 = MakeGroup(GroupBox9, "GroupBox1", "BEMENŐ JEL SKÁLÁZÁSA");
    auto* scale = new QGridLayout(GroupBox1);
    Label36 = MakeLabel(GroupBox1, "Label36", "Skála alsó számérték:");
    Label_iScaleLowSettings = MakeValueLabel(GroupBox1, "Label_iScaleLowSettings");
    Button_ScaleLowSettings = MakeButton(GroupBox1, "Button_ScaleLowSettings", "Módosítás");
    Label37 = MakeLabel(GroupBox1, "Label37", "Skála felső számérték:");
    Label_iScaleHighSettings = MakeValueLabel(GroupBox1, "Label_iScaleHighSettings");
    Button_ScaleHighSettings = MakeButton(GroupBox1, "Button_ScaleHighSettings", "Módosítás");
    AddScaleRow(scale, 0, Label36, Label_iScaleLowSettings, Button_ScaleLowSettings);
    AddScaleRow(scale, 1, Label37, Label_iScaleHighSettings, Button_ScaleHighSettings);
    grid->addWidget(RadioGroup_uInputTypeSettings, 0, 0);
    grid->addWidget(RadioGroup_uDecimalPointSettings, 0, 1);
    grid->addWidget(GroupBox1, 0, 2);
    grid->addWidget(RadioGroup_DisplayRefresh, 1, 0, 1, 3);
    Body()->addWidget(GroupBox9);

    connect(Button_ScaleLowSettings, &QPushButton::clicked, this, &TForm_PXAI::Button_ScaleLowSettingsClick);
    connect(Button_ScaleHighSettings, &QPushButton::clicked, this, &TForm_PXAI::Button_ScaleHighSettingsClick);

    ctx.commands.SetDecoder(kReadAnalogInput, [this] { DecodeSettings(SpeedButton_ReadFromDevice); });
    ctx.commands.SetDecoder(kAnalogInputDefaults, [this] { DecodeSettings(SpeedButton_ReadDefault); });
    ctx.commands.SetDecoder(kWriteAnalogInput, [this] { WriteAnswered(); });
    ctx.commands.SetBuilder(kWriteAnalogInput, [this] { BuildWrite(); });
    ctx.valueDestinations.Register(
        1, [this](int32_t v) { iScaleLowSettings = v; }, [this] { RefreshPXAIValues(); });
    ctx.valueDestinations.Register(
        2, [this](int32_t v) { iScaleHighSettings = v; }, [this] { RefreshPXAIValues(); });
}

void TForm_PXAI::RefreshPXAIValues() {
    Label_iScaleLowSettings->setText(ScaledText(iScaleLowSettings));
    Label_iScaleHighSettings->setText(ScaledText(iScaleHighSettings));
}

void TForm_PXAI::DecodeSettings(QPushButton* requester) {
    requester->setChecked(false);
    const AnalogInputBlock b = ReadAnswer(ctx_.transfer, AnalogInputLayout<TransferReader>);
    tRX& rx = ctx_.recRX;
    rx.uAverageIndex = uint8_t(AverageIndexOf(b.averageCount));
    rx.uInputTypeSettings = b.inputType;
    rx.uDecimalPointSettings = b.decimals;
    rx.iScaleLowSettings = b.scaleLow;
    rx.iScaleHighSettings = b.scaleHigh;
    rx.uRoundSettings = b.rounding;
    RadioGroup_DisplayRefresh->SetItemIndex(rx.uAverageIndex);
    RadioGroup_uInputTypeSettings->SetItemIndex(rx.uInputTypeSettings);
    RadioGroup_uDecimalPointSettings->SetItemIndex(rx.uDecimalPointSettings);
    // The scale is shown with the module's decimals until the next status answer.
    SetDecimalMask(rx, rx.uDecimalPointSettings);
    iScaleLowSettings = rx.iScaleLowSettings;
    iScaleHighSettings = rx.iScaleHighSettings;
    RefreshPXAIValues();
    Values().Taken();
}

void TForm_PXAI::BuildWrite() {
    tTX& tx = ctx_.recTX;
    tx.uAverage = AverageCountOf(RadioGroup_DisplayRefresh->ItemIndex());
    tx.uInputTypeSettings = uint8_t(RadioGroup_uInputTypeSettings->ItemIndex());
    tx.uDecimalPointSettings = uint8_t(RadioGroup_uDecimalPointSettings->ItemIndex());
    tx.iScaleLowSettings = iScaleLowSettings;
    tx.iScaleHighSettings = iScaleHighSettings;
    tx.uRoundSettings = 1;
    AnalogInputBlock b{tx.uAverage,          tx.uInputTypeSettings, tx.uDecimalPointSettings,
                       tx.iScaleLowSettings, tx.iScaleHighSettings, tx.uRoundSettings};
    TransferWriter out(ctx_.transfer);
    AnalogInputLayout(out, b);
}

void TForm_PXAI::Button_ScaleLowSettingsClick() {
    OpenTypedEditor(*ctx_.typedEditor, ctx_.window, 1, QString::fromUtf8("PXAI skála alsó számérték beállítása"),
                    kAnalogInputScaleLow, ctx_.recRX.uDecimalPoint, iScaleLowSettings);
}

void TForm_PXAI::Button_ScaleHighSettingsClick() {
    OpenTypedEditor(*ctx_.typedEditor, ctx_.window, 2, QString::fromUtf8("PXAI skála felső számérték beállítása"),
                    kAnalogInputScaleHigh, ctx_.recRX.uDecimalPoint, iScaleHighSettings);
}

}  // namespace velmar
