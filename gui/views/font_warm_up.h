#pragma once

#include <memory>

namespace velmar {

// Reading the system's font configuration is the longest single step of a
// start on Linux: fontconfig parses its XML files and loads its caches
// before the first text can be measured. Begun before the application
// object exists, it runs beside the loading of the platform and its theme;
// Finish() waits for it and fills Qt's font list, so that the window's
// building, with its poll timer already running, does neither. Elsewhere
// Qt asks the system, which needs no such start, and this does nothing
// before Finish().
class FontWarmUp {
public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

    // Needs the application object.
    void Finish();

private:
    struct Reader;
    std::unique_ptr<Reader> reader_;
};

}  // namespace velmar
