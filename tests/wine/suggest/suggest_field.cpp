#include "tests/wine/suggest/suggest_field.h"

#include "lurcore/core/code_table.h"

#include <commctrl.h>

#include <array>

namespace lurtest {
namespace {

constexpr int kFieldWidth = 480;
constexpr int kFieldHeight = 50;
constexpr int kMargin = 10;
constexpr wchar_t kFrameClass[] = L"LurCorrectionTestFields";

struct FieldState {
    FieldKind kind;
    std::vector<std::wstring> words;
    int keys = 0;
    int clicks = 0;
    int suggestions = 0;
    int pointerMoves = 0;
    std::array<LPARAM, 256> keyData{};
};

std::wstring textOf(HWND field) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
    return text;
}

void suggest(HWND field, FieldState& state) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::wstring text = textOf(field);
    if (start != end || end != text.size()) {
        return;
    }
    for (const std::wstring& word : state.words) {
        if (word.size() > text.size() && word.compare(0, text.size(), text) == 0) {
            SendMessageW(field, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(word.c_str() + text.size()));
            const auto typed = static_cast<WPARAM>(text.size());
            const auto whole = static_cast<LPARAM>(word.size());
            if (state.kind == FieldKind::CaretAfterSuggestion) {
                SendMessageW(field, EM_SETSEL, typed, whole);
            } else {
                SendMessageW(field, EM_SETSEL, static_cast<WPARAM>(whole), static_cast<LPARAM>(typed));
            }
            ++state.suggestions;
            return;
        }
    }
}

LRESULT CALLBACK fieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                           DWORD_PTR data) {
    FieldState& state = *reinterpret_cast<FieldState*>(data);
    switch (message) {
    case WM_KEYDOWN:
        ++state.keys;
        state.keyData[wParam & 0xFF] = lParam;
        break;
    case WM_LBUTTONUP:
        ++state.clicks;
        break;
    case WM_MOUSEMOVE:
        ++state.pointerMoves;
        break;
    case WM_CHAR:
        if (state.kind != FieldKind::Plain && wParam >= 0x20) {
            const LRESULT result = DefSubclassProc(field, message, wParam, lParam);
            suggest(field, state);
            return result;
        }
        break;
    case kFieldReset:
        SetWindowTextW(field, L"");
        state.keys = state.clicks = state.suggestions = 0;
        state.keyData.fill(0);
        return 0;
    case kFieldKeys:
        return state.keys;
    case kFieldClicks:
        return state.clicks;
    case kFieldSuggestions:
        return state.suggestions;
    case kFieldPointerMoves:
        return state.pointerMoves;
    case kFieldKeyData:
        return state.keyData[wParam & 0xFF];
    case WM_NCDESTROY:
        RemoveWindowSubclass(field, fieldProc, 0);
        delete &state;
        break;
    default:
        break;
    }
    return DefSubclassProc(field, message, wParam, lParam);
}

LRESULT CALLBACK frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY && GetWindowLongPtrW(window, GWLP_USERDATA) != 0) {
        PostQuitMessage(0);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

const std::vector<std::u16string>& suggestionWords() {
    static const std::vector<std::u16string> words = {
        u"dân",           u"đua",  u"đưa",       u"đưoc",           u"đương đại",  u"đường phố",
        u"cacao",         u"cách", u"view",      u"viên",           u"viêtnam",    u"việt nam",
        u"tier",          u"tiên", u"tiêng anh", u"tiếng việt nam", u"tiếng view", u"tiếng viên",
        u"tiếng viêtnam",
    };
    return words;
}

std::vector<std::wstring> suggestionWords(lurcore::core::CodeTable table) {
    std::vector<std::wstring> words;
    for (const std::u16string& word : suggestionWords()) {
        const std::u16string encoded = lurcore::core::encode(word, table);
        words.emplace_back(encoded.begin(), encoded.end());
    }
    return words;
}

HWND createFields(int left, int top, const std::vector<FieldKind>& kinds, lurcore::core::CodeTable table,
                  bool quitOnClose) {
    static const ATOM frameClass = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = frameProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kFrameClass;
        return RegisterClassW(&windowClass);
    }();
    (void)frameClass;
    const int count = static_cast<int>(kinds.size());
    HWND frame = CreateWindowExW(WS_EX_TOPMOST, kFrameClass, L"correction test fields",
                                 WS_POPUP | WS_BORDER | WS_VISIBLE, left, top, kFieldWidth + 2 * kMargin,
                                 count * (kFieldHeight + kMargin) + kMargin, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(frame, GWLP_USERDATA, quitOnClose ? 1 : 0);
    for (int index = 0; index < count; ++index) {
        HWND field = CreateWindowExW(
            0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, kMargin,
            kMargin + index * (kFieldHeight + kMargin), kFieldWidth, kFieldHeight, frame,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(index + 1)), GetModuleHandleW(nullptr), nullptr);
        auto* state = new FieldState{kinds[static_cast<std::size_t>(index)], suggestionWords(table)};
        SetWindowSubclass(field, fieldProc, 0, reinterpret_cast<DWORD_PTR>(state));
    }
    return frame;
}

POINT fieldCentre(int left, int top, int index) {
    // The frame's border is one pixel wide.
    return {left + 1 + kMargin + kFieldWidth / 2,
            top + 1 + kMargin + index * (kFieldHeight + kMargin) + kFieldHeight / 2};
}

} // namespace lurtest
