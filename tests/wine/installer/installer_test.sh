#!/bin/bash
# End-to-end test of LurbSetup.exe under Wine.
#
#   installer_test.sh <bin folder with LurbSetup.exe, Lurb.exe, lurcore.dll, lurhelp.chm> <WINEPREFIX> \
#                     <product.nsh, the names and version the build gave the installer>
#
# The given prefix is only a template: the test works on a copy of it, with a wineserver of its
# own, so that installing and uninstalling (the font above all) leave the shared prefix alone.
# Uses $DISPLAY if set, otherwise starts its own Xvfb.
# Checks: a silent install puts every file and the font in place and registers the uninstaller;
# the installed program starts (with quick start stored on) and adds its tray icon; a second install
# over the running copy leaves exactly one copy running, the new one, in the same folder, with the
# settings untouched, started through the user's shell (its parent is Explorer, not the installer);
# a foreign window captioned like the program's survives the install, the upgrade and the uninstall;
# an install while another user's copy holds a program file puts the new file in place at the next
# restart and says so (exit code 3010); the silent uninstaller removes what was installed plus every
# user's start-up entry and desktop shortcut that point at this installation (not those of another),
# and keeps the settings file.
set -u

BIN=$(cd "${1:?bin folder}" && pwd)
TEMPLATE=$(cd "${2:?WINEPREFIX}" && pwd)
NAMES=${3:?product.nsh}
WORK=$(mktemp -d "${TMPDIR:-/tmp}/lurb-installer-test.XXXXXX")
cp -a "$TEMPLATE" "$WORK/prefix" || { echo "FAIL: cannot copy the prefix"; exit 1; }
export WINEPREFIX="$WORK/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="

# Names the installer and the program use, as the build wrote them for the installer.
nsis_define() {
  local value
  value=$(sed -n "s/^!define $1 \"\\(.*\\)\"\$/\\1/p" "$NAMES")
  [ -n "$value" ] || { echo "FAIL: $NAMES defines no $1"; exit 1; }
  printf '%s' "$value"
}
PRODUCT=$(nsis_define PRODUCT_NAME)
WINDOW=$PRODUCT                    # the configuration window's caption
SETTINGS_SUBDIR=$(nsis_define SETTINGS_FOLDER)
SETTINGS_FILE=$(nsis_define SETTINGS_FILE)
RUN_VALUE=$(nsis_define STARTUP_ENTRY)
UNINST_KEY="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$PRODUCT"
FONTS_KEY='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts'
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
# Chosen with /D= on the first install. /D= must come last and unquoted, and Wine quotes an
# argument with a space, so this folder has none.
WIN_DIR='C:\LurTest\Lurio'

failures=0
xvfb_pid=
foreign_pid=
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }
die() { echo "FAIL: $*"; exit 1; }

# Processes of this prefix whose command line matches a pattern (a Wine process shows its Windows
# command line).
prefix_pids() {
  local p
  for p in $(pgrep -f "$1" 2>/dev/null); do
    if tr '\0' '\n' 2>/dev/null < "/proc/$p/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX"; then echo "$p"; fi
  done
}
lurb_pids() { prefix_pids 'Lurb\.exe'; }

cleanup() {
  local p
  for p in $(lurb_pids); do kill "$p" 2>/dev/null; done
  [ -n "$foreign_pid" ] && kill "$foreign_pid" 2>/dev/null
  wineserver -k 2>/dev/null   # the copy's own server, started below
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT
wineserver -p >/dev/null 2>&1

if [ -z "${DISPLAY:-}" ]; then
  # shellcheck source=../../../scripts/lib/wine-env.sh
  . "$(dirname "$0")/../../../scripts/lib/wine-env.sh"
  start_virtual_display || die "no virtual display"
  xvfb_pid=$XVFB_PID
fi

# pe_machine FILE: the machine field of a Windows program's header (014c: i386, 8664: x86-64).
pe_machine() {
  local pe
  pe=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  od -An -tx2 -j$((pe + 4)) -N2 "$1" | tr -d ' '
}
# A 32-bit installer on 64-bit Windows writes the 32-bit view of the machine's registry.
REGVIEW=()
if [ -d "$WINEPREFIX/drive_c/windows/syswow64" ] && [ "$(pe_machine "$BIN/LurbSetup.exe")" = 014c ]; then
  REGVIEW=(/reg:32)
fi

winvar() { wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }
unixpath() { winepath -u "$1" 2>/dev/null | tr -d '\r'; }
# Prints the data of a registry value, or fails when it is absent.
regval() {
  local out
  out=$(wine reg query "$1" /v "$2" "${REGVIEW[@]}" 2>/dev/null | tr -d '\r') || return 1
  printf '%s\n' "$out" | awk -v name="$2" '
    { line = $0; sub(/^ +/, "", line) }
    index(line, name " ") == 1 && match(line, /^.*REG_[A-Z_]+ */) && substr(line, 1, length(name)) == name {
      rest = substr(line, length(name) + 1); if (rest !~ /^ +REG_/) next
      sub(/^ +REG_[A-Z_]+ */, "", rest); print rest; found = 1; exit }
    END { exit !found }'
}
window_count() { xdotool search --name "^${WINDOW}\$" 2>/dev/null | wc -l; }
visible_window_count() { xdotool search --onlyvisible --name "^${WINDOW}\$" 2>/dev/null | wc -l; }
# Without a window manager Wine shows the notification area as a window of its own, while it has icons.
tray_shown() { [ "$(xdotool search --onlyvisible --name '^Wine System Tray$' 2>/dev/null | wc -l)" -ge 1 ]; }
# write_settings FILE BYTES...: the engine's settings file (magic, version, ten bytes, CRC-32; gzip's
# trailer carries the same CRC-32, little-endian).
write_settings() {
  local file=$1 body; shift
  body=$(mktemp)
  printf 'LURS\001' > "$body"
  for b in "$@"; do printf "\\$(printf '%03o' "$b")" >> "$body"; done
  mkdir -p "$(dirname "$file")"
  { cat "$body"; gzip -c < "$body" | tail -c 8 | head -c 4; } > "$file"
  rm -f "$body"
}
# wait_for <seconds> <command...>: polls every 0.25 s.
wait_for() {
  local limit=$(( $1 * 4 )) i=0; shift
  until "$@"; do i=$((i + 1)); [ $i -ge $limit ] && return 1; sleep 0.25; done
}
one_new_copy() {   # exactly one Lurb.exe, not one of the PIDs in $old_pids, and its window
  local pids; pids=$(lurb_pids)
  [ "$(printf '%s\n' $pids | grep -c .)" = 1 ] || return 1
  ! printf '%s\n' $old_pids | grep -qxF "$pids" || return 1
  tray_shown
}

for f in LurbSetup.exe Lurb.exe lurcore.dll lurhelp.chm lurconv.exe installer_probe.exe; do [ -f "$BIN/$f" ] || die "$BIN/$f is missing"; done
regval "$UNINST_KEY" DisplayName >/dev/null && die "$PRODUCT is already installed in the template prefix"

INST=$(unixpath "$WIN_DIR")
WINDIR_U=$(unixpath "$(winvar WINDIR)")
FONT="$WINDIR_U/Fonts/LurTahoma.ttf"
PROGRAMDATA=$(unixpath "$(winvar ProgramData)")
STARTLINK="$PROGRAMDATA/Microsoft/Windows/Start Menu/Programs/$PRODUCT.lnk"
PROFILE=$(unixpath "$(winvar USERPROFILE)")
DESKTOP="$PROFILE/Desktop"
APPDATA_U=$(unixpath "$(winvar APPDATA)")
SETTINGS="$APPDATA_U/$SETTINGS_SUBDIR/$SETTINGS_FILE"
# A fresh prefix links Desktop to $HOME; the test needs a folder of its own.
if [ -L "$DESKTOP" ]; then rm -f "$DESKTOP"; mkdir -p "$DESKTOP"; fi
# Test prefixes carry the font for the program's own tests; here the installer must bring it.
rm -f "$FONT"

# A window of another program with the program's caption (an Explorer window open on a folder named
# "Lurio 2008" has it): the installer must tell it from the program's own and leave it alone.
wine "$BIN/installer_probe.exe" --foreign-window "$(winepath -w "$WORK/foreign.ready" 2>/dev/null | tr -d '\r')" \
  >/dev/null 2>&1 &
foreign_pid=$!
wait_for 20 test -e "$WORK/foreign.ready" || die "the foreign window did not come up"
foreign_alive() { kill -0 "$foreign_pid" 2>/dev/null; }

echo "== silent install into $WIN_DIR"
timeout 120 wine "$BIN/LurbSetup.exe" /S "/D=$WIN_DIR"; rc=$?
[ $rc = 0 ] || fail "LurbSetup.exe /S exited with $rc"
for f in Lurb.exe lurcore.dll lurhelp.chm lurconv.exe; do
  if cmp -s "$BIN/$f" "$INST/$f"; then ok "$f installed"; else fail "$INST/$f missing or different from the build's"; fi
done
[ -s "$INST/LurTahoma-license.txt" ] && ok "font licence installed" || fail "font licence missing"
[ -f "$INST/uninstall.exe" ] && ok "uninstaller written" || fail "uninstall.exe missing"
if [ "$(head -c 4 "$FONT" 2>/dev/null | od -An -tx1 | tr -d ' ')" = "00010000" ]; then ok "font in the fonts folder"
else fail "$FONT missing or not a TrueType file"; fi
[ "$(regval "$FONTS_KEY" "LurTahoma (TrueType)")" = "LurTahoma.ttf" ] && ok "font registered" || fail "font not registered"
[ -f "$STARTLINK" ] && ok "Start-menu shortcut" || fail "$STARTLINK missing"
[ "$(regval "$UNINST_KEY" DisplayName)" = "$PRODUCT" ] && ok "uninstaller registered" || fail "DisplayName wrong or missing"
[ -n "$(regval "$UNINST_KEY" DisplayVersion)" ] || fail "DisplayVersion missing"
[ "$(regval "$UNINST_KEY" DisplayIcon)" = "$WIN_DIR\\Lurb.exe,0" ] || fail "DisplayIcon is '$(regval "$UNINST_KEY" DisplayIcon)'"
[ "$(regval "$UNINST_KEY" UninstallString)" = "\"$WIN_DIR\\uninstall.exe\"" ] || fail "UninstallString is '$(regval "$UNINST_KEY" UninstallString)'"
[ "$(regval "$UNINST_KEY" QuietUninstallString)" = "\"$WIN_DIR\\uninstall.exe\" /S" ] || fail "QuietUninstallString is '$(regval "$UNINST_KEY" QuietUninstallString)'"

echo "== the installed program starts"
# Quick start on: the program goes straight to the notification area.
write_settings "$SETTINGS" 0 1 1 0 1 0 0 0 1 0
[ "$(stat -c %s "$SETTINGS")" = 19 ] || fail "could not write the settings for the test"
(cd "$INST" && exec wine "$WIN_DIR\\Lurb.exe" >/dev/null 2>&1 &)
old_pids=""
if wait_for 20 one_new_copy; then ok "one running copy added its tray icon"; else fail "the installed program did not start or added no icon (pids: $(lurb_pids | tr '\n' ' '))"; fi
[ "$(visible_window_count)" = 0 ] && ok "quick start shows no window" || fail "a window shows despite quick start"
first_pids=$(lurb_pids)
settings_sum=$(md5sum < "$SETTINGS")

echo "== second install over the running copy"
old_pids=$first_pids
# The probe runs the installer and watches which process starts the new copy.
probe_out=$(timeout 150 wine "$BIN/installer_probe.exe" --install "$(winepath -w "$BIN/LurbSetup.exe" | tr -d '\r')" /S \
  2>/dev/null | tr -d '\r')
echo "$probe_out"
read -r _ setup_pid rc < <(printf '%s\n' "$probe_out" | grep '^installer ')
[ "${rc:-x}" = 0 ] || fail "second LurbSetup.exe /S exited with ${rc:-nothing}"
read -r _ _ _ parent_pid parent_file < <(printf '%s\n' "$probe_out" | grep '^lurb ')
if [ -z "${parent_pid:-}" ]; then fail "the probe saw no new Lurb.exe"
elif [ "$parent_pid" = "$setup_pid" ]; then fail "the new copy is a child of the installer (pid $setup_pid)"
elif [ "$(printf '%s' "$parent_file" | tr 'A-Z' 'a-z')" = explorer.exe ]; then ok "the new copy was started through the user's shell"
else fail "the new copy's parent is '$parent_file' (pid $parent_pid), not the shell"; fi
foreign_alive && ok "a foreign window captioned '$WINDOW' survived the upgrade" || fail "the installer closed a foreign window captioned '$WINDOW'"
# Once no installer process is left, nothing can start another copy.
installer_gone() { [ -z "$(prefix_pids 'LurbSetup\.exe')" ]; }
if wait_for 20 one_new_copy; then
  wait_for 20 installer_gone || fail "the installer still runs"
  if one_new_copy; then ok "exactly one copy runs, a new one"; else fail "not exactly one new copy after settling: $(lurb_pids | tr '\n' ' ')"; fi
else
  fail "after the upgrade: running pids '$(lurb_pids | tr '\n' ' ')', before '$(echo $old_pids)', windows $(window_count)"
fi
for p in $(lurb_pids); do
  tr '\0' ' ' < "/proc/$p/cmdline" | grep -qF "$WIN_DIR\\Lurb.exe" && ok "the new copy runs from $WIN_DIR" || fail "the new copy runs from: $(tr '\0' ' ' < "/proc/$p/cmdline")"
done
cmp -s "$BIN/Lurb.exe" "$INST/Lurb.exe" || fail "Lurb.exe not upgraded in place"
[ "$(regval "$UNINST_KEY" InstallLocation)" = "$WIN_DIR" ] && ok "upgraded in place" || fail "install location moved to '$(regval "$UNINST_KEY" InstallLocation)'"
[ "$(md5sum < "$SETTINGS" 2>/dev/null)" = "$settings_sum" ] && ok "settings kept by the upgrade" || fail "settings changed or gone after the upgrade"

echo "== a copy in another user's session holds the engine: the install ends at the next restart"
# The copy in this session is closed by the installer; one in another session is not, and keeps its
# files open. The probe holds the engine the same way.
wine "$BIN/installer_probe.exe" --hold "$WIN_DIR\\lurcore.dll" "$(winepath -w "$WORK/hold.ready" 2>/dev/null | tr -d '\r')" \
  >/dev/null 2>&1 &
hold_pid=$!
wait_for 20 test -e "$WORK/hold.ready" || fail "the probe did not hold the engine"
# Through the probe, which reads the whole exit code (Linux sees only its low byte).
probe_out=$(timeout 150 wine "$BIN/installer_probe.exe" --install "$(winepath -w "$BIN/LurbSetup.exe" | tr -d '\r')" /S \
  2>/dev/null | tr -d '\r')
read -r _ _ rc < <(printf '%s\n' "$probe_out" | grep '^installer ')
[ "${rc:-x}" = 3010 ] && ok "the installer says a restart finishes it" \
  || fail "LurbSetup.exe /S over a held file exited with ${rc:-nothing}, not 3010"
cmp -s "$BIN/lurcore.dll" "$INST/lurcore.dll.new" && ok "the new engine waits beside the held one" \
  || fail "no lurcore.dll.new beside the held engine: $(ls "$INST" | tr '\n' ' ')"
pending=$(wine reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' /v PendingFileRenameOperations 2>/dev/null | tr -d '\r')
printf '%s' "$pending" | grep -qi 'lurcore.dll.new' && ok "its replacement is due at the restart" \
  || fail "no replacement due at the restart: $pending"
kill "$hold_pid" 2>/dev/null
wait "$hold_pid" 2>/dev/null
[ -n "$(lurb_pids)" ] || fail "the installer did not start the program again"

echo "== silent uninstall"
# The program's start-up entry and desktop shortcut for this user, a second user signed in (a hive
# loaded under HKEY_USERS, a profile of its own), and a third whose entry and shortcut name another
# installation of the program: those stay.
wine reg add "$RUN_KEY" /v "$RUN_VALUE" /t REG_SZ /d "\"$WIN_DIR\\Lurb.exe\"" /f >/dev/null 2>&1
PROFILES='HKLM\Software\Microsoft\Windows NT\CurrentVersion\ProfileList'
OTHER_RUN='HKU\S-1-5-21-0-0-0-1001\Software\Microsoft\Windows\CurrentVersion\Run'
THIRD_RUN='HKU\S-1-5-21-0-0-0-1002\Software\Microsoft\Windows\CurrentVersion\Run'
wine reg add "$OTHER_RUN" /v "$RUN_VALUE" /t REG_SZ /d "\"$WIN_DIR\\Lurb.exe\"" /f >/dev/null 2>&1
wine reg add "$THIRD_RUN" /v "$RUN_VALUE" /t REG_SZ /d '"C:\Other\Lurb.exe"' /f >/dev/null 2>&1
wine reg add "$PROFILES\S-1-5-21-0-0-0-1001" /v ProfileImagePath /t REG_EXPAND_SZ /d 'C:\users\other' /f >/dev/null 2>&1
wine reg add "$PROFILES\S-1-5-21-0-0-0-1002" /v ProfileImagePath /t REG_EXPAND_SZ /d 'C:\users\third' /f >/dev/null 2>&1
OTHER_DESKTOP=$(unixpath 'C:\users\other\Desktop')
THIRD_DESKTOP=$(unixpath 'C:\users\third\Desktop')
mkdir -p "$OTHER_DESKTOP" "$THIRD_DESKTOP"
make_shortcut() { wine "$BIN/installer_probe.exe" --shortcut "$(winepath -w "$1" 2>/dev/null | tr -d '\r')" "$2" >/dev/null 2>&1; }
make_shortcut "$DESKTOP/$PRODUCT.lnk" "$WIN_DIR\\Lurb.exe"
make_shortcut "$OTHER_DESKTOP/$PRODUCT.lnk" "$WIN_DIR\\Lurb.exe"
make_shortcut "$THIRD_DESKTOP/$PRODUCT.lnk" 'C:\Other\Lurb.exe'
[ -n "$(regval "$RUN_KEY" "$RUN_VALUE")" ] || fail "could not create the start-up entry for the test"
[ -n "$(regval "$OTHER_RUN" "$RUN_VALUE")" ] || fail "could not create the second user's start-up entry"
for f in "$DESKTOP" "$OTHER_DESKTOP" "$THIRD_DESKTOP"; do
  [ -s "$f/$PRODUCT.lnk" ] || fail "could not make the shortcut in $f"
done
timeout 60 wine "$INST/uninstall.exe" /S; rc=$?
[ $rc = 0 ] || fail "uninstall.exe /S exited with $rc"
# The uninstaller copies itself away and works in the background: poll.
gone() { [ ! -e "$INST" ] && ! regval "$UNINST_KEY" DisplayName >/dev/null; }
wait_for 30 gone || fail "uninstall did not finish: $(ls "$INST" 2>/dev/null | tr '\n' ' ')"
wait_for 10 test -z "$(lurb_pids)" && ok "running copy closed by the uninstaller" || fail "Lurb.exe still runs: $(lurb_pids | tr '\n' ' ')"
[ ! -e "$INST" ] && ok "program folder removed" || fail "left in $INST: $(ls -A "$INST" | tr '\n' ' ')"
[ ! -e "$FONT" ] && ok "font removed" || fail "font file left"
regval "$FONTS_KEY" "LurTahoma (TrueType)" >/dev/null && fail "font still registered" || ok "font unregistered"
[ ! -e "$STARTLINK" ] && ok "Start-menu shortcut removed" || fail "Start-menu shortcut left"
regval "$RUN_KEY" "$RUN_VALUE" >/dev/null && fail "start-up entry '$RUN_VALUE' left" || ok "start-up entry removed"
[ ! -e "$DESKTOP/$PRODUCT.lnk" ] && ok "desktop shortcut removed" || fail "desktop shortcut left"
regval "$OTHER_RUN" "$RUN_VALUE" >/dev/null && fail "the second user's start-up entry left" || ok "the second user's start-up entry removed"
[ ! -e "$OTHER_DESKTOP/$PRODUCT.lnk" ] && ok "the second user's shortcut removed" || fail "the second user's shortcut left"
[ "$(regval "$THIRD_RUN" "$RUN_VALUE")" = '"C:\Other\Lurb.exe"' ] && ok "another installation's start-up entry kept" \
  || fail "another installation's start-up entry removed or changed"
[ -e "$THIRD_DESKTOP/$PRODUCT.lnk" ] && ok "a shortcut to another installation kept" || fail "a shortcut to another installation removed"
[ "$(md5sum < "$SETTINGS" 2>/dev/null)" = "$settings_sum" ] && ok "settings kept by the uninstaller" || fail "settings file changed or removed"
foreign_alive && ok "the foreign window survived the uninstall" || fail "the uninstaller closed a foreign window"

if [ $failures = 0 ]; then echo "PASS"; exit 0; fi
echo "$failures failure(s)"; exit 1
