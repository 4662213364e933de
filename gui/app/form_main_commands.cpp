// The scheduler: which command goes next, how it starts, and where its
// completed answer goes.

#include <QAbstractButton>
#include <QCheckBox>
#include <QHash>
#include <QTimer>
#include <map>
#include <vector>

#include "core/link/command_table.h"
#include "core/link/frame.h"
#include "core/link/priority_list.h"
#include "core/settings/settings_blocks.h"
#include "gui/app/form_main.h"
#include "gui/link/monitor_page.h"

namespace velmar {

namespace {
// The first button of each wanted name in the order findChild() meets them
// (a parent's own children first, then each child's tree in turn), from one
// walk of the tree rather than one walk a name: the main window's tree holds
// every page and dialog.
void FindButtons(const QObject* parent, QHash<QString, QAbstractButton*>& wanted, qsizetype& missing) {
    const QObjectList& children = parent->children();
    for (QObject* child : children) {
        auto* button = qobject_cast<QAbstractButton*>(child);
        if (!button) continue;
        auto found = wanted.find(button->objectName());
        if (found != wanted.end() && !*found) {
            *found = button;
            if (--missing == 0) return;
        }
    }
    for (QObject* child : children) {
        FindButtons(child, wanted, missing);
        if (missing == 0) return;
    }
}
}  // namespace

void TForm1::ResolveRequestButtons(const QList<QWidget*>& dialogs) {
    // Who holds each rank's buttons: the main window or one of the dialogs.
    std::vector<QObject*> owners;
    for (const PriorityRank& r : PriorityList()) {
        QObject* owner = this;
        if (r.window) {
            owner = nullptr;
            for (QWidget* d : dialogs)
                if (d->objectName() == r.window) owner = d;
        }
        owners.push_back(owner);
    }
    std::map<QObject*, QHash<QString, QAbstractButton*>> named;
    for (std::size_t i = 0; i < owners.size(); ++i) {
        if (!owners[i]) continue;
        const PriorityRank& r = PriorityList()[i];
        named[owners[i]].insert(QString::fromUtf8(r.button), nullptr);
        if (r.button2) named[owners[i]].insert(QString::fromUtf8(r.button2), nullptr);
    }
    for (auto& [owner, wanted] : named) {
        qsizetype missing = wanted.size();
        FindButtons(owner, wanted, missing);
    }
    requestButtons_.clear();
    requestChanges_.clear();
    for (std::size_t i = 0; i < owners.size(); ++i) {
        const PriorityRank& r = PriorityList()[i];
        requestChanges_.push_back(ChangesInstrument(r.command));
        std::array<QAbstractButton*, 2> buttons{};
        if (owners[i]) {
            const auto& wanted = named[owners[i]];
            buttons[0] = wanted.value(QString::fromUtf8(r.button));
            if (r.button2) buttons[1] = wanted.value(QString::fromUtf8(r.button2));
        }
        requestButtons_.push_back(buttons);
    }
}

bool TForm1::RequestPending(std::size_t rank) const {
    const PriorityRank& r = PriorityList()[rank];
    if (r.slot == SlotRule::Primary && !bFoKimenetiModulVanNyitva) return false;
    if (r.slot == SlotRule::Secondary && bFoKimenetiModulVanNyitva) return false;
    for (QAbstractButton* b : requestButtons_[rank])
        if (b && b->isChecked()) return true;
    return false;
}

void TForm1::DropPendingChanges(const QString& why) {
    bool dropped = false;
    for (std::size_t i = 0; i < requestButtons_.size(); ++i) {
        if (!requestChanges_[i]) continue;
        for (QAbstractButton* b : requestButtons_[i]) {
            if (!b || !b->isChecked()) continue;
            b->setChecked(false);
            dropped = true;
        }
    }
    // Told once the event at hand is dealt with: a message box here would
    // run the event loop in the middle of an answer or a plug event.
    if (dropped) QTimer::singleShot(0, this, [this, why] { Inform(why); });
}

void TForm1::Timer_CommTimer() {
    if (!recMBU.bWaitForAnswer) ScheduleCommand();
}

void TForm1::ScheduleCommand() {
    if (!recMBU.bOnline) {
        // A write does not wait for a link: whatever comes back may be
        // another instrument.
        DropPendingChanges(QString::fromUtf8("Nincs kapcsolat a készülékkel: a kért beírás nem került a készülékbe."));
        return;
    }
    if (recMBU.uLinkedCommand != 0) {
        const uint8_t linked = recMBU.uLinkedCommand;
        recMBU.uLinkedCommand = 0;
        StartCommand(linked);
        return;
    }
    if (recMBU.uTP != phase::kIdle) return;
    for (std::size_t i = 0; i < requestButtons_.size(); ++i) {
        if (!RequestPending(i) || (requestChanges_[i] && !answeredSinceLinkUp_)) continue;
        StartCommand(PriorityList()[i].command);
        return;
    }
    const bool paused = monitor->ui.CheckBox_MBUPause->isChecked();
    if (engine.Queued() && (!statusTurn_ || paused)) {
        statusTurn_ = true;
        StartCommand(engine.StartNext(), true);
        return;
    }
    statusTurn_ = false;
    if (!paused) StartCommand(kStatusCommand);
}

void TForm1::StartCommand(uint8_t command, bool forEngine) {
    engineInFlight_ = forEngine;
    transfer.BeginCommand();
    recTX.uHostID = FillTxHeader(FBufferOut.data(), recMBU.uDeviceType, command, MinimumFirmwareFor(recMBU.uDeviceType),
                                 VersionDate{});
    if (forEngine) {
        for (uint8_t b : engine.ActiveRequest()) transfer.WriteByte(b);
    } else {
        commands.Build(command);
    }
    transfer.SendNextChunk();
}

void TForm1::ProcessRxCommand(uint8_t command) {
    const auto payloads = [this] {
        const uint8_t* out = recMBU.uyDataOut.data();
        const uint8_t* in = recMBU.uyDataIn.data();
        const std::size_t inLength = std::min<std::size_t>(recMBU.uSumDataByteFromRx, recMBU.uyDataIn.size());
        return std::pair{std::vector<uint8_t>(out, out + recMBU.uIndexForDataWrite),
                         std::vector<uint8_t>(in, in + inLength)};
    };
    if (IsBlockCommand(command)) {
        const auto [request, answer] = payloads();
        emit events.blockExchanged(command, request, answer);
    }
    // The status poll is left out: it is most of the traffic and no page
    // waits for it here.
    if (!engineInFlight_ && command != kStatusCommand) {
        const auto [request, answer] = payloads();
        emit events.commandAnswered(command, request, answer);
    }
    // An answer the engine asked for goes back to it alone: the dialogs
    // keep what they show.
    if (engineInFlight_) {
        engineInFlight_ = false;
        const std::size_t length = std::min<std::size_t>(recMBU.uSumDataByteFromRx, recMBU.uyDataIn.size());
        engine.Answered(recMBU.uyDataIn.data(), length);
        return;
    }
    commands.Decode(command);
}

}  // namespace velmar
