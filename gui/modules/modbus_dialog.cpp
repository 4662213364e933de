#include "gui/modules/modbus_dialog.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/link/payload_io.h"
#include "core/modules/modbus_codec.h"
#include "gui/link/instrument_context.h"
#include "gui/link/instrument_values.h"
#include "gui/views/module_controls.h"
#include "gui/views/parse_integer_edit.h"
#include "gui/views/radio_group.h"
#include "gui/views/typed_length.h"

namespace velmar {

namespace {
QComboBox* MakeList(QWidget* parent, const char* name, const QStringList& items, int selected) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->addItems(items);
    c->setCurrentIndex(selected);
    return c;
}

// A list's selection for a wire value; a value beyond the list selects nothing.
void Select(QComboBox* list, int value) { list->setCurrentIndex(value < list->count() ? value : -1); }
}  // namespace

TForm_PXMB::TForm_PXMB(InstrumentContext& ctx)
    : ModuleDialog(ctx, "Form_PXMB", "PXMB", QString::fromUtf8("Gyári alapértékek megjelenítése")) {
    Shape1 = new QFrame(this);
    Shape1->setObjectName("Shape1");
    Shape1->setFrameStyle(QFrame::Box | QFrame::Plain);
    GroupBox9 = MakeGroup(Shape1, "GroupBox9", "SOROS KOMMUNIKÁCIÓ BEÁLLÍTÁSA");
    (new QVBoxLayout(Shape1))->addWidget(GroupBox9);
    GroupBox_MODBUSOutputSettings = MakeGroup(GroupBox9, "GroupBox_MODBUSOutputSettings", "MODBUS kimenet");
    (new QVBoxLayout(GroupBox9))->addWidget(GroupBox_MODBUSOutputSettings);
    QWidget* g = GroupBox_MODBUSOutputSettings;

    RadioGroup_MODBUSProtocol =
        MakeRadioGroup(g, "RadioGroup_MODBUSProtocol", "Protokoll", kModbusProtocolOptions, 1, 0);
    RadioGroup_MODBUSParity = MakeRadioGroup(g, "RadioGroup_MODBUSParity", "Paritás bit", kModbusParityOptions, 1, 1);

    QStringList rates, addresses;
    for (const FieldOption& r : kModbusBaudRateOptions) rates << QString::fromUtf8(r.text);
    for (int a = 0; a < kModbusAddresses; ++a) addresses << QString::number(a);
    Label71 = MakeLabel(g, "Label71", "Adatátviteli sebesség:");
    ComboBox_MODBUSBaudRate = MakeList(g, "ComboBox_MODBUSBaudRate", rates, -1);
    Label72 = MakeLabel(g, "Label72", "Készülékcím:");
    ComboBox_MODBUSAddress = MakeList(g, "ComboBox_MODBUSAddress", addresses, 0);
    Label55 = MakeLabel(g, "Label55", "Időtúllépés hiba: ");
    Label2 = MakeLabel(g, "Label2", "(Time out): ");
    Edit_MODBUSTimeOut = new QLineEdit("0", g);
    Edit_MODBUSTimeOut->setObjectName("Edit_MODBUSTimeOut");
    LimitTypedLength(Edit_MODBUSTimeOut, 5);
    Edit_MODBUSTimeOut->setFixedWidth(Edit_MODBUSTimeOut->fontMetrics().horizontalAdvance("0000000"));
    Label1 = MakeLabel(g, "Label1", "másodperc");

    auto* radios = new QHBoxLayout;
    radios->addWidget(RadioGroup_MODBUSProtocol);
    radios->addWidget(RadioGroup_MODBUSParity);
    auto* fields = new QGridLayout;
    fields->addWidget(Label71, 0, 0);
    fields->addWidget(ComboBox_MODBUSBaudRate, 0, 1, 1, 2);
    fields->addWidget(Label72, 1, 0);
    fields->addWidget(ComboBox_MODBUSAddress, 1, 1, 1, 2);
    auto* timeOutCaption = new QVBoxLayout;
    timeOutCaption->setSpacing(0);
    timeOutCaption->addWidget(Label55);
    timeOutCaption->addWidget(Label2);
    fields->addLayout(timeOutCaption, 2, 0);
    fields->addWidget(Edit_MODBUSTimeOut, 2, 1);
    fields->addWidget(Label1, 2, 2);
    auto* layout = new QVBoxLayout(g);
    layout->addLayout(radios);
    layout->addLayout(fields);
    Body()->addWidget(Shape1);

    connect(&Values(), &InstrumentValues::writeAsked, this, &TForm_PXMB::CheckWriteRequest);

    CommandRegistry& c = ctx.commands;
    c.SetDecoder(kReadModbus, [this] { DecodeSettings(SpeedButton_ReadFromDevice); });
    c.SetDecoder(kModbusDefaults, [this] { DecodeSettings(SpeedButton_ReadDefault); });
    c.SetDecoder(kWriteModbus, [this] { WriteAnswered(); });
    c.SetBuilder(kWriteModbus, [this] { BuildWrite(); });
}

void TForm_PXMB::DecodeSettings(QPushButton* requester) {
    requester->setChecked(false);
    tRX& rx = ctx_.recRX;
    const ModbusBlock b = ReadAnswer(ctx_.transfer, ModbusLayout<TransferReader>);
    rx.uMODBUSProtocol = b.protocol;
    rx.uMODBUSParity = b.parity;
    rx.uMODBUSBaudRate = b.baudRate;
    rx.uMODBUSAddress = b.address;
    rx.uMODBUSTimeOut = b.timeOut;
    ShowSerialSettings(b.protocol, b.parity, b.baudRate, b.address);
    Edit_MODBUSTimeOut->setText(QString::number(b.timeOut));
    Values().Taken();
}

void TForm_PXMB::ShowSerialSettings(uint8_t protocol, uint8_t parity, uint8_t baudRate, uint8_t address) {
    RadioGroup_MODBUSProtocol->SetItemIndex(protocol);
    RadioGroup_MODBUSParity->SetItemIndex(parity);
    Select(ComboBox_MODBUSBaudRate, baudRate);
    Select(ComboBox_MODBUSAddress, address);
}

ModbusSerialChoice TForm_PXMB::SerialChoice() const {
    return {uint8_t(RadioGroup_MODBUSProtocol->ItemIndex()), uint8_t(RadioGroup_MODBUSParity->ItemIndex()),
            ComboBox_MODBUSBaudRate->currentIndex(), ComboBox_MODBUSAddress->currentIndex()};
}

void TForm_PXMB::CheckWriteRequest() {
    QString missing;
    if (ComboBox_MODBUSBaudRate->currentIndex() < 0)
        missing = QString::fromUtf8("Nincs kiválasztva adatátviteli sebesség.");
    else if (ComboBox_MODBUSAddress->currentIndex() < 0)
        missing = QString::fromUtf8("Nincs kiválasztva készülékcím.");
    if (missing.isEmpty()) return;
    SpeedButton_WriteToDevice->setChecked(false);
    ctx_.Inform(missing + QString::fromUtf8("\nVálasszon a listából, mielőtt beírja a beállításokat a készülékbe."));
}

void TForm_PXMB::BuildWrite() {
    tTX& tx = ctx_.recTX;
    const int rate = ComboBox_MODBUSBaudRate->currentIndex();
    const int address = ComboBox_MODBUSAddress->currentIndex();
    // A read answered between pressing and sending may have left a list
    // without a selection: that setting then stays as the instrument has it.
    ModbusBlock b{uint8_t(RadioGroup_MODBUSProtocol->ItemIndex()), uint8_t(RadioGroup_MODBUSParity->ItemIndex()),
                  rate < 0 ? ctx_.recRX.uMODBUSBaudRate : uint8_t(rate),
                  address < 0 ? ctx_.recRX.uMODBUSAddress : uint8_t(address),
                  uint16_t(ParseIntegerEdit(Edit_MODBUSTimeOut, kModbusTimeOut))};
    tx.uMODBUSProtocol = b.protocol;
    tx.uMODBUSParity = b.parity;
    tx.uMODBUSBaudRate = b.baudRate;
    tx.uMODBUSAddress = b.address;
    tx.uMODBUSTimeOut = b.timeOut;
    TransferWriter out(ctx_.transfer);
    ModbusLayout(out, b);
}

}  // namespace velmar
