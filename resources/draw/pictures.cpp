#include "resources/draw/pictures.h"

#include "resources/draw/image_files.h"

namespace draw {

void drawAllPictures(const std::filesystem::path& folder, const Fonts& fonts) {
    const Font& sans = fonts.sansBold;
    std::vector<IconImage> main;
    for (int bits : {4, 8}) {
        for (int size : {48, 32, 16}) {
            main.push_back({appIcon(size, fonts.serifBold, bits == 4), bits});
        }
    }
    for (int size : {32, 16}) {
        main.push_back({appIcon(size, fonts.serifBold), 32});
    }
    writeFile(folder / "mainicon.ico", ico(main));

    // The tray icons must show as filled squares: no see-through pixel anywhere.
    writeFile(folder / "tk.ico", ico({{trayIcon(TrayMode::Vietnamese, 32, sans), 32, false}}));
    writeFile(folder / "eng.ico", ico({{trayIcon(TrayMode::English, 32, sans), 32, false}}));

    writeFile(folder / "sidebar.bmp", bmp24(menuSidebar(fonts.serifBold)));
    writeFile(folder / "menu.bmp", bmp32(menuStrip(fonts)));
    writeFile(folder / "btn_exit.bmp", bmp24(exitButton()));
    writeFile(folder / "btn_help.bmp", bmp24(helpButton(sans)));
    writeFile(folder / "btn_taskbar.bmp", bmp24(taskbarButton()));
}

} // namespace draw
