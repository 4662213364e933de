#pragma once
// What every option module dialog shares: the exit button, the three request
// buttons (read, factory values, write) that latch as one group, opening
// centred over the main window with a read, a write only of settings read
// from the instrument attached, and the read-back after a write.

#include <QDialog>
#include <array>
#include <cstdint>
#include <functional>

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace velmar {

class InstrumentValues;
struct InstrumentContext;

class ModuleDialog : public QDialog {
    Q_OBJECT
public:
    // requestSuffix: ends the request buttons' object names where a dialog
    // needs them told apart from those of the others.
    ModuleDialog(InstrumentContext& ctx, const char* objectName, const QString& caption,
                 const QString& readDefaultCaption, const QString& requestSuffix = {});

    QPushButton* Button_Esc = nullptr;
    QPushButton* SpeedButton_ReadFromDevice = nullptr;
    QPushButton* SpeedButton_ReadDefault = nullptr;
    QPushButton* SpeedButton_WriteToDevice = nullptr;
    // Shown once another instrument answers while the dialog holds the last
    // one's settings.
    QLabel* Label_ValuesOfAnotherInstrument = nullptr;
    // Edits waiting for a write, or how the last write's read-back went.
    QLabel* Label_WriteState = nullptr;

    // Whose settings the controls hold; a write is asked for through its
    // writeAsked, which the dialog's own checks of the write follow.
    InstrumentValues& Values() const { return *values_; }

    // Caption, centred on the main window, the read asked for; then modal.
    // A dialog that first sets itself up for the attached instrument
    // overrides it.
    virtual void Open(const QString& caption, bool pressRead = true);
    // The same without showing, for whoever shows it otherwise.
    void Prepare(const QString& caption, bool pressRead = true);
    // Esc, the exit button and the window's close button: edits not
    // written yet are given up only when the user says so.
    void reject() override;

protected:
    // The area above the request buttons, for the dialog's own controls.
    QVBoxLayout* Body() const { return body_; }
    // A write was answered: its button goes up and a read-back is asked for.
    void WriteAnswered();
    static int SlotPart(bool secondSlot) { return secondSlot ? 2 : 1; }
    // The commands of a dialog open for either output slot: each slot's read
    // and write, and the factory values, which suit either slot.
    struct SlotCommands {
        std::array<uint8_t, 2> read;
        uint8_t defaults;
        std::array<uint8_t, 2> write;
    };
    // Registers them all. The dialog holds the settings of one slot: a read
    // of one slot does not make a write to the other.
    // decode reads an answer into the slot's fields of recRX and into the
    // controls (the request button is released before, the values taken
    // after); build makes the write's payload from the controls.
    void RegisterSlotCommands(const SlotCommands& codes, std::function<void(bool secondSlot)> decode,
                              std::function<void(bool secondSlot)> build);
    // The display mask of the instrument applied to an implied-decimals value.
    QString ScaledText(int32_t value) const;

    InstrumentContext& ctx_;

private:
    QVBoxLayout* body_ = nullptr;
    InstrumentValues* values_ = nullptr;
};

}  // namespace velmar
