// The names that the program, the engine, the installer and the tests share, written once.
// Plain string macros, so that the resource script can use them and C++ can join them to other
// literals (L"" LUR_PRODUCT_NAME is the wide form). The build reads the quoted values from here for
// the installer's script and the manifest (cmake/product.cmake): keep one "#define NAME "value""
// a line.
#pragma once

// The product; also its Program Files folder, Start-menu entry and desktop shortcut.
#define LUR_PRODUCT_NAME "Lurio 2008"
// The engine's folder under the user's application data, and its settings file there.
#define LUR_SETTINGS_FOLDER "Lurio 2008"
#define LUR_SETTINGS_FILE "lurcore.cfg"
#define LUR_PROGRAM_FILE "Lurb.exe"
#define LUR_ENGINE_FILE "lurcore.dll"
#define LUR_HELP_FILE "lurhelp.chm"
// The value under the Run key that starts the program with Windows.
#define LUR_STARTUP_ENTRY "Lurb"
// The configuration window's class; the installer finds a running copy by it.
#define LUR_WINDOW_CLASS "LurbForm"
