#pragma once
// Where several instruments may be attached (USB): the nodes come and go,
// and the program talks to one of them, opened as a transport of its own.
// Which one follows the choice: the first found, a node, or a serial
// number; once the chosen one is unplugged the bus waits for it (or for a
// newly plugged one) and never jumps to another already attached.

#include <QTimer>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "transport/hid_library.h"
#include "transport/instrument_choice.h"

namespace velmar {

class BusHid : public HidLibrary {
    Q_OBJECT
public:
    // How long one round of status exchanges may take.
    static constexpr int kIdentifyMs = 300;

    explicit BusHid(InstrumentChoice choice, QObject* parent = nullptr);
    ~BusHid() override;

    void Connect() override;
    HidHandle GetHandle(uint16_t vendorId, uint16_t productId) override;
    uint16_t GetVendorID(HidHandle handle) override;
    uint16_t GetProductID(HidHandle handle) override;
    void GetVendorName(HidHandle handle, char* buffer, int size) override;
    void GetProductName(HidHandle handle, char* buffer, int size) override;
    void SetReadNotify(HidHandle handle, bool notify) override;
    [[nodiscard]] bool Read(HidHandle handle, uint8_t* buffer) override;
    [[nodiscard]] bool Write(HidHandle handle, const uint8_t* buffer) override;
    std::vector<AttachedInstrument> Instruments(bool identify) override;
    void Choose(const AttachedInstrument& instrument) override;

    const InstrumentChoice& Choice() const { return choice_; }

protected:
    // The nodes attached now, in a steady order.
    virtual std::vector<std::string> Nodes() = 0;
    // Opens one node as a transport of one instrument (announced by a plugged
    // event once connected); nothing, with *state saying why, when it cannot.
    virtual std::unique_ptr<HidLibrary> OpenNode(const std::string& node, NodeState* state) = 0;
    // One status exchange with each node (none of them open here), within
    // ms: who answers, or why a node could not be asked.
    virtual std::vector<AttachedInstrument> Identify(const std::vector<std::string>& nodes, int ms) = 0;
    // Starts following nodes that come and go; NodesChanged() tells of them.
    virtual void Watch() = 0;
    // The nodes that could not be opened while none is open (empty once one
    // is): the transport tells the user why.
    virtual void ShowProblems(const std::map<std::string, NodeState>& problems) { (void)problems; }

    void NodesChanged();
    // Tells the user (through accessProblem and the log) what keeps the
    // instruments out of reach, once a text; empty once nothing does.
    void SayProblem(const QString& text);

private:
    void StartWatching();
    void Reconsider();
    std::vector<std::string> Candidates(const std::vector<std::string>& nodes);
    void Open(const std::string& node, std::unique_ptr<HidLibrary> port);
    // Drops the open node; the link hears of it as an unplug.
    void Close();
    void Lost();
    void OnPortEvent(int event, HidHandle portHandle);
    void Remember(const AttachedInstrument& found);

    InstrumentChoice choice_;
    bool connected_ = false;
    bool watching_ = false;
    std::unique_ptr<HidLibrary> port_;
    std::string portNode_;
    HidHandle portHandle_ = 0;
    HidHandle handle_ = 0;  // what the link sees: new for every node opened
    bool plugged_ = false;
    // Who answers on the open node, from its frames.
    std::optional<std::pair<uint16_t, uint32_t>> current_;
    // Nodes attached when the chosen instrument went away: not taken in its
    // place, as they are other instruments.
    std::set<std::string> passedOver_;
    std::map<std::string, std::pair<uint16_t, uint32_t>> known_;  // node: type, serial
    std::map<std::string, NodeState> problems_;
    std::vector<std::string> lastNodes_;
    QString problemSaid_;
    QTimer retry_;
};

}  // namespace velmar
