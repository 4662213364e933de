#pragma once
// Serial settings of the Modbus module, whatever its role (output in slot 1
// or the measuring input). Its requests are served only while the main
// window's slot flag says slot 1.

#include "gui/modules/module_dialog.h"

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace velmar {

class RadioGroup;

// The serial settings as the Modbus dialog holds them; a rate or an
// address is -1 while none is chosen.
struct ModbusSerialChoice {
    uint8_t protocol = 0;
    uint8_t parity = 0;
    int baudRate = -1;
    int address = -1;
};

class TForm_PXMB : public ModuleDialog {
    Q_OBJECT
public:
    explicit TForm_PXMB(InstrumentContext& ctx);

    QFrame* Shape1;
    QGroupBox* GroupBox9;
    QGroupBox* GroupBox_MODBUSOutputSettings;
    RadioGroup* RadioGroup_MODBUSProtocol;
    RadioGroup* RadioGroup_MODBUSParity;
    QLabel* Label71;
    QComboBox* ComboBox_MODBUSBaudRate;
    QLabel* Label72;
    QComboBox* ComboBox_MODBUSAddress;
    QLabel *Label55, *Label2, *Label1;
    QLineEdit* Edit_MODBUSTimeOut;

    // Shows serial settings the instrument reported; an index beyond a
    // list shows its last item (protocol, parity) or nothing (the lists).
    void ShowSerialSettings(uint8_t protocol, uint8_t parity, uint8_t baudRate, uint8_t address);
    ModbusSerialChoice SerialChoice() const;

private:
    void DecodeSettings(QPushButton* requester);
    void BuildWrite();
    // A write needs a baud rate and an address chosen: they have no other
    // encoding. Refuses the write with a message otherwise.
    void CheckWriteRequest();
};

}  // namespace velmar
