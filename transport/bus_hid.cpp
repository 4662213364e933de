#include "transport/bus_hid.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "core/link/frame.h"
#include "program/log_categories.h"

namespace velmar {

namespace {
bool Has(const std::vector<std::string>& nodes, const std::string& node) {
    return std::find(nodes.begin(), nodes.end(), node) != nodes.end();
}
}  // namespace

BusHid::BusHid(InstrumentChoice choice, QObject* parent) : HidLibrary(parent), choice_(std::move(choice)) {
    // Access granted by a rule, or a node another program let go of, comes
    // without an event of its own.
    retry_.setInterval(2000);
    connect(&retry_, &QTimer::timeout, this, &BusHid::Reconsider);
}

BusHid::~BusHid() {
    if (port_) port_->disconnect(this);
}

void BusHid::StartWatching() {
    if (watching_) return;
    watching_ = true;
    Watch();
    lastNodes_ = Nodes();
}

void BusHid::Connect() {
    if (connected_) return;
    connected_ = true;
    StartWatching();
    Reconsider();
    QMetaObject::invokeMethod(
        this, [this] { emit instrumentsChanged(); }, Qt::QueuedConnection);
}

void BusHid::SayProblem(const QString& text) {
    if (text == problemSaid_) return;
    problemSaid_ = text;
    if (!text.isEmpty()) qCWarning(lcUsb, "%s", qUtf8Printable(text));
    QMetaObject::invokeMethod(
        this, [this, text] { emit accessProblem(text); }, Qt::QueuedConnection);
}

void BusHid::NodesChanged() {
    const std::vector<std::string> nodes = Nodes();
    std::erase_if(known_, [&](const auto& k) { return !Has(nodes, k.first); });
    std::erase_if(problems_, [&](const auto& p) { return !Has(nodes, p.first); });
    std::erase_if(passedOver_, [&](const std::string& n) { return !Has(nodes, n); });
    if (port_ && !Has(nodes, portNode_)) Lost();
    Reconsider();
    if (nodes != lastNodes_) {
        lastNodes_ = nodes;
        emit instrumentsChanged();
    }
}

std::vector<std::string> BusHid::Candidates(const std::vector<std::string>& nodes) {
    std::vector<std::string> out;
    switch (choice_.kind) {
    case InstrumentChoice::Kind::kNode:
        if (Has(nodes, choice_.node)) out.push_back(choice_.node);
        break;
    case InstrumentChoice::Kind::kSerial: {
        std::vector<std::string> unknown;
        for (const std::string& n : nodes)
            if (!known_.count(n)) unknown.push_back(n);
        for (const AttachedInstrument& a : Identify(unknown, kIdentifyMs)) {
            Remember(a);
            if (!a.identified && a.state != NodeState::kFree) problems_[a.node] = a.state;
        }
        for (const std::string& n : nodes) {
            auto it = known_.find(n);
            if (it != known_.end() && it->second.second == choice_.serial) out.push_back(n);
        }
        break;
    }
    case InstrumentChoice::Kind::kFirst:
    case InstrumentChoice::Kind::kAll:
        for (const std::string& n : nodes)
            if (!passedOver_.count(n)) out.push_back(n);
        break;
    }
    return out;
}

void BusHid::Reconsider() {
    if (!connected_ || port_) {
        retry_.stop();
        return;
    }
    for (const std::string& node : Candidates(Nodes())) {
        NodeState state = NodeState::kFree;
        if (auto port = OpenNode(node, &state)) {
            problems_.erase(node);
            Open(node, std::move(port));
            break;
        }
        if (state == NodeState::kGone)
            problems_.erase(node);
        else
            problems_[node] = state;
    }
    if (port_) {
        retry_.stop();
        ShowProblems({});
        return;
    }
    ShowProblems(problems_);
    if (problems_.empty())
        retry_.stop();
    else if (!retry_.isActive())
        retry_.start();
}

void BusHid::Open(const std::string& node, std::unique_ptr<HidLibrary> port) {
    port_ = std::move(port);
    portNode_ = node;
    portHandle_ = 0;
    plugged_ = false;
    current_.reset();
    passedOver_.clear();
    ++handle_;
    connect(port_.get(), &HidLibrary::hidEvent, this, &BusHid::OnPortEvent);
    port_->Connect();
}

void BusHid::Close() {
    if (!port_) return;
    port_->disconnect(this);
    // This may run inside the port's own signal: it goes later.
    port_.release()->deleteLater();
    portNode_.clear();
    if (plugged_) {
        plugged_ = false;
        const HidHandle gone = handle_;
        QMetaObject::invokeMethod(
            this, [this, gone] { emit hidEvent(kHidUnplugged, gone); }, Qt::QueuedConnection);
    }
}

void BusHid::Lost() {
    const std::string lost = portNode_;
    Close();
    if (choice_.kind == InstrumentChoice::Kind::kFirst || choice_.kind == InstrumentChoice::Kind::kAll) {
        // Those still attached are other instruments; the lost one may come
        // back on its node or on a new one.
        for (const std::string& n : Nodes())
            if (n != lost) passedOver_.insert(n);
    }
}

void BusHid::OnPortEvent(int event, HidHandle portHandle) {
    portHandle_ = portHandle;
    switch (event) {
    case kHidPlugged:
        plugged_ = true;
        emit hidEvent(kHidPlugged, handle_);
        break;
    case kHidUnplugged:
        Lost();
        Reconsider();
        break;
    default: emit hidEvent(event, handle_); break;
    }
}

void BusHid::Remember(const AttachedInstrument& found) {
    if (found.identified) known_[found.node] = {found.deviceType, found.serial};
}

std::vector<AttachedInstrument> BusHid::Instruments(bool identify) {
    StartWatching();
    const std::vector<std::string> nodes = Nodes();
    std::vector<AttachedInstrument> out;
    std::vector<std::string> ask;
    for (const std::string& n : nodes) {
        AttachedInstrument a;
        a.node = n;
        if (port_ && n == portNode_) {
            a.current = true;
            if (current_) {
                a.identified = true;
                std::tie(a.deviceType, a.serial) = *current_;
            }
        } else if (identify) {
            ask.push_back(n);
        } else {
            if (auto p = problems_.find(n); p != problems_.end()) a.state = p->second;
            if (auto k = known_.find(n); k != known_.end()) {
                a.identified = true;
                std::tie(a.deviceType, a.serial) = k->second;
            }
        }
        out.push_back(a);
    }
    if (!ask.empty()) {
        for (const AttachedInstrument& found : Identify(ask, kIdentifyMs)) {
            Remember(found);
            for (AttachedInstrument& a : out)
                if (a.node == found.node) a = found;
        }
    }
    return out;
}

void BusHid::Choose(const AttachedInstrument& instrument) {
    InstrumentChoice choice;
    if (instrument.identified) {
        choice.kind = InstrumentChoice::Kind::kSerial;
        choice.serial = instrument.serial;
        known_[instrument.node] = {instrument.deviceType, instrument.serial};
    } else {
        choice.kind = InstrumentChoice::Kind::kNode;
        choice.node = instrument.node;
    }
    choice_ = choice;
    if (port_ && portNode_ != instrument.node) Close();
    passedOver_.clear();
    Reconsider();
    emit instrumentsChanged();
}

HidHandle BusHid::GetHandle(uint16_t vendorId, uint16_t productId) {
    return plugged_ && vendorId == kVendorId && productId == kProductId ? handle_ : 0;
}

// Every node of the bus is one of our instruments, so a handle it ever gave
// keeps the ids, as the link checks them on the unplug too.
uint16_t BusHid::GetVendorID(HidHandle handle) { return handle && handle <= handle_ ? kVendorId : 0; }
uint16_t BusHid::GetProductID(HidHandle handle) { return handle && handle <= handle_ ? kProductId : 0; }

void BusHid::GetVendorName(HidHandle handle, char* buffer, int size) {
    if (port_ && handle == handle_)
        port_->GetVendorName(portHandle_, buffer, size);
    else if (buffer && size > 0)
        buffer[0] = 0;
}

void BusHid::GetProductName(HidHandle handle, char* buffer, int size) {
    if (port_ && handle == handle_)
        port_->GetProductName(portHandle_, buffer, size);
    else if (buffer && size > 0)
        buffer[0] = 0;
}

void BusHid::SetReadNotify(HidHandle handle, bool notify) {
    if (port_ && handle == handle_) port_->SetReadNotify(portHandle_, notify);
}

bool BusHid::Read(HidHandle handle, uint8_t* buffer) {
    if (!port_ || handle != handle_ || !port_->Read(portHandle_, buffer)) return false;
    // Who answers is in every good frame's header.
    std::array<uint8_t, kReportSize> copy;
    std::memcpy(copy.data(), buffer, kReportSize);
    if (CheckRxCRC(copy.data()) && copy[pos::kError] == err::kOk) {
        current_ = {GetU16(copy.data(), pos::kDevice), GetU32(copy.data(), pos::kId)};
        known_[portNode_] = *current_;
    }
    return true;
}

bool BusHid::Write(HidHandle handle, const uint8_t* buffer) {
    return port_ && plugged_ && handle == handle_ && port_->Write(portHandle_, buffer);
}

}  // namespace velmar
