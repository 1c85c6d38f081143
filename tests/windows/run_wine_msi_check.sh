#!/usr/bin/env bash
# The Windows delivery as IT deploys it, in one fresh Wine prefix: the build packed again with a throw-away
# self-signed certificate (openssl) and every signature checked with osslsigncode; an older MSI made from the same
# folder installed silently, then replaced by this version's MSI (major upgrade); the installed program's argument
# error and version shown in message boxes; a parameter file opened through its file type, which fills the window's
# form, and "Generate" writing the same records under a new identifier; the MSI removed silently, leaving nothing;
# then the signed NSIS installer and its uninstaller, with the file type registered and removed again.
#
#   run_wine_msi_check.sh <Windows build folder> <Linux vskinfo> <Linux vskwrite> <folder for the temporary files>
#
# Exit status: 0 when every check holds, 1 when one fails, 77 when Wine, Xvfb, xdotool, the packaging tools or the
# Windows build are missing.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
source "$here/wine_common.sh"
source "$here/wine_window.sh"

usage="usage: run_wine_msi_check.sh <Windows build> <vskinfo> <vskwrite> <temporary folder>"
build=${1:?$usage}
vskinfo=$(readlink -f "${2:?$usage}")
vskwrite=$(readlink -f "${3:?$usage}")
parent=${4:?$usage}
findWine
for tool in Xvfb xdotool setpriv openssl osslsigncode wixl wixl-heat msiextract makensis cpack unzip; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
findWindowsBuild "$build"
build=$windows_build
[ -d "$build/OrvaConfigurator/bin" ] || skip "no runnable folder in $build: scripts/windows-build makes it"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
olderVersion=0.1.0
titlePattern="^ORVA Configurator V${version//./\\.}\$"

mkdir -p "$parent"
parent=$(cd "$parent" && pwd)
shots=$parent/wine-window
work=$(mktemp -d "$parent/wine-msi.XXXXXX")
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

# ---------------------------------------------------------------------------------------------------------------
# Signed packages.

log "a throw-away code-signing certificate, and the build packed again with it"
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/certificate.pem" -days 2 \
    -subj "/CN=ORVA Configurator test signing" -addext "extendedKeyUsage=codeSigning" >/dev/null 2>&1 &&
    openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/certificate.pem" -out "$work/certificate.p12" \
        -passout pass:'throw away' || die "openssl could not make the certificate"
signed=$work/signed
ORVA_SIGN_PKCS12=$work/certificate.p12 ORVA_SIGN_PASSWORD='throw away' \
    "$source_dir/scripts/windows-package" "$build" "$signed" >"$work/package.log" 2>&1 || {
    cat "$work/package.log"
    die "scripts/windows-package could not pack the build with the certificate"
}
grep -F '[windows-sign]' "$work/package.log"
installer=$signed/OrvaConfigurator-$version-win64.exe
msi=$signed/OrvaConfigurator-$version-win64.msi
olderMsi=$work/OrvaConfigurator-$olderVersion-win64.msi
"$source_dir/packaging/windows-msi.sh" "$signed/OrvaConfigurator" "$olderVersion" "$olderMsi" &&
    ORVA_SIGN_PKCS12=$work/certificate.p12 ORVA_SIGN_PASSWORD='throw away' \
        "$source_dir/scripts/windows-sign" "$olderMsi" >/dev/null || die "the older MSI could not be made"

verified() { osslsigncode verify -CAfile "$work/certificate.pem" -in "$1" >"$work/verify.log" 2>&1; }
checkSigned() { check "$2 carries a valid signature by the test certificate" verified "$1"; }
checkSigned "$installer" "the NSIS installer"
checkSigned "$msi" "the MSI"
checkSigned "$olderMsi" "the older MSI"
# What the packages install: the programs and libraries in the MSI and in the zip.
mkdir -p "$work/msi-content" "$work/zip-content"
msiextract -C "$work/msi-content" "$msi" >/dev/null || fail "msiextract cannot read the MSI"
unzip -q "$signed/OrvaConfigurator-$version-win64.zip" -d "$work/zip-content" || fail "the zip cannot be unpacked"
for content in msi-content zip-content; do
    mapfile -t binaries < <(cd "$work/$content" && find . -type f \( -iname '*.exe' -o -iname '*.dll' \) | sort)
    check "the ${content%-content} holds the program and its libraries (${#binaries[@]} files)" \
        grep -q 'bin/OrvaConfigurator\.exe$' <(printf '%s\n' "${binaries[@]}")
    unsignedFiles=()
    for binary in "${binaries[@]}"; do
        verified "$work/$content/$binary" || unsignedFiles+=("${binary#./}")
    done
    check "every program and library in the ${content%-content} is signed${unsignedFiles[*]:+ (not: ${unsignedFiles[*]})}" \
        [ ${#unsignedFiles[@]} -eq 0 ]
done
check "osslsigncode tells an unsigned file from a signed one" \
    bash -c '! osslsigncode verify -in "$1" >/dev/null 2>&1' _ "$build/OrvaConfigurator/bin/OrvaConfigurator.exe"

# ---------------------------------------------------------------------------------------------------------------
# A fresh prefix, the X server, and an xdg-open that only records.

log "creating the Wine prefix"
newWinePrefix
mkdir -p "$work/bin"
printf '#!/bin/sh\nexit 0\n' >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"
startXvfb

installed="$WINEPREFIX/drive_c/Program Files/ORVA Configurator"
app='C:\Program Files\ORVA Configurator\bin\OrvaConfigurator.exe'
uninstallList='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
# Each entry of the uninstall list that names the program: its key, DisplayVersion and UninstallString.
programEntries()
{
    "$wine" reg query "$uninstallList" /s 2>/dev/null | tr -d '\r' |
        awk '/^HKEY/ { key = $0 } /DisplayName +REG_SZ +ORVA Configurator$/ { print key }'
}
entryValue() { "$wine" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -nE "s/^ +$2 +REG_[A-Z_]+ +//p"; }
shortcutFile() { find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/ORVA Configurator/ORVA Configurator.lnk'; }
regValue() { "$wine" reg query "$1" /ve 2>/dev/null | tr -d '\r' | sed -nE 's/^ +\(Default\) +REG_SZ +//p'; }
fileType='HKLM\Software\Classes\OrvaConfigurator.ParameterFile'
checkFileType()
{
    local after=$1
    check "after $after, .vsk files are of the type OrvaConfigurator.ParameterFile" \
        [ "$(regValue 'HKLM\Software\Classes\.vsk')" = OrvaConfigurator.ParameterFile ]
    check "after $after, the type is named \"ORVA parameter file\"" [ "$(regValue "$fileType")" = "ORVA parameter file" ]
    check "after $after, the type shows the program's icon" \
        [ "$(regValue "$fileType\\DefaultIcon")" = "\"$app\",0" ]
    check "after $after, the type is opened by the program with the file" \
        [ "$(regValue "$fileType\\shell\\open\\command")" = "\"$app\" \"%1\"" ]
}
noFileType()
{
    ! "$wine" reg query 'HKLM\Software\Classes\.vsk' >/dev/null 2>&1 &&
        ! "$wine" reg query "$fileType" >/dev/null 2>&1
}
nothingLeft()
{
    check "after $1, nothing is left in Program Files" [ ! -e "$installed" ]
    check "after $1, the uninstall list names no ORVA Configurator" [ -z "$(programEntries)" ]
    check "after $1, the Start menu has no entry" [ -z "$(shortcutFile)" ]
    check "after $1, the file type is gone" noFileType
}

# ---------------------------------------------------------------------------------------------------------------
# The MSI: the older version, then this one over it.

msiexec()
{
    "$wine" msiexec "$@" >>"$work/wine.log" 2>&1
    local status=$?
    "$wineserver" -w
    return $status
}

log "msiexec /i $(basename "$olderMsi") /qn"
msiexec /i "$(windowsPath "$olderMsi")" /qn
check "the older MSI installed silently (status $?)" [ -f "$installed/bin/OrvaConfigurator.exe" ]
check "the uninstall list holds one ORVA Configurator" [ "$(programEntries | wc -l)" -eq 1 ]
olderEntry=$(programEntries)
check "the uninstall list holds version $olderVersion" [ "$(entryValue "$olderEntry" DisplayVersion)" = "$olderVersion" ]

log "msiexec /i $(basename "$msi") /qn: the upgrade"
msiexec /i "$(windowsPath "$msi")" /qn
check "the MSI of $version installed silently over $olderVersion (status $?)" [ -f "$installed/bin/OrvaConfigurator.exe" ]
entries=$(programEntries)
oneEntryOf() { [ "$(wc -l <<<"$entries")" -eq 1 ] && [ "$(entryValue "$entries" DisplayVersion)" = "$1" ]; }
check "the uninstall list holds one ORVA Configurator, version $version (got: $(tr '\n' ' ' <<<"$entries"))" \
    oneEntryOf "$version"
check "the older version's entry is gone" [ "$entries" != "$olderEntry" ]
check "its removal runs msiexec /x with this version's product code" \
    grep -Eq '^MsiExec\.exe /X\{[0-9A-F-]{36}\}$' <<<"$(entryValue "$entries" UninstallString)"
for file in OrvaConfigurator.exe vskinfo.exe vskwrite.exe Qt5Core.dll Qt5Widgets.dll platforms/qwindows.dll \
    styles/qwindowsvistastyle.dll imageformats/qico.dll libstdc++-6.dll; do
    check "bin/$file is installed" [ -f "$installed/bin/$file" ]
done
check "the installed program is the signed one" verified "$installed/bin/OrvaConfigurator.exe"
shortcut=$(shortcutFile)
check "the Start menu holds \"ORVA Configurator\", which starts the installed program" \
    grep -Fq "$app" <(strings "$shortcut" 2>/dev/null)
checkFileType "the MSI"

# ---------------------------------------------------------------------------------------------------------------
# The program's command line: a GUI program has no console, so the usage error and the version are boxes.

log "OrvaConfigurator.exe --no-such-option: the usage error in a box"
commandBox()
{
    local expected=$1
    shift
    "$wine" "$app" "$@" >>"$work/wine.log" 2>&1 &
    appPid=$!
    answerBox "ORVA Configurator"
    expectExit "$expected"
}
commandBox 2 --no-such-option
log "OrvaConfigurator.exe --version: the version in a box"
commandBox 0 --version

# ---------------------------------------------------------------------------------------------------------------
# A parameter file opened through its file type fills the form; "Generate" writes it again under a new identifier.

log "the card: E: is a folder that Wine reports as a removable drive"
card=$work/card
mkdir -p "$card"
ln -s "$card" "$WINEPREFIX/dosdevices/e:"
"$wine" reg add 'HKLM\Software\Wine\Drives' /v e: /d floppy /f >/dev/null 2>&1
"$wineserver" -w

source=$work/from-the-module
mkdir -p "$source"
"$vskwrite" --mode gsm --apn internet.example.net --user "orva user" --password "secret word" --pin 5273 --no-open \
    --any-folder "$source" >/dev/null 2>"$work/vskwrite.log" || {
    cat "$work/vskwrite.log"
    die "vskwrite could not make the GSM file to open"
}
log "opening $source/02/GP0_0000.VSK as Windows opens a double-clicked file (start)"
"$wine" start /unix "$source/02/GP0_0000.VSK" >>"$work/wine.log" 2>&1
waitFor 60 findWindow || die "the file did not open the window \"$titlePattern\""
focusWindow
# Nothing is remembered in this prefix: the first card, E:, is chosen. No key is typed, so that none can change the
# loaded form.
clickButton Generate
answerBox "File generated"
windowGone() { ! findWindow; }
check "the program ended after Generate" waitFor 30 windowGone
afterIdentifier() { tail -c +$((48 + 16 + 1)) "$1" | od -An -tx1; }
identifierOf() { head -c $((48 + 16)) "$1" | tail -c 16 | od -An -tx1; }
written=$card/02/GP0_0000.VSK
quiet() { "$@" >/dev/null 2>&1; }
check "E:\\02\\GP0_0000.VSK passes every check of vskinfo" quiet "$vskinfo" "$written"
check "every record after the identifier is the opened file's (GSM, APN, user, password, PIN)" \
    [ "$(afterIdentifier "$written")" = "$(afterIdentifier "$source/02/GP0_0000.VSK")" ]
check "the card has a new identifier" [ "$(identifierOf "$written")" != "$(identifierOf "$source/02/GP0_0000.VSK")" ]
# Notepad shows the identifier file, as it would on Windows; it is closed here.
"$wineserver" -k
"$wineserver" -w

# ---------------------------------------------------------------------------------------------------------------
# Removal, silently; then the NSIS installer and its uninstaller.

log "msiexec /x $(basename "$msi") /qn"
msiexec /x "$(windowsPath "$msi")" /qn
status=$?
check "msiexec /x ended with status 0 (got $status)" [ "$status" -eq 0 ]
nothingLeft "msiexec /x"

log "the signed NSIS installer with /S"
"$wine" "$(windowsPath "$installer")" /S >>"$work/wine.log" 2>&1
"$wineserver" -w
check "the NSIS installer installed the program" [ -f "$installed/bin/OrvaConfigurator.exe" ]
check "the uninstaller it wrote is signed" verified "$installed/Uninstall.exe"
checkFileType "the NSIS installer"
log "its uninstaller with /S"
"$wine" 'C:\Program Files\ORVA Configurator\Uninstall.exe' /S >>"$work/wine.log" 2>&1
# The uninstaller runs on as a copy of itself and returns at once.
programGone() { [ ! -e "$installed" ] && [ -z "$(programEntries)" ]; }
waitFor 60 programGone
"$wineserver" -w
nothingLeft "the NSIS uninstaller"

finish
