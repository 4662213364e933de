#pragma once
// Binds the settings set (commands 131, 132, 109) to the two service pages
// that show it and to the module dialogs that hold its analog output and
// Modbus parts; runs the limit outputs' direct control carried by the
// status request.

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "gui/modules/analog_output_dialog.h"
#include "gui/modules/modbus_dialog.h"

class QLineEdit;

namespace velmar {

class InstrumentValues;
class LimitOutputsPage;
class SettingsPage;
struct InstrumentContext;
struct SettingsSet;

class SettingsSetView : public QObject {
    Q_OBJECT
public:
    SettingsSetView(InstrumentContext& ctx, SettingsPage& settings, LimitOutputsPage& limits);

    // A number typed in the system's format, as the instrument keeps it:
    // times the divider of the display's decimals, halves to even. The
    // edit then shows the value that is sent.
    int32_t ParseScaledEdit(QLineEdit* edit);

    // Status request: the direct control of the limit outputs; with it off
    // the force buttons show the real outputs, so forcing starts from them.
    void AddForceBits(uint8_t& limitForceAndEnable);
    // Status answer: which limit outputs are on.
    void ShowLimitStates();

    // The parts of the set the module dialogs hold, handed in once the
    // dialogs exist; without them the set keeps what the instrument
    // reported.
    std::function<ModbusSerialChoice()> modbusSerial;
    std::function<void(uint8_t protocol, uint8_t parity, uint8_t baudRate, uint8_t address)> showModbusSerial;
    std::function<std::optional<TForm_PXAO::FirstOutput>()> firstOutput;

private:
    void Decode(bool defaults);
    void Build();
    void WriteAnswered();
    // What stops the set from being written, empty when nothing does.
    QString WriteProblem() const;
    void CheckWriteRequest();
    void ShowScaled(QLineEdit* edit, int32_t value);

    InstrumentContext& ctx_;
    SettingsPage& settings_;
    LimitOutputsPage& limits_;
    // Whose settings set the pages show: a write needs an answer to 131 or
    // 132 from the instrument attached.
    InstrumentValues* values_ = nullptr;
};

}  // namespace velmar
