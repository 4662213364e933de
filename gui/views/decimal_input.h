#pragma once
// Decimal numbers typed by the user, in the system's number format.

#include <QChar>
#include <QString>
#include <functional>

class QLineEdit;

namespace velmar {

// The text as a finite decimal number with the given separator; false when
// it is not one. Where the separator is a comma, a point is no digit.
[[nodiscard]] bool ParseDecimal(QString text, QChar separator, double& number);

// A reason the settings code gives ("… (-99.99 … 999.99)") with the
// system's decimal separator in its numbers, as the tables beside it show
// them. Dates ("2022.07.21.") are left as they are.
QString WithDecimalSeparator(const QString& text, QChar separator);

// A "," or "." typed into the edit is entered as the decimal separator of
// the moment.
void TranslateDecimalKeys(QLineEdit* edit, std::function<QChar()> separator);

}  // namespace velmar
