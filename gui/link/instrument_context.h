#pragma once
// What a page or a dialog needs of the instrument and of the link, and no
// more: the records, the payload transfer, the commands, where the value
// editors' results go, the regional settings and the user's answers. The
// main window owns all of it and hands the same context to every page and
// dialog; a test can build one from records of its own.

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/device/records.h"
#include "core/link/command_engine.h"
#include "core/link/command_registry.h"
#include "core/link/mbu.h"
#include "core/link/transfer.h"
#include "core/views/value_destinations.h"

class QWidget;

namespace velmar {

class TForm_IncDec;
class TForm_IncDecEdit;

// Who answered: the type and serial number an answer's header carries.
struct InstrumentKey {
    uint16_t device = 0;
    uint32_t serial = 0;
    bool operator==(const InstrumentKey&) const = default;
};

// What pages and dialogs listen to.
class InstrumentEvents : public QObject {
    Q_OBJECT
signals:
    // A status answer has been decoded into recRX.
    void statusAnswered();
    // An answer came from another instrument than the answer before it.
    void answeringInstrumentChanged();
    // A command other than the status poll was answered for a page or a
    // dialog, before its decoder runs: its request and answer payloads.
    void commandAnswered(uint8_t command, const std::vector<uint8_t>& request, const std::vector<uint8_t>& answer);
    // A settings block was read or written, whoever asked for it.
    void blockExchanged(uint8_t command, const std::vector<uint8_t>& request, const std::vector<uint8_t>& answer);
};

struct InstrumentContext {
    tRX& recRX;
    tTX& recTX;
    TMBU& recMBU;
    TGlobalVar& recGlobalVar;
    PayloadTransfer& transfer;
    CommandRegistry& commands;
    // Commands asked for by the settings files and the journal.
    CommandEngine& engine;
    ValueDestinations& valueDestinations;
    const QChar& DecimalSeparator;
    const QChar& DateSeparator;
    const bool& bVelmarMode;
    // Which output slot the open output module dialog shows.
    bool& bFoKimenetiModulVanNyitva;
    // The instrument of the last answer; none before the first.
    const std::optional<InstrumentKey>& answering;
    // The firmware version the last answer's header gave, as "1.23".
    const QString& firmware;
    // The measured value's unit as the header shows it.
    const QString& shownUnit;
    InstrumentEvents& events;
    // The main window: parent of the dialogs, and what they are centred on.
    QWidget* window;
    // The value editors, once they exist.
    TForm_IncDec* const& digitEditor;
    TForm_IncDecEdit* const& typedEditor;
    const std::function<void(const QString&)>& inform;
    const std::function<bool(const QString&)>& confirm;

    // A message the user confirms with OK.
    void Inform(const QString& text) const {
        if (inform) inform(text);
    }
    // A yes/no question; without anyone to ask (tools without a display) yes.
    bool Confirm(const QString& text) const { return !confirm || confirm(text); }
    const std::optional<InstrumentKey>& AnsweringInstrument() const { return answering; }
    // A number with a mask and the system's decimal separator.
    QString FormatNumber(double value, const std::string& mask) const;
    QString ProgramDateText() const;
};

}  // namespace velmar
