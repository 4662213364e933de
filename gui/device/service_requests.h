#pragma once
// The service pages' request buttons: every answer of the service command
// table is stored, shown and its button released the same way, and the
// requests that change the instrument for good are confirmed first.

#include <QString>
#include <functional>

class QAbstractButton;
class QWidget;

namespace velmar {

struct InstrumentContext;

// Asks before a request that cannot be undone. The button is up while the
// question is open, so the scheduler cannot send it meanwhile, and goes down
// again only on "yes". question: %1 becomes the instrument's type, %2 its
// serial number, %3 the button's caption at that moment. check runs first;
// false refuses without asking.
void AskBeforeSending(InstrumentContext& ctx, QAbstractButton* button, const QString& question,
                      std::function<bool()> check = {});

// What the service pages do beyond the table.
struct ServicePageHooks {
    // Command 1 was answered: the identity just written is read back.
    std::function<void()> identityWritten;
    // An answer of the output calibration, by its command.
    std::function<void(uint8_t command)> outputCalibrationAnswered;
    // The typed identity and the timer constant may be sent; each tells the
    // user why not.
    std::function<bool()> acceptIdentity;
    std::function<bool()> acceptTimerConstant;
};

// Decoders of the table's commands, the confirmations of its permanent
// ones, and the follow-ups of commands 1 and 129. Called once the service
// pages exist; the table names their controls within window.
void InstallServiceRequests(InstrumentContext& ctx, QWidget& window, const ServicePageHooks& hooks);

}  // namespace velmar
