#include "sim/display_image.h"

#include <array>

namespace velmar::sim {

namespace {
constexpr int kWidth = 128, kHeight = 64, kScale = 2;
constexpr int kGlyphWidth = 5, kGlyphHeight = 7, kAdvance = (kGlyphWidth + 1) * kScale;

struct Glyph {
    char c;
    std::array<uint8_t, kGlyphHeight> rows;  // bit 4 is the leftmost column
};
constexpr Glyph kFont[] = {
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}}, {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}}, {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}}, {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}}, {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}}, {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}}, {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}}, {'r', {0x00, 0x00, 0x16, 0x19, 0x10, 0x10, 0x10}},
};

const Glyph* GlyphFor(char c) {
    for (const Glyph& g : kFont)
        if (g.c == c) return &g;
    return nullptr;
}
}  // namespace

std::vector<uint8_t> BlankImage() { return std::vector<uint8_t>(kWidth * kHeight / 8, 0); }

void SetImagePixel(std::vector<uint8_t>& image, int x, int y) {
    if (x < 0 || x >= kWidth || y < 0 || y >= kHeight) return;
    image[std::size_t(y * (kWidth / 8) + x / 8)] |= uint8_t(0x80 >> (x % 8));
}

std::vector<uint8_t> TextImage(const std::string& text) {
    std::vector<uint8_t> image = BlankImage();
    const int left = (kWidth - int(text.size()) * kAdvance + kScale) / 2;
    const int top = (kHeight - kGlyphHeight * kScale) / 2;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Glyph* g = GlyphFor(text[i]);
        if (!g) continue;
        for (int row = 0; row < kGlyphHeight; ++row)
            for (int col = 0; col < kGlyphWidth; ++col) {
                if (!(g->rows[std::size_t(row)] & (0x10 >> col))) continue;
                for (int dy = 0; dy < kScale; ++dy)
                    for (int dx = 0; dx < kScale; ++dx)
                        SetImagePixel(image, left + int(i) * kAdvance + col * kScale + dx, top + row * kScale + dy);
            }
    }
    return image;
}

std::vector<uint8_t> TestPatternImage(uint8_t pattern) {
    std::vector<uint8_t> image = BlankImage();
    if (pattern == 2) {
        image.assign(image.size(), 0xFF);
    } else if (pattern == 3) {
        for (int x = 0; x < kWidth; ++x) SetImagePixel(image, x, 0), SetImagePixel(image, x, kHeight - 1);
        for (int y = 0; y < kHeight; ++y) SetImagePixel(image, 0, y), SetImagePixel(image, kWidth - 1, y);
    } else {
        image.clear();
    }
    return image;
}

}  // namespace velmar::sim
