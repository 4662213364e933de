#pragma once
// The digit-wise value editor: five large digits, each stepped by its own
// "+" and "-" button, the value kept within its limits at every step; OK
// hands it to the destination its identifier names.

#include <QDialog>
#include <array>
#include <cstdint>

class QGroupBox;
class QLabel;
class QPushButton;

namespace velmar {

class ValueDestinations;

class TForm_IncDec : public QDialog {
    Q_OBJECT
public:
    explicit TForm_IncDec(ValueDestinations& destinations, QWidget* parent = nullptr);

    // Set by the opener, kept until the next one.
    int32_t iValue = 0;
    int32_t iMax = 0;
    int32_t iMin = 0;
    int32_t iIdentifier = 0;
    uint8_t uDecimalPoint = 0;

    // Redraws the digits and the one comma of uDecimalPoint.
    void ShowValue();
    // Adds iDifferent, clamps to the limits (the maximum first) and redraws.
    void IncOrDecValue(int iDifferent);

    void Button_OKClick();
    void Button_EscClick();
    void Button_MinClick();
    void Button_MaxClick();
    void Button_NullAllClick();

    QPushButton* Button_Esc = nullptr;
    QGroupBox* GroupBox_SzamlaloModositas = nullptr;
    QLabel* Label_Caption = nullptr;
    // Left to right: ten-thousands first, units last.
    std::array<QLabel*, 5> Label_Digit{};
    std::array<QPushButton*, 5> Button_PlusDigit{};
    std::array<QPushButton*, 5> Button_MinusDigit{};
    // Indexed by the decimal count: [0] stands after the fifth digit, [4]
    // after the first.
    std::array<QLabel*, 5> Label_uDecimal{};
    QPushButton* Button_NullAll = nullptr;
    QPushButton* Button_Min = nullptr;
    QPushButton* Button_Max = nullptr;
    QPushButton* Button_OK = nullptr;

private:
    ValueDestinations& destinations_;
};

}  // namespace velmar
