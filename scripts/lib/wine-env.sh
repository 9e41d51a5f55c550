# Shared by scripts/test and scripts/run: a Wine prefix of our own and a virtual X display.
# Source it; it defines functions and changes nothing by itself.

# prepare_wine_prefix DIR: makes DIR/home and DIR/prefix once, and exports the variables Wine needs.
prepare_wine_prefix() {
    local dir=$1
    export HOME="$dir/home"
    export WINEPREFIX="$dir/prefix"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
    export WINEARCH=win32
    if [ ! -f "$WINEPREFIX/.lurb-ready-2" ]; then
        rm -rf "$dir"
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
        touch "$WINEPREFIX/.lurb-ready-2"
    fi
}

# start_virtual_display: starts Xvfb on a free display and exports DISPLAY; XVFB_PID holds its process.
start_virtual_display() {
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do
        n=$((n + 1))
    done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && return 0
        sleep 0.05
    done
    echo "Xvfb did not start on :$n" >&2
    return 1
}

stop_virtual_display() {
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    fi
}
