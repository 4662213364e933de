#pragma once
// The typed value editor: the user types a setting that carries implied
// decimals as a decimal number; OK scales, clamps and hands the integer to
// the destination its identifier names.

#include <QDialog>
#include <cstdint>
#include <string>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velmar {

class ValueDestinations;

class TForm_IncDecEdit : public QDialog {
    Q_OBJECT
public:
    TForm_IncDecEdit(ValueDestinations& destinations, QChar decimalSeparator, QWidget* parent = nullptr);

    // The system's decimal separator: shown in the numbers, expected in
    // typed text.
    void setDecimalSeparator(QChar separator);
    QChar decimalSeparator() const { return decimalSeparator_; }

    // Set by the opener, kept until the next one.
    std::string sDigitFormat = "0000";
    float fDivider = 1.0f;
    int32_t iValue = 0;
    int32_t iMax = 0;
    int32_t iMin = 0;
    int32_t iIdentifier = 0;
    uint8_t uDecimalPoint = 0;
    int32_t iOldValue = 0;

    // Redraws the edit and the three labels from the fields.
    void ShowValue();
    // Picks the mask and divider for uDecimalPoint and the size of v, and
    // formats v with them.
    QString FormatValue(int32_t v);

    void Button_OKClick();
    void Button_EscClick();
    void Button_MinClick();
    void Button_MaxClick();
    void Button_OldValueClick();
    void Button_TorolClick();
    // A typed "," or "." becomes the decimal separator.
    void Edit_ValueKeyPress(QChar& key) const;

    QPushButton* Button_Esc = nullptr;
    QGroupBox* GroupBox_SzamlaloModositas = nullptr;
    QLabel* Label_Caption = nullptr;
    QLineEdit* Edit_Value = nullptr;
    QPushButton* Button_Torol = nullptr;
    QLabel* Label_OldValue = nullptr;
    QPushButton* Button_OldValue = nullptr;
    QPushButton* Button_Min = nullptr;
    QLabel* Label_Min = nullptr;
    QPushButton* Button_Max = nullptr;
    QLabel* Label_Max = nullptr;
    QPushButton* Button_OK = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The edit's text as a number in the system format; false when it is not one.
    bool ParseEdit(double& number) const;

    ValueDestinations& destinations_;
    QChar decimalSeparator_;
};

}  // namespace velmar
