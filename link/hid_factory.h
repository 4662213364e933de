#pragma once
// Chooses the HID implementation from the command line: --device=sim[:CODE]
// for the virtual instrument inside the program, --device=unix:PATH or
// --device=tcp:HOST:PORT for one served on a socket, USB otherwise.

#include <QStringList>
#include <memory>

#include "link/hid_library.h"

namespace velmar {

// Returns nothing and sets *error for a bad --device or instrument flag.
std::unique_ptr<HidLibrary> CreateHidLibrary(const QStringList& arguments, QString* error);

}  // namespace velmar
