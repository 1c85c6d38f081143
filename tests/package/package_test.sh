#!/usr/bin/env bash
# The Debian package as a user receives it: made by CPack from a built tree, then unpacked and checked: control
# fields, runtime dependencies (every library the programs load must come from a package it depends on), files,
# menu entry, icons, AppStream metadata, and the window's tie to its menu entry.
#
#     package_test.sh BUILD_DIR
#
# Exit status: 0 when every check holds, 1 when one fails, 77 when the Debian tools are missing.
set -uo pipefail

build=$(readlink -f "${1:?usage: package_test.sh BUILD_DIR}")

skip()
{
    echo "SKIP: $*"
    exit 77
}

for tool in cpack dpkg dpkg-deb dpkg-shlibdeps desktop-file-validate readelf appstreamcli; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
[ -f "$build/CPackConfig.cmake" ] || { echo "FAIL: $build/CPackConfig.cmake is missing"; exit 1; }
# The project's version, as CMake handed it to CPack.
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")

work=$(mktemp -d /tmp/orva-package.XXXXXX)
trap 'rm -rf "$work"' EXIT

failures=0
fail()
{
    echo "FAIL: $*"
    failures=$((failures + 1))
}

check()
{
    local what=$1
    shift
    if "$@"; then
        echo "ok: $what"
    else
        fail "$what"
    fi
}

# --- Make the package, away from the build tree.
if ! (cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1); then
    cat "$work/cpack.log"
    echo "FAIL: cpack could not make the package"
    exit 1
fi
debs=("$work"/out/*.deb)
[ "${#debs[@]}" -eq 1 ] && [ -f "${debs[0]}" ] || { ls -l "$work/out"; echo "FAIL: not exactly one .deb"; exit 1; }
deb=${debs[0]}
arch=$(dpkg --print-architecture)
check "the package file is named orva-configurator_${version}_$arch.deb" \
    [ "$(basename "$deb")" = "orva-configurator_${version}_$arch.deb" ]

# --- Control fields.
dpkg-deb -I "$deb" >"$work/info" || { echo "FAIL: dpkg-deb cannot read the package"; exit 1; }
cat "$work/info"
field()
{
    dpkg-deb -f "$deb" "$1"
}
check "Package is orva-configurator" [ "$(field Package)" = orva-configurator ]
check "Version is $version" [ "$(field Version)" = "$version" ]
check "Architecture is $arch" [ "$(field Architecture)" = "$arch" ]
check "Maintainer is set" [ -n "$(field Maintainer)" ]
check "Section is utils" [ "$(field Section)" = utils ]
check "the description names the program" grep -q "ORVA Configurator" <<<"$(field Description)"
check "xdg-utils is recommended (it opens the identifier file and the portal)" \
    grep -qw xdg-utils <<<"$(field Recommends)"

depends=$(field Depends)
# The dependency names, without versions or alternatives' parentheses: "libc6 (>= 2.34), libqt5core5a (>= 5.15.1)".
dependencyNames=$(tr ',|' '\n\n' <<<"$depends" | sed -E 's/\(.*\)//; s/^ +//; s/ +$//; s/:any$//' | sort -u)
for package in libc6 libstdc++6 libqt5core5a libqt5gui5 libqt5widgets5; do
    check "Depends names $package" grep -qx "$package" <<<"$dependencyNames"
done
check "every dependency carries a lowest version" \
    bash -c '! tr "," "\n" <<<"$1" | grep -v "(>= " | grep -q .' _ "$depends"

# --- Files.
root=$work/root
dpkg -x "$deb" "$root" || { echo "FAIL: dpkg -x cannot unpack the package"; exit 1; }
(cd "$root" && find . -type f -o -type l | sort) >"$work/files"
echo "Files:"
sed 's/^/  /' "$work/files"
desktopFile=usr/share/applications/orva-configurator.desktop
mimeFile=usr/share/mime/packages/orva-configurator.xml
metainfoFile=usr/share/metainfo/net.example.orva.configurator.metainfo.xml
iconSizes=(16 22 24 32 48 64 128 256)
iconFiles=()
for size in "${iconSizes[@]}"; do
    iconFiles+=("usr/share/icons/hicolor/${size}x$size/apps/orva-configurator.png")
done
svgFile=usr/share/icons/hicolor/scalable/apps/orva-configurator.svg
copyrightFile=usr/share/doc/orva-configurator/copyright
manPages=(usr/share/man/man1/OrvaConfigurator.1.gz usr/share/man/man1/vskinfo.1.gz usr/share/man/man1/vskwrite.1.gz)
expected=$(printf './%s\n' usr/bin/OrvaConfigurator usr/bin/vskinfo usr/bin/vskwrite "$desktopFile" "$mimeFile" "$metainfoFile" \
    "${iconFiles[@]}" "$svgFile" "$copyrightFile" "${manPages[@]}" | sort)
check "the package holds the three programs, their manual pages, the menu entry, the file type, the icons, the metadata and the copyright file, and nothing else" \
    [ "$(cat "$work/files")" = "$expected" ]
if command -v man >/dev/null; then
    for page in "${manPages[@]}"; do
        check "$page is a manual page that man renders without warnings" \
            bash -c '[ -z "$(LANG=C.UTF-8 MANWIDTH=80 man --warnings -l "$1" 2>&1 >/dev/null)" ]' _ "$root/$page"
    done
else
    echo "SKIP: the manual pages are not rendered: man is missing"
fi
for program in OrvaConfigurator vskinfo vskwrite; do
    check "usr/bin/$program is an executable" [ -x "$root/usr/bin/$program" ]
    check "usr/bin/$program is stripped" bash -c '! readelf -S "$1" | grep -q "\.debug_info"' _ "$root/usr/bin/$program"
done

# Every library the programs need must come from a package named in Depends (libraries of the C library itself
# are found under /lib or /usr/lib; dpkg knows each under one of the two).
owner()
{
    local path=$1
    dpkg -S "$path" 2>/dev/null || dpkg -S "${path#/usr}" 2>/dev/null || dpkg -S "/usr$path" 2>/dev/null
}
for program in OrvaConfigurator vskinfo vskwrite; do
    loaded=$(ldd "$root/usr/bin/$program" | sed -nE 's/^\s*(\S+) => (\/\S+) .*/\1 \2/p')
    needed=$(readelf -d "$root/usr/bin/$program" | sed -nE 's/.*\(NEEDED\).*\[(.*)\]/\1/p')
    check "$program needs shared libraries" [ -n "$needed" ]
    for library in $needed; do
        path=$(awk -v library="$library" '$1 == library { print $2 }' <<<"$loaded")
        package=
        [ -n "$path" ] && package=$(owner "$path" | head -n 1 | cut -d: -f1)
        if [ -z "$package" ]; then
            fail "$program: no package holds $library (${path:-not found})"
            continue
        fi
        check "$program: $library comes from $package, named in Depends" grep -qx "$package" <<<"$dependencyNames"
    done
done

# The packaged vskinfo runs: without arguments it shows its usage and ends with status 2.
"$root/usr/bin/vskinfo" >/dev/null 2>"$work/usage"
status=$?
check "the packaged vskinfo runs (status 2 and its usage without arguments)" \
    bash -c '[ "$1" -eq 2 ] && grep -q "usage: vskinfo" "$2"' _ "$status" "$work/usage"

# The command lines answer --help without a display, and refuse what they do not know with status 2.
for program in OrvaConfigurator vskwrite; do
    env -i PATH=/usr/bin:/bin HOME="$work/home" "$root/usr/bin/$program" --help >"$work/help" 2>&1
    status=$?
    check "the packaged $program --help prints its usage without a display (status $status)" \
        bash -c '[ "$1" -eq 0 ] && grep -q "^Usage: " "$2"' _ "$status" "$work/help"
    env -i PATH=/usr/bin:/bin HOME="$work/home" "$root/usr/bin/$program" --no-such-option >/dev/null 2>&1
    status=$?
    check "the packaged $program refuses an unknown option with status 2 (got $status)" [ "$status" -eq 2 ]
done

# The packaged window starts and keeps running (on the offscreen platform, with a HOME of its own) until stopped.
mkdir -p "$work/home"
env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$work/home" QT_QPA_PLATFORM=offscreen \
    timeout 2 "$root/usr/bin/OrvaConfigurator" >"$work/start.log" 2>&1
status=$?
check "the packaged OrvaConfigurator starts and runs until stopped (status 124 from timeout, got $status)" \
    [ "$status" -eq 124 ]
[ "$status" -eq 124 ] || cat "$work/start.log"

# apt would install it here: every dependency is known and satisfiable (a simulation; nothing is installed).
if command -v apt-get >/dev/null; then
    apt-get install --simulate --no-install-recommends "$deb" >"$work/apt.log" 2>&1
    check "apt-get accepts the package (simulated installation)" grep -q "^Inst orva-configurator " "$work/apt.log"
fi

# --- The menu entry and its icon.
check "desktop-file-validate accepts the menu entry" desktop-file-validate "$root/$desktopFile"
entry()
{
    sed -n "s/^$1=//p" "$root/$desktopFile"
}
check "the menu entry is named ORVA Configurator" [ "$(entry Name)" = "ORVA Configurator" ]
exec=$(entry Exec)
check "the menu entry starts usr/bin/${exec%% *}" [ -x "$root/usr/bin/${exec%% *}" ]
check "the menu entry hands the program the file it opens (Exec=$exec)" [ "$exec" = "OrvaConfigurator %f" ]
check "the menu entry's icon is the packaged icon" [ "$(entry Icon).png" = "$(basename "${iconFiles[0]}")" ]
for index in "${!iconSizes[@]}"; do
    size=${iconSizes[$index]}
    # PNG signature, then the IHDR chunk: width and height, 4 bytes each, big-endian.
    pngHeader=$(od -An -tx1 -N24 "$root/${iconFiles[$index]}" | tr -d ' \n')
    sizeBytes=$(printf '%08x%08x' "$size" "$size")
    check "the ${size}x$size icon is a PNG of $size x $size" \
        [ "${pngHeader:0:16} ${pngHeader:32:16}" = "89504e470d0a1a0a $sizeBytes" ]
done
check "the scalable icon is an SVG" grep -q '^<svg xmlns="http://www.w3.org/2000/svg"' "$root/$svgFile"

# --- The parameter files' type: a double-click on a card's GP0_0000.VSK opens the window with that file.
if command -v update-mime-database >/dev/null; then
    mkdir -p "$work/mime/packages"
    cp "$root/$mimeFile" "$work/mime/packages/"
    check "update-mime-database takes the packaged file type" update-mime-database "$work/mime"
    # globs2 lines are weight:type:pattern, with a flag ":cs" after a pattern that is matched case-sensitively.
    check "the type application/x-orva-parameter-file holds the files named *.vsk, in any case" \
        grep -Eqx '[0-9]+:application/x-orva-parameter-file:\*\.vsk' "$work/mime/globs2"
    check "the type is named \"ORVA parameter file\" and shows the program's icon" \
        bash -c 'grep -q "<comment>ORVA parameter file</comment>" "$1" && grep -q "<icon name=\"$2\"/>" "$1"' _ \
        "$root/$mimeFile" "$(entry Icon)"
else
    fail "update-mime-database (package shared-mime-info) is missing: the file type is not checked"
fi
check "the menu entry opens that type" grep -qx 'application/x-orva-parameter-file;' <<<"$(entry MimeType)"

# --- What software centres show.
check "appstreamcli validates the metadata" appstreamcli validate --no-net "$root/$metainfoFile"
check "the metadata names the menu entry" grep -q "<launchable type=\"desktop-id\">$(basename "$desktopFile")<" \
    "$root/$metainfoFile"
check "the metadata's release is $version" grep -q "<release version=\"$version\"" "$root/$metainfoFile"
check "the copyright file names the maker" grep -q '^Copyright: .*Vaskor Quendra SA' "$root/$copyrightFile"

# --- The window is tied to its menu entry: the class of the packaged program's window (WM_CLASS, as the desktop
# reads it on X11) is the entry's StartupWMClass.
if command -v Xvfb >/dev/null && command -v xdotool >/dev/null && command -v xprop >/dev/null; then
    mkfifo "$work/display"
    exec {displayFd}<>"$work/display"
    Xvfb -displayfd "$displayFd" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfbPid=$!
    trap 'kill "$xvfbPid" 2>/dev/null; rm -rf "$work"' EXIT
    read -r -t 20 -u "$displayFd" display
    env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$work/home" DISPLAY=":$display" LANG=C.UTF-8 \
        timeout 20 "$root/usr/bin/OrvaConfigurator" >"$work/x11.log" 2>&1 &
    appPid=$!
    window=$(DISPLAY=":$display" timeout 15 xdotool search --sync --name "^ORVA Configurator V${version//./\\.}\$" | head -n 1)
    # WM_CLASS(STRING) = "OrvaConfigurator", "ORVA Configurator": the instance, then the class.
    windowClass=$(DISPLAY=":$display" xprop -id "${window:-0}" WM_CLASS 2>/dev/null | sed -nE 's/.*= ".*", "(.*)"$/\1/p')
    kill "$appPid" 2>/dev/null
    wait "$appPid" 2>/dev/null
    check "the window's class (${windowClass:-no window}) is the menu entry's StartupWMClass ($(entry StartupWMClass))" \
        [ "${windowClass:-no window}" = "$(entry StartupWMClass)" ]
else
    echo "SKIP: the window's class is not checked: Xvfb, xdotool or xprop is missing"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks pass"
