# Shared by the scripts that run the cross-built Windows programs under Wine: finding Wine, a throw-away prefix, and
# the skip rule. Sourced; the caller sets work (a temporary folder on disk) before calling newWinePrefix.

skip()
{
    echo "SKIPPED: $*"
    exit 77
}

# Finds wine and wineserver, or skips with the reason.
findWine()
{
    wine=${WINE:-$(command -v wine64 || echo /usr/lib/wine/wine64)}
    wineserver=$(dirname "$wine")/wineserver
    [ -x "$wine" ] || skip "Wine not found at $wine (Debian package wine64)"
    [ -x "$wineserver" ] || wineserver=$(command -v wineserver || true)
    [ -n "$wineserver" ] || skip "wineserver not found beside $wine"
}

# The build made by scripts/windows-build, or a skip that says how to make it.
findWindowsBuild()
{
    windows_build=$1
    [ -f "$windows_build/CMakeCache.txt" ] ||
        skip "no Windows build in $windows_build: scripts/windows-build makes it (scripts/test runs it first)"
    windows_build=$(cd "$windows_build" && pwd)
    qt_dir=$(sed -n 's/^CMAKE_PREFIX_PATH:[A-Z]*=//p' "$windows_build/CMakeCache.txt")
    [ -f "$qt_dir/bin/Qt5Core.dll" ] || skip "the Qt for Windows of $windows_build is gone: run scripts/windows-qt"
}

# A new Wine prefix in $work/prefix: no display, no debug output, no offer to install Mono or Gecko, and nothing
# written to the real home.
newWinePrefix()
{
    # Wine tells a folder on tmpfs as a RAM disk whatever the drive is declared as.
    if [ "$(stat -f -c %T "$work")" = tmpfs ]; then
        skip "$work is on tmpfs, where Wine reports every drive as a RAM disk; give a folder on disk"
    fi
    export WINEPREFIX=$work/prefix HOME=$work/home WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
    mkdir -p "$HOME"
    DISPLAY='' WAYLAND_DISPLAY='' "$wine" wineboot -i >/dev/null 2>&1
    "$wineserver" -w
}

stopWine()
{
    [ -z "${WINEPREFIX:-}" ] || [ ! -d "$WINEPREFIX" ] || {
        "$wineserver" -k 2>/dev/null || true
        "$wineserver" -w 2>/dev/null || true
    }
}

# A Linux path as Wine sees it through the drive Z:, which is the Linux root.
windowsPath()
{
    local path=${1//\//\\}
    echo "Z:$path"
}
