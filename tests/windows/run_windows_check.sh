#!/usr/bin/env bash
# Builds windows_check.exe with mingw-w64 from the same drives/win/VolumesWindows.cpp, DeviceIdentityWindows.cpp and
# base/FilesWindows.cpp as the Windows executable, linked with the executable's resource script, and runs it under Wine
# against drives of every type.
#
#   run_windows_check.sh <source dir> <folder for the temporary files>
#
# The Wine prefix, the drive folders and the build live in one temporary folder that is removed at the end. Exits 77
# (skipped) when the cross compiler or Wine is missing.
set -euo pipefail

source_dir=$(cd "$1" && pwd)
parent=$2
resource_script=$3 # made by CMake from resources/OrvaConfigurator.rc.in

skip()
{
    echo "SKIPPED: $*"
    exit 77
}

cxx=$(command -v x86_64-w64-mingw32-g++ || true)
windres=$(command -v x86_64-w64-mingw32-windres || true)
wine=${WINE:-$(command -v wine64 || echo /usr/lib/wine/wine64)}
wineserver=$(dirname "$wine")/wineserver
[ -n "$cxx" ] || skip "x86_64-w64-mingw32-g++ not found (Debian package g++-mingw-w64-x86-64)"
[ -n "$windres" ] || skip "x86_64-w64-mingw32-windres not found (Debian package binutils-mingw-w64-x86-64)"
[ -x "$wine" ] || skip "Wine not found at $wine (Debian package wine64)"
[ -x "$wineserver" ] || wineserver=$(command -v wineserver || true)
[ -n "$wineserver" ] || skip "wineserver not found beside $wine"

mkdir -p "$parent"
work=$(mktemp -d "$parent/windows-check.XXXXXX")
export WINEPREFIX=$work/prefix
# shellcheck disable=SC2317 # called by the trap
cleanup()
{
    "$wineserver" -k 2>/dev/null || true
    "$wineserver" -w 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
trap "exit 143" INT TERM

# Wine tells a folder on tmpfs as a RAM disk whatever the drive is declared as, so the drives need a real disk.
if [ "$(stat -f -c %T "$work")" = tmpfs ]; then
    skip "$work is on tmpfs, where Wine reports every drive as a RAM disk; give a folder on disk"
fi

echo "== building windows_check.exe"
"$windres" -i "$resource_script" -O coff -o "$work/OrvaConfigurator.res.o"
"$cxx" -std=c++17 -Wall -Wextra -Wpedantic -Werror -municode -static -O1 -I"$source_dir" -I"$(dirname "$resource_script")" \
    "$source_dir/tests/windows/windows_check.cpp" "$source_dir/drives/win/VolumesWindows.cpp" \
    "$source_dir/base/FilesWindows.cpp" "$source_dir/drives/win/DeviceIdentityWindows.cpp" \
    "$work/OrvaConfigurator.res.o" -lversion -lsetupapi -lcfgmgr32 -o "$work/windows_check.exe"

# No display, no debug output, no offer to install Mono or Gecko; nothing written to the real home.
export HOME=$work WINEDEBUG=-all DISPLAY='' WAYLAND_DISPLAY='' WINEDLLOVERRIDES="mscoree,mshtml="
echo "== creating the Wine prefix"
"$wine" wineboot -i >/dev/null 2>&1
"$wineserver" -w

# The drives windows_check.cpp expects: letter and the type Wine gives it. Q: stays unmapped.
declare -A drive_types=([e]=floppy [f]=hd [g]=network [h]=cdrom [i]=ramdisk [j]=floppy)
for letter in "${!drive_types[@]}"; do
    mkdir -p "$work/drives/$letter"
    ln -s "$work/drives/$letter" "$WINEPREFIX/dosdevices/$letter:"
    "$wine" reg add 'HKLM\Software\Wine\Drives' /v "$letter:" /d "${drive_types[$letter]}" /f >/dev/null
done
rm -f "$WINEPREFIX/dosdevices/q:"
# The volume manager reads the drive types and labels when it starts: let this Wine session end (the registry is
# saved then) so that the next program starts a new one.
"$wineserver" -w

cd "$work"
status=0
echo "== drive types, device identity, label calls and the executable's resources"
# Z: is the Linux root, so the icon file is reached by its own path.
"$wine" windows_check.exe label "Z:$source_dir/resources/icon.ico" || status=1
"$wineserver" -w
echo "== labels read back after a restart"
"$wine" windows_check.exe labels-applied || status=1
exit $status
