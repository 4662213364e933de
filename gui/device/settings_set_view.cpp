#include "gui/device/settings_set_view.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <cmath>
#include <limits>

#include "core/device/number_mask.h"
#include "core/link/payload_io.h"
#include "core/modules/analog_input_codec.h"
#include "core/settings/settings_set_codec.h"
#include "gui/device/settings_pages.h"
#include "gui/link/instrument_context.h"
#include "gui/link/instrument_values.h"
#include "gui/views/decimal_input.h"
#include "gui/views/parse_integer_edit.h"
#include "gui/views/radio_group.h"
#include "gui/views/widget_updates.h"

namespace velmar {

namespace {
constexpr std::array<uint8_t, 3> kRoundingSteps{1, 2, 5};

// The four limit outputs' fields of either record, and the set's values in
// and out of them.
template <class Record>
void StoreLimits(const SettingsSet& s, Record& r) {
    struct Fields {
        uint8_t& mode;
        bool& hold;
        int32_t &a, &b, &hysteresis;
        uint16_t& timeBase;
        uint8_t& pulseWidth;
    };
    const std::array<Fields, kSettingsSetLimits> fields{{
        {r.enuLimitModeL1, r.bHoldL1, r.iLowLimitL1, r.iHighLimitL1, r.iHysteresisL1, r.uSecL1, r.uPulseSecL1},
        {r.enuLimitModeL2, r.bHoldL2, r.iLowLimitL2, r.iHighLimitL2, r.iHysteresisL2, r.uSecL2, r.uPulseSecL2},
        {r.enuLimitModeL3, r.bHoldL3, r.iLowLimitL3, r.iHighLimitL3, r.iHysteresisL3, r.uSecL3, r.uPulseSecL3},
        {r.enuLimitModeL4, r.bHoldL4, r.iLowLimitL4, r.iHighLimitL4, r.iHysteresisL4, r.uSecL4, r.uPulseSecL4},
    }};
    for (std::size_t i = 0; i < kSettingsSetLimits; ++i) {
        const Fields& f = fields[i];
        f.mode = s.limits[i].mode;
        f.hold = s.limits[i].hold;
        f.a = s.limits[i].a;
        f.b = s.limits[i].b;
        f.hysteresis = s.limits[i].hysteresis;
        f.timeBase = s.timeBase[i];
        f.pulseWidth = s.pulseWidth[i];
    }
}

// The set's fields that both records name alike; only the averaging differs
// (the transmit record keeps the count, the receive record its item).
template <class Record>
void StoreSettingsSet(const SettingsSet& s, Record& r) {
    r.uBrightness = s.brightness;
    r.uTagnameText = s.tagname;
    r.uDimensionText = s.dimension;
    r.bLeaderZeros = s.leadingZeros;
    r.uAnalogueType = s.analogueType;
    r.iAnalogueLow = s.analogueLow;
    r.iAnalogueHigh = s.analogueHigh;
    r.bAnalogueErrorHigh = s.analogueErrorHigh;
    r.enuBarGraphMode = s.barGraphMode;
    r.iBgLow = s.bgLow;
    r.iBgHigh = s.bgHigh;
    r.uInputTypeSettings = s.inputType;
    r.uDecimalPointSettings = s.decimals;
    r.uRoundSettings = s.rounding;
    r.iScaleLowSettings = s.scaleLow;
    r.iScaleHighSettings = s.scaleHigh;
    r.enuLimitDisplayMode = s.limitDisplayMode;
    r.uMODBUSProtocol = s.modbusProtocol;
    r.uMODBUSParity = s.modbusParity;
    r.uMODBUSBaudRate = s.modbusBaudRate;
    r.uMODBUSAddress = s.modbusAddress;
    r.bDisableAnalogueError = s.analogueErrorDisabled;
    r.uPtWires = s.ptWires;
    StoreLimits(s, r);
}

// Text typed for the display, as the instrument stores it; false with the
// reason when a character has no Latin-1 code.
bool EncodeText(const QLineEdit* edit, uint8_t* out, std::size_t size, std::string* error) {
    return EncodeDeviceText(edit->text().toStdU32String(), out, size, error);
}
}  // namespace

SettingsSetView::SettingsSetView(InstrumentContext& ctx, SettingsPage& settings, LimitOutputsPage& limits)
    : QObject(ctx.window), ctx_(ctx), settings_(settings), limits_(limits) {
    CommandRegistry& c = ctx.commands;
    c.SetDecoder(kReadSettingsSet, [this] { Decode(false); });
    c.SetDecoder(kSettingsSetDefaults, [this] { Decode(true); });
    c.SetDecoder(kWriteSettingsSet, [this] { WriteAnswered(); });
    c.SetBuilder(kWriteSettingsSet, [this] { Build(); });
    values_ = new InstrumentValues(ctx, this);
    for (QPushButton* write : {settings.SpeedButton_WriteSettings, limits.SpeedButton_WriteSettings2})
        values_->GuardWrite(write);
    for (QLabel* note : {settings.Label_ValuesOfAnotherInstrument, limits.Label_ValuesOfAnotherInstrument2})
        values_->AddNote(note);
    for (QPushButton* defaults : {settings.SpeedButton_ReadDefaultSettings, limits.SpeedButton_ReadDefaultSettings2})
        values_->WatchDefaults(defaults);
    // Below each page's request row and its note.
    const std::pair<QWidget*, const char*> pages[] = {{&settings, ""}, {&limits, "2"}};
    for (const auto& [page, suffix] : pages) {
        values_->WatchEdits(page);
        if (auto* column = qobject_cast<QBoxLayout*>(page->layout()))
            column->insertWidget(2, values_->MakeWriteState(page, suffix));
    }
    connect(values_, &InstrumentValues::writeAsked, this, &SettingsSetView::CheckWriteRequest);

    const auto separator = [&ctx] { return ctx.DecimalSeparator; };
    for (QLineEdit* e : settings.ScaledEdits()) TranslateDecimalKeys(e, separator);
    for (const LimitOutputControls& l : limits.limits)
        for (QLineEdit* e : {l.a, l.b, l.hysteresis}) TranslateDecimalKeys(e, separator);
}

int32_t SettingsSetView::ParseScaledEdit(QLineEdit* edit) {
    double typed = 0;
    if (!ParseDecimal(edit->text(), ctx_.DecimalSeparator, typed)) typed = 0;
    // The instrument's value is single precision before it is scaled.
    const double scaled = RoundHalfEven(double(float(typed)) * ctx_.recRX.fDivider);
    const int32_t value =
        int32_t(std::clamp<double>(scaled, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
    ShowScaled(edit, value);
    return value;
}

void SettingsSetView::ShowScaled(QLineEdit* edit, int32_t value) {
    edit->setText(ctx_.FormatNumber(value / double(ctx_.recRX.fDivider), ctx_.recRX.sDecimalMask).trimmed());
}

QString SettingsSetView::WriteProblem() const {
    std::array<uint8_t, 22> text{};
    std::string error;
    if (!EncodeText(settings_.Edit_DisplayTagname, text.data(), text.size(), &error))
        return QString::fromUtf8("Megnevezés: ") + QString::fromStdString(error);
    if (!EncodeText(settings_.Edit_DisplayDimension, text.data(), 9, &error))
        return QString::fromUtf8("Dimenzió: ") + QString::fromStdString(error);
    // A value that does not fit the instrument's 32 bits has no encoding.
    const double limit = double(std::numeric_limits<int32_t>::max());
    auto fits = [&](const QLineEdit* e) {
        double v = 0;
        return !ParseDecimal(e->text(), ctx_.DecimalSeparator, v) || std::fabs(v * ctx_.recRX.fDivider) <= limit;
    };
    for (const QLineEdit* e : settings_.ScaledEdits())
        if (!fits(e)) return QString::fromUtf8("A(z) %1 érték túl nagy a készüléknek.").arg(e->text());
    for (const LimitOutputControls& l : limits_.limits)
        for (const QLineEdit* e : {l.a, l.b, l.hysteresis})
            if (!fits(e)) return QString::fromUtf8("A(z) %1 érték túl nagy a készüléknek.").arg(e->text());
    if (const auto modbus = modbusSerial ? std::optional(modbusSerial()) : std::nullopt;
        modbus && (modbus->baudRate < 0 || modbus->address < 0))
        return QString::fromUtf8("A MODBUS beállításokban nincs kiválasztva adatátviteli sebesség vagy készülékcím.");
    return {};
}

void SettingsSetView::CheckWriteRequest() {
    const QString problem = WriteProblem();
    if (problem.isEmpty()) return;
    settings_.SpeedButton_WriteSettings->setChecked(false);
    limits_.SpeedButton_WriteSettings2->setChecked(false);
    ctx_.Inform(problem + QString::fromUtf8("\nA beállítások nem kerültek a készülékbe."));
}

void SettingsSetView::Build() {
    SettingsSet s;
    tTX& tx = ctx_.recTX;
    const tRX& rx = ctx_.recRX;
    s.brightness = uint8_t(settings_.TrackBar_Brightness->value());
    // Checked when the write was asked for; should a text have changed into
    // something unsendable since, the instrument keeps its own.
    if (!EncodeText(settings_.Edit_DisplayTagname, s.tagname.data(), s.tagname.size(), nullptr))
        s.tagname = rx.uTagnameText;
    if (!EncodeText(settings_.Edit_DisplayDimension, s.dimension.data(), s.dimension.size(), nullptr))
        s.dimension = rx.uDimensionText;
    s.leadingZeros = settings_.CheckBox_DisplayLeaderZeros->isChecked();
    s.averageCount = AverageCountOf(settings_.RadioGroup_DisplayRefresh->ItemIndex());
    // The first analog output as the analog output dialog holds it; until it
    // holds this instrument's values, as the instrument last reported them,
    // so that writing other settings leaves the output's scale alone.
    if (const auto out = firstOutput ? firstOutput() : std::nullopt) {
        s.analogueType = out->analogueType;
        s.analogueLow = out->low;
        s.analogueHigh = out->high;
        s.analogueErrorHigh = out->errorHigh;
        s.analogueErrorDisabled = out->errorDisabled;
    } else {
        s.analogueType = rx.uAnalogueType;
        s.analogueLow = rx.iAnalogueLow;
        s.analogueHigh = rx.iAnalogueHigh;
        s.analogueErrorHigh = rx.bAnalogueErrorHigh;
        s.analogueErrorDisabled = rx.bDisableAnalogueError;
    }
    s.barGraphMode = settings_.CheckBox_BargraphDot->isChecked() ? 1 : 0;
    s.bgLow = ParseScaledEdit(settings_.Edit_iBgLow);
    s.bgHigh = ParseScaledEdit(settings_.Edit_iBgHigh);
    s.scaleLow = ParseScaledEdit(settings_.Edit_iScaleLowSettings);
    s.scaleHigh = ParseScaledEdit(settings_.Edit_iScaleHighSettings);
    s.inputType = uint8_t(settings_.RadioGroup_uInputTypeSettings->ItemIndex());
    s.decimals = uint8_t(settings_.RadioGroup_uDecimalPointSettings->ItemIndex());
    s.rounding = CodeOfItem(kRoundingSteps, settings_.RadioGroup_uRoundSettings->ItemIndex(), 1);
    s.limitDisplayMode = uint8_t(settings_.RadioGroup_enuLimitDisplayMode->ItemIndex());
    for (std::size_t i = 0; i < kSettingsSetLimits; ++i) {
        const LimitOutputControls& c = limits_.limits[i];
        s.limits[i] = {uint8_t(c.mode->ItemIndex()), c.hold->isChecked(), ParseScaledEdit(c.a), ParseScaledEdit(c.b),
                       ParseScaledEdit(c.hysteresis)};
        s.timeBase[i] = uint16_t(ParseIntegerEdit(c.seconds, kLimitTimeBase));
        s.pulseWidth[i] = uint8_t(ParseIntegerEdit(c.pulse, kLimitPulseWidth));
    }
    if (modbusSerial) {
        const ModbusSerialChoice m = modbusSerial();
        s.modbusProtocol = m.protocol;
        s.modbusParity = m.parity;
        s.modbusBaudRate = m.baudRate < 0 ? rx.uMODBUSBaudRate : uint8_t(m.baudRate);
        s.modbusAddress = m.address < 0 ? rx.uMODBUSAddress : uint8_t(m.address);
    }
    s.ptWires = uint8_t(settings_.RadioGroup_uPtWires->ItemIndex() + 2);

    StoreSettingsSet(s, tx);
    tx.uAverage = s.averageCount;
    TransferWriter out(ctx_.transfer);
    SettingsSetLayout(out, s);
}

void SettingsSetView::Decode(bool defaults) {
    QPushButton* first = defaults ? settings_.SpeedButton_ReadDefaultSettings : settings_.SpeedButton_ReadSettings;
    QPushButton* second = defaults ? limits_.SpeedButton_ReadDefaultSettings2 : limits_.SpeedButton_ReadSettings2;
    first->setChecked(false);
    second->setChecked(false);
    const SettingsSet s = ReadAnswer(ctx_.transfer, SettingsSetLayout<TransferReader>);
    values_->Taken();

    tRX& rx = ctx_.recRX;
    StoreSettingsSet(s, rx);
    rx.uAverageIndex = uint8_t(ItemOfCode(kAverageCounts, s.averageCount, 5));

    SettingsPage& p = settings_;
    p.TrackBar_Brightness->setValue(s.brightness);
    p.Edit_DisplayTagname->setText(QString::fromStdString(DecodeDeviceText(s.tagname.data(), 21)));
    p.Edit_DisplayDimension->setText(QString::fromStdString(DecodeDeviceText(s.dimension.data(), 8)));
    p.CheckBox_DisplayLeaderZeros->setChecked(s.leadingZeros);
    p.RadioGroup_DisplayRefresh->SetItemIndex(rx.uAverageIndex);
    p.CheckBox_BargraphDot->setChecked(s.barGraphMode == 1);
    // With the display's decimals of the last status answer, not those of
    // this set.
    ShowScaled(p.Edit_iBgLow, s.bgLow);
    ShowScaled(p.Edit_iBgHigh, s.bgHigh);
    ShowScaled(p.Edit_iScaleLowSettings, s.scaleLow);
    ShowScaled(p.Edit_iScaleHighSettings, s.scaleHigh);
    p.RadioGroup_uInputTypeSettings->SetItemIndex(s.inputType);
    p.RadioGroup_uDecimalPointSettings->SetItemIndex(s.decimals);
    p.RadioGroup_uRoundSettings->SetItemIndex(ItemOfCode(kRoundingSteps, s.rounding, 0));
    p.RadioGroup_enuLimitDisplayMode->SetItemIndex(s.limitDisplayMode);
    for (std::size_t i = 0; i < kSettingsSetLimits; ++i) {
        const LimitOutputControls& c = limits_.limits[i];
        c.mode->SetItemIndex(s.limits[i].mode);
        c.hold->setChecked(s.limits[i].hold);
        ShowScaled(c.a, s.limits[i].a);
        ShowScaled(c.b, s.limits[i].b);
        ShowScaled(c.hysteresis, s.limits[i].hysteresis);
        c.seconds->setText(QString::number(s.timeBase[i]));
        c.pulse->setText(QString::number(s.pulseWidth[i]));
    }
    if (showModbusSerial) showModbusSerial(s.modbusProtocol, s.modbusParity, s.modbusBaudRate, s.modbusAddress);
    p.RadioGroup_uPtWires->SetItemIndex(int(s.ptWires) - 2);
}

void SettingsSetView::WriteAnswered() {
    settings_.SpeedButton_WriteSettings->setChecked(false);
    limits_.SpeedButton_WriteSettings2->setChecked(false);
    settings_.SpeedButton_ReadSettings->setChecked(true);
    limits_.SpeedButton_ReadSettings2->setChecked(true);
}

void SettingsSetView::AddForceBits(uint8_t& limitForceAndEnable) {
    const bool forcing = limits_.SpeedButton_DigitalOutForceEng->isChecked();
    if (forcing) limitForceAndEnable |= 0xF0;
    for (std::size_t i = 0; i < limits_.SpeedButton_DigitalOutForce.size(); ++i) {
        QPushButton* force = limits_.SpeedButton_DigitalOutForce[i];
        if (forcing) {
            if (force->isChecked()) limitForceAndEnable |= uint8_t(1 << i);
        } else {
            const bool on = ctx_.recRX.uLimit & (1 << i);
            if (force->isChecked() != on) force->setChecked(on);
        }
    }
}

void SettingsSetView::ShowLimitStates() {
    for (std::size_t i = 0; i < limits_.Label_DigitalOut.size(); ++i)
        SetShown(limits_.Label_DigitalOut[i], ctx_.recRX.uLimit & (1 << i));
}

}  // namespace velmar
