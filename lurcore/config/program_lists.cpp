#include "lurcore/config/program_lists.h"

#include <algorithm>

namespace lurcore::config {
namespace {

// Executables whose text fields complete what is typed and select the rest, in lower case.
constexpr std::string_view kCompletingPrograms[] = {
    "chrome.exe",                                      // Google Chrome
    "chromium.exe",                                    // Chromium
    "msedge.exe",                                      // Microsoft Edge
    "firefox.exe",                                     // Mozilla Firefox
    "brave.exe",                                       // Brave
    "opera.exe",                                       // Opera and Opera GX
    "vivaldi.exe",                                     // Vivaldi
    "browser.exe",                                     // Coc Coc
    "explorer.exe",                                    // the Run box and the address bar of the file windows
    "searchapp.exe", "searchui.exe", "searchhost.exe", // the taskbar's search box
    "excel.exe",                                       // Microsoft Excel: a cell completes from its column
    "soffice.bin",                                     // LibreOffice (Calc), and OpenOffice
    "scalc.exe",                                       // LibreOffice Calc started on its own
    "et.exe",                                          // WPS Spreadsheets
};

constexpr std::u16string_view kTaskbarClasses[] = {
    u"Shell_TrayWnd",            // the taskbar
    u"Shell_SecondaryTrayWnd",   // the taskbar on another monitor
    u"NotifyIconOverflowWindow", // the notification area's hidden icons
};

constexpr std::u16string_view kDesktopClasses[] = {
    u"Progman", // the desktop's icons
    u"WorkerW", // the desktop behind them
};

constexpr std::string_view kFrameHost = "applicationframehost.exe";

} // namespace

core::Correction correctionForProgram(std::string_view program, std::span<const std::string> completing) {
    const bool known = std::find(std::begin(kCompletingPrograms), std::end(kCompletingPrograms), program) !=
                       std::end(kCompletingPrograms);
    const bool listed = std::binary_search(completing.begin(), completing.end(), program);
    return !program.empty() && (known || listed) ? core::Correction::Placeholder
                                                 : core::Correction::Backspaces;
}

bool isTaskbarClass(std::u16string_view windowClass) {
    return std::find(std::begin(kTaskbarClasses), std::end(kTaskbarClasses), windowClass) !=
           std::end(kTaskbarClasses);
}

bool isDesktopClass(std::u16string_view windowClass) {
    return std::find(std::begin(kDesktopClasses), std::end(kDesktopClasses), windowClass) !=
           std::end(kDesktopClasses);
}

bool isFrameHost(std::string_view program) {
    return program == kFrameHost;
}

} // namespace lurcore::config
