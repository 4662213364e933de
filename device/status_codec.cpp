#include "device/status_codec.h"

namespace velmar {

float ClampPercentage(float value) { return value <= 10000.0f ? value : 10000.0f; }

}  // namespace velmar
