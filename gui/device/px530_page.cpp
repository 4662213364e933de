#include "gui/device/px530_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

#include "core/device/device_types.h"
#include "core/device/number_mask.h"
#include "core/link/payload_io.h"
#include "core/views/display_codec.h"
#include "core/views/display_refresh.h"
#include "gui/link/instrument_context.h"
#include "gui/link/instrument_values.h"
#include "gui/views/indicator_controls.h"
#include "gui/views/module_controls.h"
#include "gui/views/radio_group.h"
#include "gui/views/widget_updates.h"

namespace velmar {

namespace {
constexpr uint8_t kTimerInput = 7;  // counts time, so it has no display settings of its own

}  // namespace

PX530Page::PX530Page(InstrumentContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName("PX530Page");
    values = new InstrumentValues(ctx, this);
    BuildDisplayGroup();
    BuildTestGroup();
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(GroupBox_Display);
    row->addWidget(GroupBox_Tests);
    row->addStretch(1);

    CommandRegistry& c = ctx.commands;
    c.SetDecoder(kReadDisplay, [this] { DecodeSettings(SpeedButton_ReadFromDevice_PX530); });
    c.SetDecoder(kDisplayDefaults, [this] { DecodeSettings(SpeedButton_ReadDefault_PX530); });
    c.SetDecoder(kWriteDisplay, [this] {
        SpeedButton_WriteToDevice_PX530->setChecked(false);
        SpeedButton_ReadFromDevice_PX530->setChecked(true);
    });
    c.SetBuilder(kWriteDisplay, [this] { BuildWrite(); });
}

void PX530Page::BuildDisplayGroup() {
    GroupBox_Display = MakeGroup(this, "GroupBox_Display_PX530", "KIJELZŐ BEÁLLÍTÁSAI");
    QWidget* g = GroupBox_Display;
    QLabel* brightness = MakeLabel(g, "Label_BrightnessCaption_PX530", "Kijelző fényerő:");
    TrackBar_Brightness_PX530 = new QSlider(Qt::Horizontal, g);
    TrackBar_Brightness_PX530->setObjectName("TrackBar_Brightness_PX530");
    TrackBar_Brightness_PX530->setRange(1, 10);
    TrackBar_Brightness_PX530->setPageStep(1);
    TrackBar_Brightness_PX530->setTickPosition(QSlider::TicksBelow);
    TrackBar_Brightness_PX530->setValue(5);
    Label_Brightness_PX530 = MakeLabel(g, "Label_Brightness_PX530", "100%");
    FixTextSize(Label_Brightness_PX530, "100%");
    CheckBox_DisplayLeaderZeros_PX530 = new QCheckBox(QString::fromUtf8("Vezető nullák kijelzése"), g);
    CheckBox_DisplayLeaderZeros_PX530->setObjectName("CheckBox_DisplayLeaderZeros_PX530");
    CheckBox_DisplayLeaderZeros_PX530->setChecked(true);
    QStringList refresh;
    for (const char* item : kDisplayRefreshItems) refresh << QString::fromUtf8(item);
    RadioGroup_uCounterForDisplayRefresh = new RadioGroup(QString::fromUtf8("KIJELZŐ FRISSÍTÉS"), refresh, 2, g);
    RadioGroup_uCounterForDisplayRefresh->setObjectName("RadioGroup_uCounterForDisplayRefresh");
    RadioGroup_uCounterForDisplayRefresh->SetItemIndex(kDisplayRefreshDefaultItem);
    Button1 = MakeButton(g, "Button1", "Jelszó módosítása");

    auto* grid = new QGridLayout(g);
    grid->addWidget(brightness, 0, 0);
    grid->addWidget(TrackBar_Brightness_PX530, 0, 1);
    grid->addWidget(Label_Brightness_PX530, 0, 2);
    grid->addWidget(CheckBox_DisplayLeaderZeros_PX530, 1, 0, 1, 3);
    grid->addWidget(RadioGroup_uCounterForDisplayRefresh, 2, 0, 1, 3);
    grid->addWidget(Button1, 3, 0, 1, 3);
    auto* requests = new QHBoxLayout;
    const RequestButtons r = values->MakeRequests(g, requests, "_PX530");
    SpeedButton_ReadFromDevice_PX530 = r.read;
    SpeedButton_ReadDefault_PX530 = r.defaults;
    SpeedButton_WriteToDevice_PX530 = r.write;
    values->WatchEdits(g);
    grid->addWidget(values->MakeNote(g, "_PX530"), 4, 0, 1, 3);
    grid->addWidget(values->MakeWriteState(g, "_PX530"), 5, 0, 1, 3);
    grid->addLayout(requests, 6, 0, 1, 3);

    connect(TrackBar_Brightness_PX530, &QSlider::valueChanged, this, &PX530Page::TrackBar_Brightness_PX530Change);
}

void PX530Page::BuildTestGroup() {
    auto* tests = new DisplayTestGroup("_PX530", "", true, this);
    GroupBox_Tests = tests;
    CheckBox_KijelzoTeszt_PX530 = tests->CheckBox_KijelzoTeszt;
    Label_KijelzoTeszt_PX530 = tests->Label_KijelzoTeszt;
    Button_KijelzoTeszt_PX530_1 = tests->Button_KijelzoTeszt_1;
    Button_KijelzoTeszt_PX530_Minus = tests->Button_KijelzoTeszt_Minus;
    Button_KijelzoTeszt_PX530_Plus = tests->Button_KijelzoTeszt_Plus;
    Button_KijelzoTeszt_PX530_16 = tests->Button_KijelzoTeszt_16;
    Label_SWLeft = tests->Label_SWLeft;
    Label_SWUp = tests->Label_SWUp;
    Label_SWRight = tests->Label_SWRight;
    connect(tests, &DisplayTestGroup::patternChosen, this, &PX530Page::SetDisplayTestPattern);
    connect(tests, &DisplayTestGroup::patternStepped, this,
            [this](int step) { SetDisplayTestPattern(ctx_.recGlobalVar.uKijelzoTeszt_PX530 + step); });
    connect(CheckBox_KijelzoTeszt_PX530, &QCheckBox::clicked, this, &PX530Page::ShowDisplayTestPattern);
}

void PX530Page::TrackBar_Brightness_PX530Change() {
    Label_Brightness_PX530->setText(QString::number(TrackBar_Brightness_PX530->value() * 10) + "%");
}

void PX530Page::ShowDisplayTestPattern() {
    Label_KijelzoTeszt_PX530->setText(QString::number(ctx_.recGlobalVar.uKijelzoTeszt_PX530));
}

void PX530Page::SetDisplayTestPattern(int pattern) {
    ctx_.recGlobalVar.uKijelzoTeszt_PX530 = uint8_t(std::clamp(pattern, 1, 21));
    ShowDisplayTestPattern();
}

void PX530Page::EnterPage() {
    SetDisplayTestPattern(1);
    CheckBox_KijelzoTeszt_PX530->setChecked(false);
    SpeedButton_ReadFromDevice_PX530->setChecked(true);
}

uint8_t PX530Page::TestForce(bool inFront) const {
    return inFront && CheckBox_KijelzoTeszt_PX530->isChecked() ? ctx_.recGlobalVar.uKijelzoTeszt_PX530 : 0;
}

void PX530Page::ShowStatus() {
    const uint8_t pressed = ctx_.recRX.uDebounced;
    SetShown(Label_SWRight, pressed & 0x01);
    SetShown(Label_SWUp, pressed & 0x02);
    SetShown(Label_SWLeft, pressed & 0x04);
    const bool settings = ctx_.recRX.uPXOptIn != kTimerInput;
    SetShown(CheckBox_DisplayLeaderZeros_PX530, settings);
    SetShown(RadioGroup_uCounterForDisplayRefresh, settings);
}

void PX530Page::DecodeSettings(QPushButton* requester) {
    requester->setChecked(false);
    const DisplayBlock b = ReadAnswer(ctx_.transfer, DisplayLayout<TransferReader>);
    tRX& rx = ctx_.recRX;
    rx.uBrightness = b.brightness;
    rx.bLeaderZeros = b.leadingZeros;
    rx.uCounterForDisplayRefresh = b.refresh;
    // The slider keeps the step within 1..10; the label follows even when
    // the step stays the same.
    TrackBar_Brightness_PX530->setValue(int(RoundHalfEven(b.brightness / 10.0)));
    TrackBar_Brightness_PX530Change();
    CheckBox_DisplayLeaderZeros_PX530->setChecked(b.leadingZeros);
    RadioGroup_uCounterForDisplayRefresh->SetItemIndex(DisplayRefreshIndexOf(b.refresh));
    values->Taken();
}

void PX530Page::BuildWrite() {
    DisplayBlock b{uint8_t(TrackBar_Brightness_PX530->value() * 10), CheckBox_DisplayLeaderZeros_PX530->isChecked(),
                   DisplayRefreshCodeOf(RadioGroup_uCounterForDisplayRefresh->ItemIndex())};
    tTX& tx = ctx_.recTX;
    tx.uBrightness = b.brightness;
    tx.bLeaderZeros = b.leadingZeros;
    tx.uCounterForDisplayRefresh = b.refresh;
    TransferWriter out(ctx_.transfer);
    DisplayLayout(out, b);
}

}  // namespace velmar
