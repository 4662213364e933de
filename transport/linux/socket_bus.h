#pragma once
// Virtual instruments standing for the USB ones: each socket in a folder
// (velmar-sim --listen=unix:FOLDER/NAME.sock, one or several) is a node of
// the bus, so choosing among several instruments, listing them and going
// through them in turn can be tried without hardware.

#include <QString>
#include <QTimer>

#include "core/link/frame.h"
#include "transport/bus_hid.h"
#include "transport/linux/node_probe.h"

namespace velmar {

class SocketBus : public BusHid {
    Q_OBJECT
public:
    SocketBus(QString folder, InstrumentChoice choice, QObject* parent = nullptr);

protected:
    std::vector<std::string> Nodes() override;
    std::unique_ptr<HidLibrary> OpenNode(const std::string& node, NodeState* state) override;
    // A socket carries whole reports, the report id included; the server
    // serves one client at a time, so silence is another's turn.
    std::vector<AttachedInstrument> Identify(const std::vector<std::string>& nodes, int ms) override {
        return IdentifyNodes(nodes, ms, OpenForProbe, kReportSize, NodeState::kInUse);
    }
    void Watch() override;

private:
    static int OpenForProbe(const std::string& node, NodeState* state);

    QString folder_;
    QTimer rescan_;  // sockets come and go without an event
    std::vector<std::string> seen_;
};

}  // namespace velmar
