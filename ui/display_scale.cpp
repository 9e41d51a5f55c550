#include "ui/display_scale.h"

#include <cstdint>

namespace lur {

int scaleToDpi(int value, int dpi) {
    if (dpi <= 0) {
        dpi = kDesignDpi;
    }
    const std::int64_t product = static_cast<std::int64_t>(value) * dpi;
    const std::int64_t half = kDesignDpi / 2;
    const std::int64_t rounded =
        product >= 0 ? (product + half) / kDesignDpi : -((-product + half) / kDesignDpi);
    return static_cast<int>(rounded);
}

int pictureScaleIndex(int dpi) {
    if (dpi <= 0) {
        dpi = kDesignDpi;
    }
    for (std::size_t i = 0; i < kPictureScales.size(); ++i) {
        // The scale's dpi may fall between whole numbers: compare in hundredths.
        if (static_cast<std::int64_t>(dpi) * 100 <=
            static_cast<std::int64_t>(kPictureScales[i]) * kDesignDpi) {
            return static_cast<int>(i);
        }
    }
    return static_cast<int>(kPictureScales.size()) - 1;
}

int iconImageSize(int pixels) {
    for (int size : kIconSizes) {
        if (pixels <= size) {
            return size;
        }
    }
    return kIconSizes.back();
}

} // namespace lur
