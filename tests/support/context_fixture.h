#pragma once
// An instrument context of its own, without the main window: its records,
// a transfer that only holds the payloads, and an in-process virtual
// instrument behind the command-line tool's link. A page or a dialog built
// on it reads from the virtual instrument as it would through the window.

#include <QWidget>
#include <array>
#include <gtest/gtest.h>
#include <optional>

#include "gui/link/instrument_context.h"
#include "tests/support/no_host.h"
#include "tests/support/wait_for.h"
#include "transport/command_link.h"
#include "transport/sim_hid.h"

namespace velmar {

struct ContextFixture : ::testing::Test {
    tRX rx;
    tTX tx;
    TMBU mbu;
    TGlobalVar global;
    std::array<uint8_t, 67> out{};
    std::array<uint8_t, 65> in{};
    test::NoHost host;  // the transfer only carries the payloads: the link does the frames
    PayloadTransfer transfer{mbu, out.data(), in.data(), host};
    CommandRegistry commands;
    CommandEngine engine;
    ValueDestinations destinations;
    QChar decimalSeparator = ',';
    QChar dateSeparator = '.';
    bool velmarMode = false;
    bool firstSlot = true;
    std::optional<InstrumentKey> answering;
    QString firmware;
    QString shownUnit = QStringLiteral("?");
    InstrumentEvents events;
    QWidget window;
    TForm_IncDec* digitEditor = nullptr;
    TForm_IncDecEdit* typedEditor = nullptr;
    QStringList informed;
    std::function<void(const QString&)> inform = [this](const QString& t) { informed << t; };
    std::function<bool(const QString&)> confirm = [](const QString&) { return true; };
    InstrumentContext ctx{rx,         tx,        mbu,          global,           transfer,
                          commands,   engine,    destinations, decimalSeparator, dateSeparator,
                          velmarMode, firstSlot, answering,    firmware,         shownUnit,
                          events,     &window,   digitEditor,  typedEditor,      inform,
                          confirm};

    std::unique_ptr<SimHid> hid;
    std::unique_ptr<CommandLink> link;

    // The virtual instrument on the bus, the link online to it.
    void Attach(sim::InstrumentConfig config) {
        hid = std::make_unique<SimHid>(config);
        link = std::make_unique<CommandLink>(*hid);
        link->Start();
        WAIT_FOR(link->Online(), 2000);
    }
    sim::VirtualInstrument& Instrument() { return hid->Instrument(); }

    // One command as the main window's scheduler takes it: the registered
    // builder fills the request, the virtual instrument answers, and the
    // registered decoder takes the answer.
    void Exchange(uint8_t command) {
        mbu.uIndexForDataWrite = 0;
        commands.Build(command);
        const std::vector<uint8_t> request(mbu.uyDataOut.begin(), mbu.uyDataOut.begin() + mbu.uIndexForDataWrite);
        std::optional<CommandResult> result;
        link->engine.Submit(command, request, [&](const CommandResult& r) { result = r; });
        WAIT_FOR(result, 2000);
        ASSERT_EQ(result->error, 0) << "command " << int(command);
        answering = InstrumentKey{link->DeviceType(), link->Serial()};
        std::copy(result->answer.begin(), result->answer.end(), mbu.uyDataIn.begin());
        mbu.uSumDataByteFromRx = uint16_t(result->answer.size());
        mbu.uIndexForDataRead = 0;
        emit events.commandAnswered(command, request, result->answer);
        ASSERT_TRUE(commands.Decode(command)) << "no decoder for command " << int(command);
    }
};

}  // namespace velmar
