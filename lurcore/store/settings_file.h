// The stored form of the settings block: magic, version, the ten bytes, a CRC-32 of what precedes it.
#pragma once

#include "engine/lurcore.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace lurcore {

inline constexpr std::array<std::uint8_t, 4> kSettingsMagic{'L', 'U', 'R', 'S'};
inline constexpr std::uint8_t kSettingsVersion = 1;
inline constexpr std::size_t kSettingsFileSize = 4 + 1 + sizeof(TSharedSettings) + 4;

// What the block holds before anything was ever stored.
inline constexpr TSharedSettings kDefaultSettings{0, 1, 1, 0, 1, 0, 0, 0, 0, 0};

std::uint32_t crc32(std::span<const std::uint8_t> bytes);

std::vector<std::uint8_t> encodeSettings(const TSharedSettings& settings);

// Empty when the bytes are not exactly one intact record of our format.
std::optional<TSharedSettings> decodeSettings(std::span<const std::uint8_t> bytes);

// A damaged, short, oversize or missing file reads as the defaults.
TSharedSettings settingsOrDefaults(const std::optional<std::vector<std::uint8_t>>& fileBytes);

} // namespace lurcore
