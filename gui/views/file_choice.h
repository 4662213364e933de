#pragma once
// The file dialogs of every window: they open in the folder the user last
// chose a file in (remembered between runs; the Documents folder at first),
// and a save offers a file name made of the instrument and the date.

#include <QString>
#include <cstdint>

class QWidget;

namespace velmar {

// The folder a file dialog opens in.
QString LastFolder();
// Remembers the folder of a chosen file; an empty path changes nothing.
void RememberFolder(const QString& filePath);

// "PX330_004711_20261211_104233": the short type name, the serial number
// and the date and time, for the name of a saved file.
QString InstrumentFileStem(uint16_t deviceType, uint32_t serial);

// The file dialogs, in the last folder; the chosen file's folder is
// remembered. A save offers name in it and asks before overwriting unless
// told the caller asks itself.
QString ChooseSaveFile(QWidget* parent, const QString& caption, const QString& name, const QString& filter,
                       bool confirmOverwrite = true);
QString ChooseOpenFile(QWidget* parent, const QString& caption, const QString& filter);

}  // namespace velmar
