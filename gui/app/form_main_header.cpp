// The header page's live part, refreshed by every status answer; and the
// limit output lamps of the device pages.

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTime>
#include <QVBoxLayout>

#include "core/device/number_mask.h"
#include "core/device/status_texts.h"
#include "gui/app/form_main.h"
#include "gui/device/errors_dialog.h"
#include "gui/device/header_page.h"
#include "gui/device/service_requests.h"
#include "gui/link/monitor_page.h"
#include "gui/modules/module_tabs.h"
#include "gui/views/bar_graph.h"
#include "gui/views/label_colors.h"
#include "gui/views/lamp.h"
#include "gui/views/widget_updates.h"
#include "gui/views/window_placement.h"

namespace velmar {

namespace {
const QColor kMoneyGreen{0xC0, 0xDC, 0xC0};
constexpr uint8_t kRestartCommand = 113;

TMBarGraph* MakeHeaderBar(QWidget* area, const char* name, const QColor& plusAt1, bool withHint, bool visible) {
    auto* bar = new TMBarGraph(area);
    bar->setObjectName(name);
    // As wide as its group, so that a small change still moves the bar.
    bar->setMinimumSize(105, 17);
    bar->setMaximumHeight(17);
    bar->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    bar->setMBGMode(TMBarGraph::modeUnsigned);
    bar->setMBGPlusColorAt1(plusAt1);
    bar->setMBGText("???%");
    if (withHint) bar->setToolTip(QString::fromUtf8("A bemenő jeltartomány"));
    if (auto* layout = area->layout()) layout->addWidget(bar);
    bar->setVisible(visible);
    return bar;
}

QString PercentText(float fraction) { return QString::number(qint64(RoundHalfEven(double(fraction) * 100.0))) + "%"; }
}  // namespace

void TForm1::BuildHeaderBars() {
    auto& ui = header->ui;
    MBarGraph_OutputPercent1 = MakeHeaderBar(ui.BarArea1, "MBarGraph_OutputPercent1", colors::kLime, true, true);
    MBarGraph_fPXAOKimenoErtek = MakeHeaderBar(ui.BarArea1, "MBarGraph_fPXAOKimenoErtek", kMoneyGreen, true, false);
    MBarGraph_OutputPercent2 = MakeHeaderBar(ui.BarArea2, "MBarGraph_OutputPercent2", colors::kLime, false, true);
    MBarGraph_fPXAOKimenoErtek_2 = MakeHeaderBar(ui.BarArea2, "MBarGraph_fPXAOKimenoErtek_2", kMoneyGreen, true, false);
}

void TForm1::RefreshOutputBar(TMBarGraph* bar, uint8_t module, float value, uint8_t analogueType) {
    SetShown(bar, module == 3);  // an analog output module
    if (module != 3) return;
    const bool voltage = analogueType > 1;
    bar->setMBGText(FormatNumber(value, "#0.000") + (voltage ? " V" : " mA"));
    bar->setMBGValue(value / (voltage ? 10.0 : 20.0));  // 10 V and 20 mA are full scale
}

void TForm1::RefreshHeader() {
    auto& ui = header->ui;
    const tRX& rx = recRX;
    header->serial.Show(
        ui.Label_KeszulekGyariSzam, uint64_t(rx.uDeviceID) << 16 | rx.uGyariSzamEv << 8 | rx.uGyariSzamHonap,
        [&rx](uint64_t) {
            return QString::fromStdString(SerialNumberText(rx.uDeviceID, rx.uGyariSzamEv, rx.uGyariSzamHonap));
        });
    if (Form_Errors) Form_Errors->ShowErrorBits(rx.uErrorBits);
    MBarGraph_OutputPercent1->setMBGValue(rx.fKimenetSzazalek);
    MBarGraph_OutputPercent1->setMBGText(PercentText(rx.fKimenetSzazalek));
    MBarGraph_OutputPercent2->setMBGValue(rx.fKimenetSzazalek_2);
    MBarGraph_OutputPercent2->setMBGText(PercentText(rx.fKimenetSzazalek_2));
    SetTextWhenChanged(ui.Label_fValue1,
                       FormatNumber(rx.iSkalazottKijezesiErtek / double(rx.fDivider), rx.sDecimalMask));

    QString caption1 = QString::fromUtf8("MÉRT ÉRTÉK 1"), caption2 = QString::fromUtf8("MÉRT ÉRTÉK 2");
    if (rx.uDevice == 310) caption1 = QString::fromUtf8("MÉRT ÉRTÉK");
    // Where the status answer does not tell the unit, the label keeps its text.
    if (const char* unit = MeasuredUnit(rx)) {
        shownUnit = QString::fromUtf8(unit);
        SetTextWhenChanged(ui.Label_Dimension1, shownUnit);
    }
    const bool modbusInput = rx.uPXOptIn == 8;
    if (modbusInput) {
        caption1 = QString::fromUtf8("MODBUS ÉRTÉK 1");
        caption2 = QString::fromUtf8("MODBUS ÉRTÉK 2");
        SetTextWhenChanged(ui.Label_Dimension2, rx.uAnalogueTypeFor101_2 > 1 ? "V" : "mA");
    }

    SetTextFlushLeft(ui.Label_uSecondsOfOperation, QString::fromStdString(FormatOperatingTime(rx.uSecondsOfOperation)));
    if (rx.uGlobalErrorCode != 0) {
        SetTextWhenChanged(ui.Label_uGlobalErrorCode, QString::number(rx.uGlobalErrorCode));
        SetTextColor(ui.Label_uGlobalErrorCode, colors::kRed);
    } else {
        SetTextWhenChanged(ui.Label_uGlobalErrorCode, "-");
        SetTextColor(ui.Label_uGlobalErrorCode, colors::WindowText());
    }
    RefreshOutputBar(MBarGraph_fPXAOKimenoErtek, rx.uPXOptOutPrimer, rx.fPXAOKimenoFizErtek, rx.uAnalogueTypeFor101);
    RefreshOutputBar(MBarGraph_fPXAOKimenoErtek_2, rx.uPXOptOutSecondary, rx.fPXAOKimenoFizErtek_2,
                     rx.uAnalogueTypeFor101_2);

    SetShown(ui.GroupBox_Value2, modbusInput);
    if (modbusInput) {
        recRX.sDecimalMask_2 = rx.sDecimalMask;
        recRX.fDivider_2 = rx.fDivider;
        SetTextWhenChanged(ui.Label_fValue2,
                           FormatNumber(rx.iSkalazottKijezesiErtek_2 / double(rx.fDivider_2), rx.sDecimalMask_2));
    }
    ui.GroupBox_Value1->setTitle(caption1);
    ui.GroupBox_Value2->setTitle(caption2);
}

void TForm1::RefreshLimitLamps() {
    // The lamps of limit outputs 1 and 2 on every device page that has them,
    // found once: this runs for every status answer.
    static const char* const kLamps[2][4] = {
        {"Shape_DigitalOut1_PX530", "Shape_DigitalOut1_PX330", "Shape_DigitalOut1_PX350", "Shape_DigitalOut1_PX370"},
        {"Shape_DigitalOut2_PX530", "Shape_DigitalOut2_PX330", "Shape_DigitalOut2_PX350", "Shape_DigitalOut2_PX370"}};
    if (limitLamps_.empty())
        for (int output = 0; output < 2; ++output)
            for (const char* name : kLamps[output])
                if (Lamp* lamp = moduleTabs->LampNamed(name)) limitLamps_.push_back({lamp, output});
    for (const auto& [lamp, output] : limitLamps_)
        (recRX.uLimit & (1 << output)) ? lamp->setBrushColor(colors::kLime) : lamp->switchOff();
}

void TForm1::ConnectHeaderButtons() {
    QPushButton* reset = header->ui.SpeedButton_Reset;
    connect(header->ui.Button_ErrorDetails, &QPushButton::clicked, this, &TForm1::Button_ErrorDetailsClick);
    // A restart stops the instrument's outputs for a while, so the user is asked first.
    AskBeforeSending(context_, reset,
                     QString::fromUtf8("Biztosan újraindítja a(z) %1 (%2) készüléket? "
                                       "A kimenetei az újraindulás alatt nem működnek."));
    // The answer carries nothing; it only ends the request.
    commands.SetDecoder(kRestartCommand, [reset] { reset->setChecked(false); });
    // An instrument that restarts before its answer leaves never answers:
    // asked again, each copy arriving after it is back would restart it once
    // more. So a restart goes out once per click, answered or not.
    // The note stays under the button, with its time, until the next
    // restart is asked for: while the instrument restarts the header may
    // show the no-connection page, and every frame rewrites the error labels.
    auto* note = new QLabel(header->ui.TabSheet_Header);
    note->setObjectName("Label_RestartUnanswered");
    note->setWordWrap(true);
    SetTextColor(note, colors::kRed);
    note->hide();
    header->ui.logoColumn->insertWidget(header->ui.logoColumn->indexOf(reset) + 1, note);
    connect(reset, &QPushButton::clicked, note, &QLabel::hide);
    commands.SetOnFailure(kRestartCommand, [this, reset, note] {
        reset->setChecked(false);
        const QString time = QTime::currentTime().toString("HH:mm:ss");
        note->setText(QString::fromUtf8("Újraindítás: nem jött válasz (%1)").arg(time));
        note->show();
        monitor->ui.Label_MBURxError->setText(
            QString::fromUtf8("Az újraindítási kérésre nem jött válasz (%1)").arg(time));
    });
}

void TForm1::Button_ErrorDetailsClick() {
    if (!Form_Errors) return;
    // Sized by its layout first, or the first show would be centred by the
    // size it has before it was ever shown.
    Form_Errors->adjustSize();
    PositionFormToCenterOfMainForm(Form_Errors, this);
    Form_Errors->show();
    Form_Errors->raise();
}

}  // namespace velmar
