#pragma once
// Several instruments attached: the header says how many, and the
// "Készülékek" menu lists them (each free one asked who it is when the menu
// opens) and lets the user pick the one the program talks to.

#include <QObject>

#include "transport/hid_library.h"

class QLabel;
class QMenu;
class QMenuBar;

namespace velmar {

struct InstrumentContext;

class InstrumentMenu : public QObject {
    Q_OBJECT
public:
    InstrumentMenu(InstrumentContext& ctx, QMenuBar* menuBar, HidLibrary& hid, QLabel* count);

    QMenu* Menu_Instruments = nullptr;

private:
    void ShowCount();
    void Fill();
    void Pick(const AttachedInstrument& instrument);

    InstrumentContext& ctx_;
    HidLibrary& hid_;
    QLabel* count_;
};

// The menu's line for one instrument.
QString InstrumentMenuText(const AttachedInstrument& instrument);

}  // namespace velmar
