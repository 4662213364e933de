#pragma once
// What the instrument's display shows, as the 1024-byte image it answers the
// display read-back with: 128 x 64 pixels, one bit each, rows from the top,
// the most significant bit of a byte the leftmost pixel.

#include <cstdint>
#include <string>
#include <vector>

namespace velmar::sim {

std::vector<uint8_t> BlankImage();
void SetImagePixel(std::vector<uint8_t>& image, int x, int y);

// The text centred in a 5 x 7 font drawn at twice its size. Digits, '-',
// '.', ' ' and the letters of "Err" are known; other characters leave a gap.
std::vector<uint8_t> TextImage(const std::string& text);

// Test patterns the host may ask for: 2 all lit, 3 a frame round the edge;
// an empty image for the others.
std::vector<uint8_t> TestPatternImage(uint8_t pattern);

}  // namespace velmar::sim
