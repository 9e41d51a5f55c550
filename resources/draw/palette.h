#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace draw {

using Rgb = std::array<std::uint8_t, 3>;

// The 16 colours of the standard Windows palette, in index order.
std::vector<Rgb> standardPalette16();

// At most `count` colours that stand for the given ones: the colours
// themselves when few enough, else a median cut.
std::vector<Rgb> reducedPalette(const std::vector<Rgb>& colours, std::size_t count);

std::size_t nearestIndex(const std::vector<Rgb>& palette, Rgb c);

} // namespace draw
