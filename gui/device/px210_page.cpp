#include "gui/device/px210_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/link/payload_io.h"
#include "core/views/display_refresh.h"
#include "core/views/px210_codec.h"
#include "gui/link/instrument_context.h"
#include "gui/link/instrument_values.h"
#include "gui/views/indicator_controls.h"
#include "gui/views/module_controls.h"
#include "gui/views/radio_group.h"
#include "gui/views/value_editor_open.h"

namespace velmar {

namespace {
constexpr int kScaleLowIdentifier = 18, kScaleHighIdentifier = 19;

template <std::size_t N>
RadioGroup* MakeChoice(QWidget* parent, const char* name, const char* caption, const std::array<const char*, N>& items,
                       int defaultItem) {
    QStringList texts;
    for (const char* i : items) texts << QString::fromUtf8(i);
    auto* g = new RadioGroup(QString::fromUtf8(caption), texts, 1, parent);
    g->setObjectName(name);
    g->SetItemIndex(defaultItem);
    return g;
}
}  // namespace

PX210Page::PX210Page(InstrumentContext& ctx, QWidget* tab) : QWidget(tab), ctx_(ctx) {
    setObjectName("PX210Page");
    values = new InstrumentValues(ctx, this);
    auto* tabLayout = new QVBoxLayout(tab);
    tabLayout->setContentsMargins(0, 0, 0, 0);
    tabLayout->addWidget(this);

    BuildSettingsGroup();
    tests = new DisplayTestGroup("_PX210", "_PX210", false, this);
    auto* row = new QHBoxLayout(this);
    row->addWidget(GroupBox_Beallitasok_PX210, 0, Qt::AlignTop);
    row->addWidget(tests, 0, Qt::AlignTop);
    row->addStretch(1);
    ConnectControls();

    ctx.commands.SetDecoder(kReadPX210, [this] { DecodeSettings(SpeedButton_ReadFromDevice_PX210); });
    ctx.commands.SetDecoder(kPX210Defaults, [this] { DecodeSettings(SpeedButton_ReadDefault_PX210); });
    ctx.commands.SetDecoder(kWritePX210, [this] { WriteAnswered(); });
    ctx.commands.SetBuilder(kWritePX210, [this] { BuildWrite(); });
    ctx.valueDestinations.Register(
        kScaleLowIdentifier, [this](int32_t v) { ctx_.recRX.iScaleLowSettings = v; }, [this] { ShowScales(); });
    ctx.valueDestinations.Register(
        kScaleHighIdentifier, [this](int32_t v) { ctx_.recRX.iScaleHighSettings = v; }, [this] { ShowScales(); });
}

void PX210Page::BuildSettingsGroup() {
    GroupBox_Beallitasok_PX210 = MakeGroup(this, "GroupBox_Beallitasok_PX210", "BEÁLLÍTÁSOK");
    QGroupBox* box = GroupBox_Beallitasok_PX210;
    auto* grid = new QGridLayout(box);
    RadioGroup_DisplayRefresh_PX210 = MakeChoice(box, "RadioGroup_DisplayRefresh_PX210", "MÉRÉSI IDŐ",
                                                 kPX210MeasuringTimeItems, kPX210MeasuringTimeDefaultItem);
    RadioGroup_uDecimalPointSettings_PX210 =
        MakeRadioGroup(box, "RadioGroup_uDecimalPointSettings_PX210", "TIZEDESJEGYEK", {"0", "1", "2", "3", "4"}, 1, 2);
    RadioGroup_uCounterForDisplayRefresh_PX210 =
        MakeChoice(box, "RadioGroup_uCounterForDisplayRefresh_PX210", "KIJELZŐ FRISSÍTÉS", kDisplayRefreshItems,
                   kDisplayRefreshDefaultItem);

    GroupBox_Skalazas_PX210 = MakeGroup(box, "GroupBox_Skalazas_PX210", "BEMENŐ JEL SKÁLÁZÁSA");
    auto* scale = new QGridLayout(GroupBox_Skalazas_PX210);
    QWidget* s = GroupBox_Skalazas_PX210;
    Label_iScaleLowSettings_PX210 = MakeValueLabel(s, "Label_iScaleLowSettings_PX210");
    Button_ScaleLowSettings_PX210 = MakeButton(s, "Button_ScaleLowSettings_PX210", "Módosítás");
    Label_iScaleHighSettings_PX210 = MakeValueLabel(s, "Label_iScaleHighSettings_PX210");
    Button_ScaleHighSettings_PX210 = MakeButton(s, "Button_ScaleHighSettings_PX210", "Módosítás");
    AddScaleRow(scale, 0, MakeLabel(s, "Label_ScaleLow_PX210", "Skála alsó számérték:"), Label_iScaleLowSettings_PX210,
                Button_ScaleLowSettings_PX210);
    AddScaleRow(scale, 1, MakeLabel(s, "Label_ScaleHigh_PX210", "Skála felső számérték:"),
                Label_iScaleHighSettings_PX210, Button_ScaleHighSettings_PX210);

    CheckBox_DisplayLeaderZeros_PX210 = new QCheckBox(QString::fromUtf8("Vezető nullák kijelzése"), box);
    CheckBox_DisplayLeaderZeros_PX210->setObjectName("CheckBox_DisplayLeaderZeros_PX210");
    CheckBox_DisplayLeaderZeros_PX210->setChecked(true);
    Button_ChangePassword_PX210 = MakeButton(box, "Button_ChangePassword_PX210", "Jelszó módosítása");
    auto* side = new QVBoxLayout;
    side->addWidget(CheckBox_DisplayLeaderZeros_PX210);
    side->addWidget(Button_ChangePassword_PX210);
    side->addStretch(1);

    auto* requests = new QHBoxLayout;
    const RequestButtons r = values->MakeRequests(box, requests, "_PX210");
    SpeedButton_ReadFromDevice_PX210 = r.read;
    SpeedButton_ReadDefault_PX210 = r.defaults;
    SpeedButton_WriteToDevice_PX210 = r.write;
    values->WatchEdits(box);

    grid->addWidget(RadioGroup_DisplayRefresh_PX210, 0, 0);
    grid->addWidget(RadioGroup_uDecimalPointSettings_PX210, 0, 1);
    grid->addWidget(RadioGroup_uCounterForDisplayRefresh_PX210, 0, 2);
    grid->addWidget(GroupBox_Skalazas_PX210, 1, 0, 1, 2);
    grid->addLayout(side, 1, 2);
    grid->addWidget(values->MakeNote(box, "_PX210"), 2, 0, 1, 3);
    grid->addWidget(values->MakeWriteState(box, "_PX210"), 3, 0, 1, 3);
    grid->addLayout(requests, 4, 0, 1, 3);
}

void PX210Page::ConnectControls() {
    // Only the user's click: the answers select items without touching
    // the decimals the instrument reported.
    for (int i = 0; i < RadioGroup_uDecimalPointSettings_PX210->Count(); ++i)
        connect(RadioGroup_uDecimalPointSettings_PX210->Item(i), &QRadioButton::clicked, this,
                &PX210Page::RadioGroup_uDecimalPointSettings_PX210Click);
    connect(Button_ScaleLowSettings_PX210, &QPushButton::clicked, this, &PX210Page::Button_ScaleLowSettings_PX210Click);
    connect(Button_ScaleHighSettings_PX210, &QPushButton::clicked, this,
            &PX210Page::Button_ScaleHighSettings_PX210Click);
}

void PX210Page::SetDecimalMask_PX210(int decimals) {
    if (decimals < 0 || decimals >= int(kPX210DecimalFormats.size())) return;
    ctx_.recRX.sDecimalMask = kPX210DecimalFormats[std::size_t(decimals)].mask;
    ctx_.recRX.fDivider = kPX210DecimalFormats[std::size_t(decimals)].divider;
}

void PX210Page::RxToObjects_PX210() {
    const tRX& rx = ctx_.recRX;
    CheckBox_DisplayLeaderZeros_PX210->setChecked(rx.bLeaderZeros);
    RadioGroup_uCounterForDisplayRefresh_PX210->SetItemIndex(DisplayRefreshIndexOf(rx.uCounterForDisplayRefresh));
    RadioGroup_DisplayRefresh_PX210->SetItemIndex(rx.uAverageIndex);
    RadioGroup_uDecimalPointSettings_PX210->SetItemIndex(rx.uDecimalPointSettings);
    ShowScales();
}

void PX210Page::ShowScales() {
    const tRX& rx = ctx_.recRX;
    // The decimals shown, not those reported: a count beyond 4 shows as 4.
    SetDecimalMask_PX210(RadioGroup_uDecimalPointSettings_PX210->ItemIndex());
    const auto scaled = [&](int32_t v) { return ctx_.FormatNumber(v / double(rx.fDivider), rx.sDecimalMask); };
    Label_iScaleLowSettings_PX210->setText(scaled(rx.iScaleLowSettings));
    Label_iScaleHighSettings_PX210->setText(scaled(rx.iScaleHighSettings));
}

void PX210Page::RadioGroup_uDecimalPointSettings_PX210Click() {
    ctx_.recRX.uDecimalPointSettings = uint8_t(RadioGroup_uDecimalPointSettings_PX210->ItemIndex());
    // Only the scales change with the decimals: the other choices on the
    // page are the user's until written.
    ShowScales();
}

void PX210Page::DecodeSettings(QAbstractButton* requester) {
    requester->setChecked(false);
    const PX210Block b = ReadAnswer(ctx_.transfer, PX210Layout<TransferReader>);
    tRX& rx = ctx_.recRX;
    rx.bLeaderZeros = b.leadingZeros;
    rx.uCounterForDisplayRefresh = b.displayRefresh;
    rx.uAverageIndex = uint8_t(PX210MeasuringTimeIndexOf(b.measuringTime));
    rx.uDecimalPointSettings = b.decimals;
    rx.iScaleLowSettings = b.scaleLow;
    rx.iScaleHighSettings = b.scaleHigh;
    rx.uRoundSettings = b.rounding;  // kept, not offered on the page
    RxToObjects_PX210();
    values->Taken();
}

void PX210Page::BuildWrite() {
    tTX& tx = ctx_.recTX;
    const tRX& rx = ctx_.recRX;
    tx.bLeaderZeros = CheckBox_DisplayLeaderZeros_PX210->isChecked();
    tx.uCounterForDisplayRefresh = DisplayRefreshCodeOf(RadioGroup_uCounterForDisplayRefresh_PX210->ItemIndex());
    tx.uAverage = PX210MeasuringTimeCodeOf(RadioGroup_DisplayRefresh_PX210->ItemIndex());
    tx.uDecimalPointSettings = uint8_t(RadioGroup_uDecimalPointSettings_PX210->ItemIndex());
    tx.iScaleLowSettings = rx.iScaleLowSettings;
    tx.iScaleHighSettings = rx.iScaleHighSettings;
    // Whatever the instrument reported, the page writes the finest rounding.
    tx.uRoundSettings = 1;
    PX210Block b{tx.bLeaderZeros,      tx.uCounterForDisplayRefresh, tx.uAverage,      tx.uDecimalPointSettings,
                 tx.iScaleLowSettings, tx.iScaleHighSettings,        tx.uRoundSettings};
    TransferWriter out(ctx_.transfer);
    PX210Layout(out, b);
}

void PX210Page::WriteAnswered() {
    SpeedButton_WriteToDevice_PX210->setChecked(false);
    SpeedButton_ReadFromDevice_PX210->setChecked(true);
}

void PX210Page::OpenScaleEditor(int identifier, const char* caption, int32_t value) {
    if (!ctx_.digitEditor) return;
    // The scale ends as far as the four-digit display reaches.
    OpenDigitEditor(*ctx_.digitEditor, ctx_.window, identifier, QString::fromUtf8(caption),
                    identifier == kScaleLowIdentifier ? kPX210ScaleLow : kPX210ScaleHigh,
                    RadioGroup_uDecimalPointSettings_PX210->ItemIndex(), value);
}

void PX210Page::Button_ScaleLowSettings_PX210Click() {
    OpenScaleEditor(kScaleLowIdentifier, "4 mA-hez tartozó, skála számérték beállítása", ctx_.recRX.iScaleLowSettings);
}

void PX210Page::Button_ScaleHighSettings_PX210Click() {
    OpenScaleEditor(kScaleHighIdentifier, "20 mA-hez tartozó, skála számérték beállítása",
                    ctx_.recRX.iScaleHighSettings);
}

}  // namespace velmar
