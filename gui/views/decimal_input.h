#pragma once
// Decimal numbers typed by the user, in the system's number format.

#include <QChar>
#include <QString>
#include <functional>

class QLineEdit;

namespace velmar {

// The text as a finite decimal number with the given separator; false when
// it is not one. Where the separator is a comma, a point is no digit.
bool ParseDecimal(QString text, QChar separator, double& number);

// A "," or "." typed into the edit is entered as the decimal separator of
// the moment.
void TranslateDecimalKeys(QLineEdit* edit, std::function<QChar()> separator);

}  // namespace velmar
