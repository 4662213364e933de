#include "gui/device/instrument_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "core/device/device_types.h"
#include "core/device/status_texts.h"
#include "gui/link/instrument_context.h"
#include "transport/instrument_choice.h"

namespace velmar {

QString InstrumentMenuText(const AttachedInstrument& a) {
    const QString node = QString::fromStdString(a.node);
    QString text =
        a.identified
            ? QString("PX%1 – %2 (%3)").arg(a.deviceType).arg(QString::fromStdString(SerialText(a.serial)), node)
            : node;
    switch (a.state) {
    case NodeState::kInUse: return text + QString::fromUtf8(" – másik program használja");
    case NodeState::kRefused: return text + QString::fromUtf8(" – nincs jogosultság");
    case NodeState::kSilent: return text + QString::fromUtf8(" – nem válaszol");
    default: return text;
    }
}

InstrumentMenu::InstrumentMenu(InstrumentContext& ctx, QMenuBar* menuBar, HidLibrary& hid, QLabel* count)
    : QObject(ctx.window), ctx_(ctx), hid_(hid), count_(count) {
    setObjectName("InstrumentMenu");
    Menu_Instruments = menuBar->addMenu(QString::fromUtf8("&Készülékek"));
    Menu_Instruments->setObjectName("Menu_Instruments");
    Menu_Instruments->menuAction()->setVisible(false);
    connect(Menu_Instruments, &QMenu::aboutToShow, this, &InstrumentMenu::Fill);
    connect(&hid_, &HidLibrary::instrumentsChanged, this, &InstrumentMenu::ShowCount);
}

void InstrumentMenu::ShowCount() {
    const std::size_t n = hid_.Instruments(false).size();
    count_->setText(QString::fromUtf8("%1 készülék csatlakozik").arg(n));
    count_->setVisible(n > 1);
    Menu_Instruments->menuAction()->setVisible(n > 1);
}

void InstrumentMenu::Fill() {
    Menu_Instruments->clear();
    auto* group = new QActionGroup(Menu_Instruments);
    for (const AttachedInstrument& a : hid_.Instruments(true)) {
        QAction* action = Menu_Instruments->addAction(InstrumentMenuText(a));
        action->setObjectName(QString::fromStdString("Action_Instrument:" + a.node));
        action->setCheckable(true);
        action->setChecked(a.current);
        action->setEnabled(a.current || a.state == NodeState::kFree);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, a] { Pick(a); });
    }
}

void InstrumentMenu::Pick(const AttachedInstrument& instrument) {
    if (instrument.current) return;
    // Asked for, so no "device replaced" question; what the window held of
    // the other instrument is forgotten all the same.
    ctx_.recRX.uLastDevice = 0;
    hid_.Choose(instrument);
}

}  // namespace velmar
