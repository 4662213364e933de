#pragma once
// The service commands of the factory pages: which button requests each,
// which calibration constants its answer carries and where they are shown,
// and whether it changes the instrument for good. One row per command; the
// program decodes them from this table and the virtual instrument answers
// from it.

#include <array>
#include <cstdint>
#include <span>

#include "core/device/records.h"

namespace velmar {

inline constexpr uint8_t kWriteIdentity = 1;
inline constexpr uint8_t kEraseMemory = 106;
inline constexpr uint8_t kReadDisplayImage = 123;
inline constexpr uint8_t kWritePt1000 = 130;
inline constexpr uint8_t kWriteTimerConstant = 226;
inline constexpr uint8_t kReadTimerConstant = 227;
// The analog output's points: 16-bit PWM values, decoded by their page.
inline constexpr uint8_t kCalibrateOutputLow = 114;
inline constexpr uint8_t kCalibrateOutputHigh = 115;
inline constexpr uint8_t kReadOutputCalibration = 116;

// The time base of the timer input: 600000 belongs to exactly 5 kHz.
inline constexpr int32_t kNominalTimerConstant = 600000;
inline constexpr int32_t kMaxTimerConstant = 999999;  // six digits

struct ServiceCommand {
    uint8_t code;
    const char* button;  // its request button on the main window
    std::array<int32_t tRX::*, 4> fields;  // the answer's integers in order; null after the last
    std::array<const char*, 4> targets;  // the label or edit showing each field
    const char* mask;  // number mask of the shown values
    bool permanent;  // changes the instrument for good: asked first
    const char* then;  // request button pressed after the answer, or null
};

std::span<const ServiceCommand> ServiceCommands();
const ServiceCommand* FindServiceCommand(uint8_t code);
// How many integers the command's answer carries.
int FieldCount(const ServiceCommand& c);

// The identity record of command 1, for the program and the instrument alike.
template <class IO, class TX>
void IdentityLayout(IO& io, TX& tx) {
    io.U32(tx.uDeviceID);
    io.U8(tx.uGyariSzamEv);
    io.U8(tx.uGyariSzamHonap);
    io.U16(tx.uDeviceType);
    io.U8(tx.uPXOptIn);
    io.U8(tx.uPXOptOutPrimer);
    io.U8(tx.uPXOptOutSecondary);
    io.Bool(tx.bPt1000);
}

// The display image: 128 x 64 pixels, 16 bytes a row from the top, the most
// significant bit of a byte the leftmost pixel.
inline constexpr int kImageWidth = 128, kImageHeight = 64;
inline bool ImagePixelLit(std::span<const uint8_t> image, int x, int y) {
    const std::size_t at = std::size_t(y * (kImageWidth / 8) + x / 8);
    return at < image.size() && (image[at] & (0x80 >> (x % 8)));
}

}  // namespace velmar
