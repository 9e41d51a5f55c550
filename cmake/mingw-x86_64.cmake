# Cross build for 64-bit Windows with MinGW-w64 (posix threads flavour, static runtime). The same
# sources as the 32-bit product; this build exists so that the end-to-end tests run under 64-bit
# Wine on hosts that cannot execute 32-bit programs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The `wine` wrapper script prefers the 32-bit loader whenever it is installed; 64-bit programs
# are run by the 64-bit loader itself.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
set(LUR_TARGET_TRIPLE x86_64-w64-mingw32)
