#include "gui/device/service_requests.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "gui/app/form_main.h"
#include "gui/device/header_page.h"
#include "gui/device/output_calibration_page.h"
#include "gui/device/service_calibration_page.h"
#include "core/device/service_commands.h"
#include "gui/device/service_serial_page.h"

namespace velmar {

namespace {
// Questions worded for their command; the calibrations share one.
QString QuestionFor(uint8_t code) {
    switch (code) {
    case kWriteIdentity:
        return QString::fromUtf8("Biztosan átírja a(z) %1 (%2) készülék típusát, gyári számát, gyártási "
                                 "idejét és beépített opcióit?");
    case kEraseMemory:
        return QString::fromUtf8("Biztosan törli a(z) %1 (%2) készülék FRAM memóriáját? "
                                 "Minden beállítása és kalibrációja elvész.");
    default:
        // %3: the caption when asked, as some follow the sensor or output type.
        return QString::fromUtf8("Biztosan elvégzi a(z) %1 (%2) készüléken: „%3”? "
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

void AskBeforeSending(TForm1& main, QAbstractButton* button, const QString& question, std::function<bool()> check) {
    QObject::connect(button, &QAbstractButton::clicked, &main, [&main, button, question, check](bool down) {
        if (!down) return;
        button->setChecked(false);
        if (check && !check()) return;
        // The instrument as the header names it; the serial label also
        // carries the production date after a slash.
        const QString type = main.header->ui.Label_KeszulekTipus->text();
        const QString serial = main.header->ui.Label_KeszulekGyariSzam->text().section('/', 0, 0).trimmed();
        const QString text = QString(question).replace("%1", type).replace("%2", serial).replace("%3", button->text());
        if (main.Confirm(text)) button->setChecked(true);
    });
}

// What an answer does beyond showing its constants.
static std::function<void()> FollowUp(TForm1& main, uint8_t code) {
    if (code == kWriteIdentity)  // the identity just written is read back from the next headers
        return [&main] { main.Button_GyariSzamToEditsClick(); };
    if (code == kCalibrateOutputLow || code == kCalibrateOutputHigh || code == kReadOutputCalibration)
        return [&main, code] { main.outputCalibrationPage->DecodeAnswer(code); };
    if (code == 129)  // the sensor type as the last status answer reported it
        if (auto* pt1000 = main.findChild<QCheckBox*>("CheckBox_bPt1000"))
            return [&main, pt1000] { pt1000->setChecked(main.recRX.bPt1000); };
    return {};
}

void InstallServiceRequests(TForm1& main) {
    for (const ServiceCommand& c : ServiceCommands()) {
        auto* button = main.findChild<QAbstractButton*>(c.button);
        if (!button || c.code == kReadDisplayImage) continue;  // the image is the tests page's own
        std::array<QWidget*, 4> targets{};
        for (int i = 0; i < FieldCount(c); ++i)
            targets[std::size_t(i)] = main.findChild<QWidget*>(c.targets[std::size_t(i)]);
        auto* then = c.then ? main.findChild<QAbstractButton*>(c.then) : nullptr;
        main.commands.SetDecoder(c.code, [&main, &c, button, targets, then, after = FollowUp(main, c.code)] {
            button->setChecked(false);
            for (int i = 0; i < FieldCount(c); ++i) {
                int32_t& field = main.recRX.*c.fields[std::size_t(i)];
                field = main.transfer.ReadInteger();
                if (targets[std::size_t(i)]) ShowValue(targets[std::size_t(i)], main.FormatNumber(field, c.mask));
            }
            if (then) then->setChecked(true);
            if (after) after();
        });
        std::function<bool()> check;
        if (c.code == kWriteIdentity) check = [&main] { return main.serialPage->AcceptTypedIdentity(); };
        if (c.code == kWriteTimerConstant) check = [&main] { return main.calibrationPage->AcceptTimerConstant(); };
        if (c.permanent) AskBeforeSending(main, button, QuestionFor(c.code), check);
    }
}

}  // namespace velmar
