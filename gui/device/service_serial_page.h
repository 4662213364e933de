#pragma once
// The serial number page of the service tab: device type, fitted options,
// serial number and production date written into the instrument at the
// factory (command 1).

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace velmar {

class RadioGroup;
struct InstrumentContext;

class ServiceSerialPage : public QWidget {
    Q_OBJECT
public:
    ServiceSerialPage(InstrumentContext& ctx, QWidget* parent = nullptr);

    QLineEdit *Edit_GyariSzamEv, *Edit_GyariSzamHonap, *Edit_GyariSzam;
    QPushButton *Button_GyariSzamPlusz1, *Button_GyariSzamMinusz1;
    QPushButton *Button_GyariSzamToEdits, *SpeedButton_GyariSzamAKeszulekbe;
    QListWidget* ListBox_uDeviceType;
    QCheckBox* CheckBox_PX310_bPt1000;
    RadioGroup *RadioGroup_Bemenet, *RadioGroup_Kimenet1, *RadioGroup_Kimenet2;

    // Device type code of a list item, 0 for none; and back, codes not in
    // the list giving the first item.
    static uint16_t ListIndexToDeviceType(int index);
    static int DeviceTypeToListIndex(uint16_t code);

    // Copies the page into the transmit record and shows it as it will be sent.
    void ReadSerialPage();
    // "+1" and "-1": the serial number within 0..999999.
    void StepSerialNumber(int step);
    // The received identity into the edits and the list.
    void ShowReceivedIdentity();
    // The received sensor type into its check box.
    void ShowReceivedPt1000();
    // Why the typed identity cannot be sent as it stands; empty when it can.
    QString IdentityProblems() const;
    // Before asking to write: tells the user what is wrong and shows the
    // page as it would be sent; false when nothing may be sent.
    bool AcceptTypedIdentity();

private:
    void BuildIdentityRequest();
    InstrumentContext& ctx_;
};

}  // namespace velmar
