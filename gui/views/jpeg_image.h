#pragma once
// JPEG decoding through libjpeg directly, so the program does not depend on
// Qt's image format plugins being installed next to it.

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace velmar {

// Pictures wider or taller than this are refused before any allocation.
inline constexpr int kMaxJpegSide = 8192;

// Decodes a baseline or progressive JPEG (colour or grey) into an RGB888
// image. Corrupt, truncated or oversized input gives a null image and, when
// error is given, the reason.
QImage DecodeJpeg(const QByteArray& data, QString* error = nullptr);

// The program's logo compiled into the executable, decoded on first use.
QPixmap LogoPixmap();

}  // namespace velmar
