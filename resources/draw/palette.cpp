#include "resources/draw/palette.h"

#include <algorithm>

namespace draw {

std::vector<Rgb> standardPalette16() {
    return {Rgb{0, 0, 0},       Rgb{128, 0, 0},   Rgb{0, 128, 0},   Rgb{128, 128, 0},
            Rgb{0, 0, 128},     Rgb{128, 0, 128}, Rgb{0, 128, 128}, Rgb{192, 192, 192},
            Rgb{128, 128, 128}, Rgb{255, 0, 0},   Rgb{0, 255, 0},   Rgb{255, 255, 0},
            Rgb{0, 0, 255},     Rgb{255, 0, 255}, Rgb{0, 255, 255}, Rgb{255, 255, 255}};
}

std::vector<Rgb> reducedPalette(const std::vector<Rgb>& colours, size_t count) {
    std::vector<Rgb> unique = colours;
    std::sort(unique.begin(), unique.end());
    unique.erase(std::unique(unique.begin(), unique.end()), unique.end());
    if (unique.size() <= count) {
        return unique;
    }

    std::vector<std::vector<Rgb>> boxes{colours};
    auto spread = [](const std::vector<Rgb>& box, int& channel) {
        int best = -1;
        for (int k = 0; k < 3; ++k) {
            auto [lo, hi] = std::minmax_element(box.begin(), box.end(),
                                                [k](const Rgb& a, const Rgb& b) { return a[k] < b[k]; });
            if ((*hi)[k] - (*lo)[k] > best) {
                best = (*hi)[k] - (*lo)[k];
                channel = k;
            }
        }
        return best;
    };
    while (boxes.size() < count) {
        int widest = 0;
        size_t pick = boxes.size();
        int channel = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            int c = 0;
            int s = spread(boxes[i], c);
            if (s > widest) {
                widest = s;
                pick = i;
                channel = c;
            }
        }
        if (pick == boxes.size()) {
            break;
        }
        auto& box = boxes[pick];
        std::stable_sort(box.begin(), box.end(),
                         [channel](const Rgb& a, const Rgb& b) { return a[channel] < b[channel]; });
        // Split between distinct values so that neither half is empty.
        size_t mid = box.size() / 2;
        while (mid > 0 && box[mid - 1][channel] == box[mid][channel]) {
            --mid;
        }
        if (mid == 0) {
            mid = box.size() / 2;
            while (mid < box.size() && box[mid - 1][channel] == box[mid][channel]) {
                ++mid;
            }
        }
        std::vector<Rgb> upper(box.begin() + static_cast<long>(mid), box.end());
        box.resize(mid);
        boxes.push_back(std::move(upper));
    }

    std::vector<Rgb> palette;
    for (const auto& box : boxes) {
        long sum[3] = {0, 0, 0};
        for (const Rgb& c : box) {
            for (int k = 0; k < 3; ++k) {
                sum[k] += c[k];
            }
        }
        long n = static_cast<long>(box.size());
        palette.push_back(Rgb{static_cast<std::uint8_t>((sum[0] + n / 2) / n),
                              static_cast<std::uint8_t>((sum[1] + n / 2) / n),
                              static_cast<std::uint8_t>((sum[2] + n / 2) / n)});
    }
    std::sort(palette.begin(), palette.end());
    return palette;
}

size_t nearestIndex(const std::vector<Rgb>& palette, Rgb c) {
    size_t best = 0;
    long bestDistance = -1;
    for (size_t i = 0; i < palette.size(); ++i) {
        // Weighted towards green, as the eye is.
        long dr = long(palette[i][0]) - c[0];
        long dg = long(palette[i][1]) - c[1];
        long db = long(palette[i][2]) - c[2];
        long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

} // namespace draw
