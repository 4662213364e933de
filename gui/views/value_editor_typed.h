#pragma once
// The typed value editor: the user types a setting that carries implied
// decimals as a decimal number; OK scales and hands the integer to the
// destination its identifier names. A number beyond the limits is brought
// to the nearest one and shown with a word saying so; the next OK stores it.

#include <cstdint>
#include <string>

#include "gui/views/value_editor_base.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace velmar {

class TForm_IncDecEdit : public ValueEditor {
    Q_OBJECT
public:
    TForm_IncDecEdit(ValueDestinations& destinations, QChar decimalSeparator, QWidget* parent = nullptr);

    // The system's decimal separator: shown in the numbers, expected in
    // typed text.
    void setDecimalSeparator(QChar separator);
    QChar decimalSeparator() const { return decimalSeparator_; }

    // Set by the opener, kept until the next one, as are the fields of
    // ValueEditor. Those come first in the object, as a base class's
    // members always do, so iValue … uDecimalPoint stand before
    // sDigitFormat and fDivider here rather than between fDivider and
    // iOldValue.
    std::string sDigitFormat = "0000";
    float fDivider = 1.0f;
    int32_t iOldValue = 0;

    // Redraws the edit and the three labels from the fields.
    void ShowValue() override;
    // Picks the mask and divider for uDecimalPoint and the size of v, and
    // formats v with them.
    QString FormatValue(int32_t v);

    void Button_OKClick() override;
    void Button_OldValueClick();
    void Button_TorolClick();
    // A typed "," or "." becomes the decimal separator.
    void Edit_ValueKeyPress(QChar& key) const;

    QLineEdit* Edit_Value = nullptr;
    QPushButton* Button_Torol = nullptr;
    QLabel* Label_OldValue = nullptr;
    QPushButton* Button_OldValue = nullptr;
    QLabel* Label_Min = nullptr;
    QLabel* Label_Max = nullptr;
    // Says that a typed value lay outside the limits and what it became;
    // hidden until then.
    QLabel* Label_Limited = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The edit's text as a number in the system format; false when it is not one.
    [[nodiscard]] bool ParseEdit(double& number) const;

    QChar decimalSeparator_;
};

}  // namespace velmar
