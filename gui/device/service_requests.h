#pragma once
// The service pages' request buttons: every answer of the service command
// table is stored, shown and its button released the same way, and the
// requests that change the instrument for good are confirmed first.

#include <QString>
#include <functional>

class QAbstractButton;

namespace velmar {

class TForm1;

// Asks before a request that cannot be undone. The button is up while the
// question is open, so the scheduler cannot send it meanwhile, and goes down
// again only on "yes". question: %1 becomes the instrument's type, %2 its
// serial number, %3 the button's caption at that moment. check runs first;
// false refuses without asking.
void AskBeforeSending(TForm1& main, QAbstractButton* button, const QString& question,
                      std::function<bool()> check = {});

// Decoders of the table's commands, the confirmations of its permanent
// ones, and the follow-ups of commands 1 and 129. Called once the service
// pages exist.
void InstallServiceRequests(TForm1& main);

}  // namespace velmar
