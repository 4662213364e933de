#pragma once
// The digit-wise value editor: five large digits, each stepped by its own
// "+" and "-" button, the value kept within its limits at every step; OK
// hands it to the destination its identifier names as it stands.

#include <array>

#include "gui/views/value_editor_base.h"

class QLabel;
class QPushButton;

namespace velmar {

class TForm_IncDec : public ValueEditor {
    Q_OBJECT
public:
    explicit TForm_IncDec(ValueDestinations& destinations, QChar decimalSeparator = ',', QWidget* parent = nullptr);

    // The system's decimal separator, the mark between the digits.
    void setDecimalSeparator(QChar separator);

    // Redraws the digits and the one comma of uDecimalPoint.
    void ShowValue() override;
    // Adds iDifferent, clamps to the limits (the maximum first) and redraws.
    void IncOrDecValue(int iDifferent);

    // OK is ValueEditor's as it is: every step already kept the value
    // within the limits.
    void Button_NullAllClick();

    // Left to right: ten-thousands first, units last.
    std::array<QLabel*, 5> Label_Digit{};
    std::array<QPushButton*, 5> Button_PlusDigit{};
    std::array<QPushButton*, 5> Button_MinusDigit{};
    // Indexed by the decimal count: [0] stands after the fifth digit, [4]
    // after the first.
    std::array<QLabel*, 5> Label_uDecimal{};
    QPushButton* Button_NullAll = nullptr;
};

}  // namespace velmar
