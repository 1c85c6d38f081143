#!/usr/bin/env bash
# Runs the cross-built Qt Test suites of the Windows build under Wine, on Qt's offscreen platform, in a Wine prefix
# of their own (so the settings they write go to that prefix's registry).
#
#   run_wine_suites.sh <Windows build folder> <folder for the temporary files> SUITE...
#
# Exits 77 (skipped) when Wine or the Windows build is missing, 1 when a suite fails or is missing.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_common.sh"

build=${1:?usage: run_wine_suites.sh <Windows build> <temporary folder> SUITE...}
parent=${2:?usage: run_wine_suites.sh <Windows build> <temporary folder> SUITE...}
shift 2
findWine
findWindowsBuild "$build"
build=$windows_build

mkdir -p "$parent"
parent=$(cd "$parent" && pwd)
work=$(mktemp -d "$parent/wine-suites.XXXXXX")
cleanup()
{
    stopWine
    rm -rf "$work"
}
trap cleanup EXIT
trap "exit 143" INT TERM

echo "== creating the Wine prefix"
newWinePrefix

# The Qt DLLs and plugins come from the Qt for Windows, the compiler's run-time DLLs from the runnable folder.
runtime=$build/OrvaConfigurator/bin
[ -f "$runtime/libstdc++-6.dll" ] || {
    echo "FAIL: $runtime has no run-time DLLs; scripts/windows-build lays the folder out"
    exit 1
}
WINEPATH="$(windowsPath "$qt_dir/bin");$(windowsPath "$runtime")"
QT_PLUGIN_PATH=$(windowsPath "$qt_dir/plugins")
export WINEPATH QT_PLUGIN_PATH
export QT_QPA_PLATFORM=offscreen DISPLAY='' WAYLAND_DISPLAY=''

failed=()
for suite in "$@"; do
    exe=$(find "$build" -name "$suite.exe" -not -path "$build/OrvaConfigurator/*" | head -n 1)
    if [ -z "$exe" ]; then
        echo "FAIL: $suite.exe was not built in $build"
        failed+=("$suite")
        continue
    fi
    echo "== $suite"
    started=$SECONDS
    # Run from the suite's own folder, as CTest does; -silent keeps the log to failures and skips. Wine loses a
    # console program's output into a pipe, so the log goes through a file.
    log=$work/$suite.log
    # The platform goes on the command line of the suites with a GUI: Wine does not hand QT_QPA_PLATFORM on to the
    # program, and a suite without one refuses the option.
    platform=()
    imports=$(x86_64-w64-mingw32-objdump -p "$exe" 2>/dev/null)
    if grep -q 'DLL Name: Qt5Gui.dll' <<<"$imports"; then
        platform=(-platform offscreen)
    fi
    (cd "$(dirname "$exe")" &&
        timeout 600 "$wine" "$exe" "${platform[@]}" -silent -o "$(windowsPath "$log"),txt" >/dev/null 2>&1)
    status=$?
    tr -d '\r' <"$log" 2>/dev/null | grep -v ': failure location$'
    echo "   $suite: exit status $status after $((SECONDS - started)) s"
    [ "$status" -eq 0 ] || failed+=("$suite")
    # Whatever the suite started and left running (a text editor) ends with it.
    "$wineserver" -k 2>/dev/null
    "$wineserver" -w
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "FAILED under Wine: ${failed[*]}"
    exit 1
fi
echo "all $# suites passed under Wine"
