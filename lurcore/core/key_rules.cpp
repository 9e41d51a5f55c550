#include "lurcore/core/key_rules.h"

#include <array>

namespace lurcore::core {
namespace {

constexpr std::array kTelexRules = {
    KeyRule{u's', MarkAction::Tone, 0, Tone::Acute},
    KeyRule{u'f', MarkAction::Tone, 0, Tone::Grave},
    KeyRule{u'r', MarkAction::Tone, 0, Tone::Hook},
    KeyRule{u'x', MarkAction::Tone, 0, Tone::Tilde},
    KeyRule{u'j', MarkAction::Tone, 0, Tone::Dot},
    KeyRule{u'z', MarkAction::ToneRemove, 0, Tone::None},
    KeyRule{u'a', MarkAction::Hat, u'a', Tone::None},
    KeyRule{u'e', MarkAction::Hat, u'e', Tone::None},
    KeyRule{u'o', MarkAction::Hat, u'o', Tone::None},
    KeyRule{u'w', MarkAction::HornOrBreve, 0, Tone::None},
    KeyRule{u'd', MarkAction::Stroke, u'd', Tone::None},
};

constexpr std::array kVniRules = {
    KeyRule{u'1', MarkAction::Tone, 0, Tone::Acute},     KeyRule{u'2', MarkAction::Tone, 0, Tone::Grave},
    KeyRule{u'3', MarkAction::Tone, 0, Tone::Hook},      KeyRule{u'4', MarkAction::Tone, 0, Tone::Tilde},
    KeyRule{u'5', MarkAction::Tone, 0, Tone::Dot},       KeyRule{u'6', MarkAction::Hat, 0, Tone::None},
    KeyRule{u'7', MarkAction::Horn, 0, Tone::None},      KeyRule{u'8', MarkAction::Breve, u'a', Tone::None},
    KeyRule{u'9', MarkAction::Stroke, u'd', Tone::None}, KeyRule{u'0', MarkAction::ToneRemove, 0, Tone::None},
};

// For each ASCII key, where its rule is in the list plus one; 0 when the key has none.
template <std::size_t N>
constexpr std::array<std::uint8_t, 128> indexOf(const std::array<KeyRule, N>& rules) {
    std::array<std::uint8_t, 128> index{};
    for (std::size_t at = 0; at < N; ++at) {
        index[rules[at].key] = static_cast<std::uint8_t>(at + 1);
    }
    return index;
}

constexpr auto kTelexIndex = indexOf(kTelexRules);
constexpr auto kVniIndex = indexOf(kVniRules);

} // namespace

const KeyRule* findKeyRule(InputMethod method, char16_t key) {
    if (key >= 128) {
        return nullptr;
    }
    const bool telex = method == InputMethod::Telex;
    const int at = (telex ? kTelexIndex : kVniIndex)[key];
    return at == 0 ? nullptr : telex ? &kTelexRules[at - 1] : &kVniRules[at - 1];
}

} // namespace lurcore::core
