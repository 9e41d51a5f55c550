#!/usr/bin/env bash
# How long the program takes to show its window, against a bare Win32 window, under Wine on a virtual
# display of its own: both are started alternately (CreateProcess and ShellExecuteEx, the order turning
# round each time), ROUNDS times each way. Prints the medians, their ratio, and, once the window
# answers, the working set, the private bytes and the processor time the process has used; then the
# same with quick start (the tray icon only, the window hidden), timed until the icon is there.
# Usage: bench/startup.sh [BIN_DIR] [ROUNDS] [OTHER_BIN_DIR]   (BIN_DIR defaults to build-win/bin,
# ROUNDS to 8). OTHER_BIN_DIR, another build (an older one, say), joins the same rounds as "other", so
# that both builds meet the same load of the machine.
# BIN_DIR must hold a Lurb.exe and lurcore.dll of the architecture this host runs (i686 by default;
# LUR_E2E_ARCH=x86_64 for the 64-bit build).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bin=$(cd "${1:-build-win/bin}" && pwd)
rounds=${2:-8}
other=
[ -z "${3:-}" ] || other=$(cd "$3" && pwd)
# shellcheck source=../scripts/lib/wine-env.sh
. scripts/lib/wine-env.sh
choose_e2e_arch
work=$root/build-bench-startup/$E2E_ARCH
mkdir -p "$work"

cxx=$E2E_ARCH-w64-mingw32-g++-posix
flags=(-O2 -std=c++20 -Wall -Wextra -Werror -static -s -I.)
$cxx "${flags[@]}" -mwindows bench/startup/bare_window.cpp -o "$work/bare_window.exe"
$cxx "${flags[@]}" -municode bench/startup/launch_timer.cpp -o "$work/launch_timer.exe" -lpsapi
# The program runs from a copy, so a build meanwhile does not change it.
copy_program() {
    rm -rf "$work/$2" && mkdir -p "$work/$2"
    cp "$1/Lurb.exe" "$1/lurcore.dll" "$work/$2/"
    echo "$2: Lurb.exe $(stat -c %s "$work/$2/Lurb.exe") B, lurcore.dll $(stat -c %s "$work/$2/lurcore.dll") B ($E2E_ARCH)"
}
copy_program "$bin" lurb
[ -z "$other" ] || copy_program "$other" other

use_wine_arch "$E2E_ARCH" "$work/wine"
prepare_wine_prefix "$work/wine"
start_virtual_display
cleanup() {
    wineserver -k 2>/dev/null || true
    stop_virtual_display
}
trap cleanup EXIT
wineserver -p >/dev/null 2>&1
wine cmd.exe /c exit >/dev/null 2>&1 </dev/null

settings="$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/AppData/Roaming/Lurio 2008"
mkdir -p "$settings"
# The settings file: "LURS", version 1, the ten bytes (the ninth is quick start), CRC-32 little-endian.
write_settings() {
    python3 - "$settings/lurcore.cfg" "$1" <<'PY'
import sys, zlib, struct
body = b"LURS" + bytes([1, 0, 1, 1, 0, 1, 0, 0, 0, int(sys.argv[2]), 0])
open(sys.argv[1], "wb").write(body + struct.pack("<I", zlib.crc32(body)))
PY
}

programs=("bare=$(winepath -w "$work/bare_window.exe")" "lurb=$(winepath -w "$work/lurb/Lurb.exe")")
[ -z "$other" ] || programs+=("other=$(winepath -w "$work/other/Lurb.exe")")
# median FILE NAME COLUMN
median() {
    awk -v n="$2" -v c="$3" '$1 == n {print $c}' "$1" | sort -n | awk '{v[NR] = $1} END {
        if (NR == 0) {print "nan"; exit}
        if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2}'
}
report() {
    local file=$1 what=$2
    awk '$3 < 0 {bad = 1} END {exit bad}' "$file" || echo "  (some starts did not show in 20 s)"
    local names=(bare lurb) name
    [ -z "$other" ] || names+=(other)
    echo "$what: medians of $(awk '$1 == "bare"' "$file" | wc -l) starts each"
    printf '  %-10s %10s %10s %14s %14s %8s\n' program shown_ms ready_ms working_set private_bytes cpu_ms
    for name in "${names[@]}"; do
        printf '  %-10s %10s %10s %14s %14s %8s\n' "$name" "$(median "$file" "$name" 3)" \
            "$(median "$file" "$name" 4)" "$(median "$file" "$name" 5)" "$(median "$file" "$name" 6)" \
            "$(median "$file" "$name" 7)"
    done
    for name in "${names[@]:1}"; do
        awk -v n="$name" -v bs="$(median "$file" bare 3)" -v br="$(median "$file" bare 4)" \
            -v ls="$(median "$file" "$name" 3)" -v lr="$(median "$file" "$name" 4)" 'BEGIN {
            printf "  ratio %s/bare: shown %.2f, ready %.2f\n", n, ls / bs, lr / br}'
    done
}

write_settings 0
wine "$work/launch_timer.exe" "$rounds" 0 "${programs[@]}" >"$work/window.txt" </dev/null || true
report "$work/window.txt" "Window"
write_settings 1
wine "$work/launch_timer.exe" "$rounds" 1 "${programs[@]}" >"$work/quick.txt" </dev/null || true
report "$work/quick.txt" "Quick start (icon only; the bare program still shows its window)"
