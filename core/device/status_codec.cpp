#include "core/device/status_codec.h"

namespace velmar {

float ClampPercentage(float value) {
    if (!(value <= 10000.0f)) return 10000.0f;  // also not-a-number
    return value < -10000.0f ? -10000.0f : value;
}

}  // namespace velmar
