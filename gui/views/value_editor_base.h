#pragma once
// What the typed and the digit-wise value editors share: the fields an
// opener fills, the caption above the value, the Esc, Minimum, Maximum and
// OK buttons, and handing the value on to the destination its identifier
// names. Each editor builds and draws its own value part.

#include <QDialog>
#include <QFont>
#include <cstdint>

class QGroupBox;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace velmar {

class ValueDestinations;

class ValueEditor : public QDialog {
    Q_OBJECT
public:
    // Fills the fields an opener sets and writes the caption. The value is
    // not drawn yet, so that an editor can set fields of its own first.
    void Load(int identifier, const QString& caption, int32_t min, int32_t max, int decimalPoint, int32_t value);

    // Set by the opener, kept until the next one.
    int32_t iValue = 0;
    int32_t iMax = 0;
    int32_t iMin = 0;
    int32_t iIdentifier = 0;
    uint8_t uDecimalPoint = 0;

    // Redraws the value from the fields.
    virtual void ShowValue() = 0;

    // Hands iValue to its destination and closes; an editor that lets the
    // value leave its limits brings it back before this.
    virtual void Button_OKClick();
    void Button_EscClick();
    void Button_MinClick();
    void Button_MaxClick();

    QPushButton* Button_Esc = nullptr;
    QGroupBox* GroupBox_SzamlaloModositas = nullptr;
    QLabel* Label_Caption = nullptr;
    QPushButton* Button_Min = nullptr;
    QPushButton* Button_Max = nullptr;
    QPushButton* Button_OK = nullptr;

protected:
    // Builds Esc, the group box and the caption in it; the editor adds its
    // own widgets to ValueLayout() and then calls FinishLayout().
    ValueEditor(ValueDestinations& destinations, const char* objectName, QWidget* parent);

    // The group box's layout, below the caption.
    QVBoxLayout* ValueLayout() const { return group_; }
    // The limit buttons are made where the editor places them, so that the
    // focus moves through the buttons in the order they are seen.
    QPushButton* MakeMinButton(QWidget* box);
    QPushButton* MakeMaxButton(QWidget* box);
    // Adds OK below the group box, fixes the size and connects the common
    // buttons.
    void FinishLayout();

    // Arial where it is installed, a look-alike sans serif elsewhere.
    static QFont ArialFont(int pixelSize);
    static QPushButton* MakeButton(const QString& name, const char* caption, QWidget* parent);

private:
    ValueDestinations& destinations_;
    QVBoxLayout* layout_ = nullptr;
    QVBoxLayout* group_ = nullptr;
};

}  // namespace velmar
