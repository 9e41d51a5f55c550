#include "lurcore/store/settings_file.h"

#include <algorithm>
#include <cstring>

namespace lurcore {

std::uint32_t crc32(std::span<const std::uint8_t> bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::uint8_t b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

std::vector<std::uint8_t> encodeSettings(const TSharedSettings& settings) {
    std::vector<std::uint8_t> out(kSettingsMagic.begin(), kSettingsMagic.end());
    out.push_back(kSettingsVersion);
    const auto* raw = reinterpret_cast<const std::uint8_t*>(&settings);
    out.insert(out.end(), raw, raw + sizeof(TSharedSettings));
    const std::uint32_t crc = crc32(out);
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(crc >> shift));
    }
    return out;
}

std::optional<TSharedSettings> decodeSettings(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != kSettingsFileSize) {
        return std::nullopt;
    }
    if (!std::equal(kSettingsMagic.begin(), kSettingsMagic.end(), bytes.begin())) {
        return std::nullopt;
    }
    if (bytes[4] != kSettingsVersion) {
        return std::nullopt;
    }
    const std::size_t body = kSettingsFileSize - 4;
    std::uint32_t stored = 0;
    for (int i = 0; i < 4; ++i) {
        stored |= static_cast<std::uint32_t>(bytes[body + i]) << (8 * i);
    }
    if (stored != crc32(bytes.first(body))) {
        return std::nullopt;
    }
    TSharedSettings settings{};
    std::memcpy(&settings, bytes.data() + 5, sizeof(TSharedSettings));
    return settings;
}

TSharedSettings settingsOrDefaults(const std::optional<std::vector<std::uint8_t>>& fileBytes) {
    if (fileBytes) {
        if (auto settings = decodeSettings(*fileBytes)) {
            return *settings;
        }
    }
    return kDefaultSettings;
}

} // namespace lurcore
