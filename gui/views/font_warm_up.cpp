#include "gui/views/font_warm_up.h"

#include <QFontDatabase>

#if defined(Q_OS_LINUX)
#include <fontconfig/fontconfig.h>

#include <thread>
#endif

namespace velmar {

struct FontWarmUp::Reader {
#if defined(Q_OS_LINUX)
    // Qt's own FcInit() later finds the configuration loaded. Both may run
    // at once (fontconfig keeps whichever finishes first), but Finish()
    // joins before Qt asks.
    std::thread thread{[] { (void)FcInit(); }};
#endif
    void Join() {
#if defined(Q_OS_LINUX)
        if (thread.joinable()) thread.join();
#endif
    }
};

FontWarmUp::FontWarmUp() : reader_(std::make_unique<Reader>()) {}

FontWarmUp::~FontWarmUp() { reader_->Join(); }

void FontWarmUp::Finish() {
    reader_->Join();
    (void)QFontDatabase::families();
}

}  // namespace velmar
