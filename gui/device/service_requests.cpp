#include "gui/device/service_requests.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "core/device/device_types.h"
#include "core/device/number_mask.h"
#include "core/device/service_commands.h"
#include "gui/link/instrument_context.h"

namespace velmar {

namespace {
// Questions worded for their command; the calibrations share one.
QString QuestionFor(uint8_t code) {
    switch (code) {
    case kWriteIdentity:
        return QString::fromUtf8(
            "Biztosan átírja a(z) %1 (%2) készülék típusát, gyári számát, gyártási "
            "idejét és beépített opcióit?");
    case kEraseMemory:
        return QString::fromUtf8(
            "Biztosan törli a(z) %1 (%2) készülék FRAM memóriáját? "
            "Minden beállítása és kalibrációja elvész.");
    default:
        // %3: the caption when asked, as some follow the sensor or output type.
        return QString::fromUtf8(
            "Biztosan elvégzi a(z) %1 (%2) készüléken: „%3”? "
            "A tárolt kalibrációs érték felülíródik.");
    }
}

void ShowValue(QWidget* target, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(target)) {
        if (label->text() != text) label->setText(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(target)) {
        edit->setText(text);
    }
}
}  // namespace

void AskBeforeSending(InstrumentContext& ctx, QAbstractButton* button, const QString& question,
                      std::function<bool()> check) {
    QObject::connect(button, &QAbstractButton::clicked, ctx.window, [&ctx, button, question, check](bool down) {
        if (!down) return;
        button->setChecked(false);
        if (check && !check()) return;
        // The instrument as the header names it, by type and serial number.
        const QString type = QString::fromStdString(DeviceTypeName(ctx.recRX.uDevice));
        const QString serial = QString::fromStdString(FormatMask(ctx.recRX.uDeviceID, "000000"));
        const QString text = QString(question).replace("%1", type).replace("%2", serial).replace("%3", button->text());
        if (ctx.Confirm(text)) button->setChecked(true);
    });
}

// What an answer does beyond showing its constants.
static std::function<void()> FollowUp(InstrumentContext& ctx, QWidget& window, const ServicePageHooks& hooks,
                                      uint8_t code) {
    if (code == kWriteIdentity)  // the identity just written is read back from the next headers
        return hooks.identityWritten;
    if (code == kCalibrateOutputLow || code == kCalibrateOutputHigh || code == kReadOutputCalibration)
        return [answered = hooks.outputCalibrationAnswered, code] { answered(code); };
    if (code == 129)  // the sensor type as the last status answer reported it
        if (auto* pt1000 = window.findChild<QCheckBox*>("CheckBox_bPt1000"))
            return [&ctx, pt1000] { pt1000->setChecked(ctx.recRX.bPt1000); };
    return {};
}

void InstallServiceRequests(InstrumentContext& ctx, QWidget& window, const ServicePageHooks& hooks) {
    for (const ServiceCommand& c : ServiceCommands()) {
        auto* button = window.findChild<QAbstractButton*>(c.button);
        if (!button || c.code == kReadDisplayImage) continue;  // the image is the tests page's own
        std::array<QWidget*, 4> targets{};
        for (int i = 0; i < FieldCount(c); ++i)
            targets[std::size_t(i)] = window.findChild<QWidget*>(c.targets[std::size_t(i)]);
        auto* then = c.then ? window.findChild<QAbstractButton*>(c.then) : nullptr;
        ctx.commands.SetDecoder(c.code,
                                [&ctx, &c, button, targets, then, after = FollowUp(ctx, window, hooks, c.code)] {
                                    button->setChecked(false);
                                    for (int i = 0; i < FieldCount(c); ++i) {
                                        int32_t& field = ctx.recRX.*c.fields[std::size_t(i)];
                                        field = ctx.transfer.ReadInteger();
                                        if (targets[std::size_t(i)])
                                            ShowValue(targets[std::size_t(i)], ctx.FormatNumber(field, c.mask));
                                    }
                                    if (then) then->setChecked(true);
                                    if (after) after();
                                });
        std::function<bool()> check;
        if (c.code == kWriteIdentity) check = hooks.acceptIdentity;
        if (c.code == kWriteTimerConstant) check = hooks.acceptTimerConstant;
        if (c.permanent) AskBeforeSending(ctx, button, QuestionFor(c.code), check);
    }
}

}  // namespace velmar
