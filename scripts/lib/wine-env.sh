# Shared by scripts/test and scripts/run: which Windows build this host can run, a Wine prefix of our
# own and a virtual X display. Source it; it defines functions and changes nothing by itself.

# The 32-bit and 64-bit Wine loaders as Debian installs them.
WINE32_LOADER=/usr/lib/wine/wine
WINE64_LOADER=/usr/lib/wine/wine64

# can_run_32bit: true when this host executes 32-bit programs. Some kernels have IA-32 emulation
# switched off; there every i386 program, the 32-bit Wine loader included, fails to start.
can_run_32bit() {
    [ -x "$WINE32_LOADER" ] && "$WINE32_LOADER" --version >/dev/null 2>&1
}

# choose_e2e_arch: sets E2E_ARCH (i686 or x86_64), the build the end-to-end tests run on, and
# E2E_REASON. LUR_E2E_ARCH chooses by hand; otherwise the 32-bit product where it can run.
choose_e2e_arch() {
    case "${LUR_E2E_ARCH:-}" in
    i686 | x86_64)
        E2E_ARCH=$LUR_E2E_ARCH
        E2E_REASON="chosen with LUR_E2E_ARCH"
        if [ "$E2E_ARCH" = i686 ] && ! can_run_32bit; then
            echo "LUR_E2E_ARCH=i686, but this host cannot run 32-bit programs" >&2
            return 1
        fi
        ;;
    "")
        if can_run_32bit; then
            E2E_ARCH=i686
            E2E_REASON="this host runs 32-bit programs: the product itself is tested"
        else
            E2E_ARCH=x86_64
            E2E_REASON="this host cannot run 32-bit programs (IA-32 emulation off): the 64-bit build is tested"
        fi
        ;;
    *)
        echo "LUR_E2E_ARCH must be i686 or x86_64, not '$LUR_E2E_ARCH'" >&2
        return 1
        ;;
    esac
}

# use_wine_arch ARCH DIR: makes `wine` (and the tools Debian starts through it: wineboot, winepath...)
# run the loader for ARCH, through wrappers in DIR/bin put first on PATH. Debian's own `wine` script
# takes the 32-bit loader whenever it is installed, which cannot start where 32-bit programs cannot.
use_wine_arch() {
    local arch=$1 dir=$2 loader
    if [ "$arch" = x86_64 ]; then
        loader=$WINE64_LOADER
        export WINEARCH=win64
    else
        loader=$WINE32_LOADER
        export WINEARCH=win32
    fi
    mkdir -p "$dir/bin"
    local name
    for name in wine wine-stable; do
        printf '#!/bin/sh\nexec %s "$@"\n' "$loader" >"$dir/bin/$name.tmp"
        chmod +x "$dir/bin/$name.tmp"
        mv "$dir/bin/$name.tmp" "$dir/bin/$name"
    done
    export WINELOADER=$loader
    case ":$PATH:" in
    *":$dir/bin:"*) ;;
    *) export PATH="$dir/bin:$PATH" ;;
    esac
}

# prepare_wine_prefix DIR: makes DIR/home and DIR/prefix once, and exports the variables Wine needs.
# Call use_wine_arch first: the prefix is made for WINEARCH.
prepare_wine_prefix() {
    local dir=$1
    export HOME="$dir/home"
    export WINEPREFIX="$dir/prefix"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
    export WINEARCH=${WINEARCH:-win32}
    if [ ! -f "$WINEPREFIX/.lurb-ready-3-$WINEARCH" ]; then
        rm -rf "$HOME" "$WINEPREFIX"
        mkdir -p "$HOME"
        wineboot -i >/dev/null 2>&1
        wineserver -w
        # A crash must end the test, not wait for someone to close a dialog.
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        # Wine has no Tahoma; a narrow face with every Vietnamese letter keeps the window's layout.
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Tahoma /t REG_SZ /d 'DejaVu Sans Condensed' /f \
            >/dev/null 2>&1
        wineserver -w
        # The desktop folder is a link to $HOME at first; tests write shortcuts there.
        local desktop="$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/Desktop"
        if [ -L "$desktop" ]; then
            rm -f "$desktop"
            mkdir -p "$desktop"
        fi
        # The display font the program registers at start.
        local fonts="$WINEPREFIX/drive_c/windows/Fonts"
        mkdir -p "$fonts"
        cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "$fonts/LurTahoma.ttf"
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            echo "could not make a $WINEARCH Wine prefix in $WINEPREFIX" >&2
            return 1
        fi
        touch "$WINEPREFIX/.lurb-ready-3-$WINEARCH"
    fi
}

# start_virtual_display: starts Xvfb on a free display and exports DISPLAY; XVFB_PID holds its process.
# Xvfb picks the display itself and writes its number once it takes connections (-displayfd), so two
# programs starting one at the same moment cannot collide.
start_virtual_display() {
    local fifo n=
    fifo=$(mktemp -u "${TMPDIR:-/tmp}/lurb-xvfb.XXXXXX")
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    XVFB_PID=$!
    # Ends with the number, or with nothing when Xvfb could not start and closed its end.
    read -r -t 30 n <"$fifo" || true
    rm -f "$fifo"
    if [ -z "$n" ]; then
        stop_virtual_display
        echo "Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=":$n"
}

stop_virtual_display() {
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    fi
}
