#pragma once
// Chooses the HID implementation from the command line: --device=sim[:CODE]
// for the virtual instrument inside the program, --device=unix:PATH or
// --device=tcp:HOST:PORT for one served on a socket, USB otherwise, where
// --device=usb:NODE or usb:SERIAL picks one of several instruments and
// --sim-bus=FOLDER puts the virtual instruments served on the sockets in
// FOLDER in place of the USB ones.

#include <QStringList>
#include <memory>

#include "transport/hid_library.h"
#include "transport/instrument_choice.h"

namespace velmar {

// Returns nothing and sets *error for a bad --device or instrument flag.
std::unique_ptr<HidLibrary> CreateHidLibrary(const QStringList& arguments, QString* error);

// Whether the arguments talk to the bus of several instruments (USB, or the
// sockets standing for it), and which instrument they choose there.
[[nodiscard]] bool ChoosesOnBus(const QStringList& arguments, InstrumentChoice* choice, QString* error);

}  // namespace velmar
