#!/usr/bin/env bash
# The Windows program as a user gets it: the installer run silently into a fresh Wine prefix, then the installed
# OrvaConfigurator.exe on a real X server (Xvfb), driven by keyboard and mouse events (xdotool). The card is a folder
# behind a drive letter that Wine reports as removable ("floppy"). The results are read from outside: the parameter
# file by the Linux vskinfo, the identifier file on Wine's Desktop byte for byte, the form in Wine's registry.
# Wine's own notepad.exe opens the identifier file; the portal goes through Wine's shell to its browser launcher,
# which calls xdg-open, here a script that records what it is given.
#
#   run_wine_window_check.sh <Windows build folder> <Linux vskinfo> <folder for the temporary files>
#
# Exit status: 0 when every check holds, 1 when one fails, 77 when Wine, Xvfb, xdotool or the Windows build is
# missing.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_common.sh"
source "$here/wine_window.sh"

usage="usage: run_wine_window_check.sh <Windows build> <vskinfo> <temporary folder>"
build=${1:?$usage}
vskinfo=$(readlink -f "${2:?$usage}")
parent=${3:?$usage}
findWine
for tool in Xvfb xdotool setpriv; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
findWindowsBuild "$build"
build=$windows_build
installer=$(ls "$build"/OrvaConfigurator-*-win64.exe 2>/dev/null | head -n 1)
# The version is in the installer's name; the window's title carries it too.
version=${installer##*/OrvaConfigurator-}
version=${version%-win64.exe}
titlePattern="^ORVA Configurator V${version//./\\.}\$"
[ -n "$installer" ] || skip "no installer in $build: scripts/windows-build makes it"
[ -x "$vskinfo" ] || {
    echo "FAIL: $vskinfo is not an executable"
    exit 1
}

mkdir -p "$parent"
parent=$(cd "$parent" && pwd)
shots=$parent/wine-window
work=$(mktemp -d "$parent/wine-window.XXXXXX")
card=$work/card
record=$work/xdg-open.log
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

# ---------------------------------------------------------------------------------------------------------------
# A fresh prefix, the X server, and an xdg-open that only records.

log "creating the Wine prefix"
newWinePrefix
mkdir -p "$work/bin"
cat >"$work/bin/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$*" >>"$record"
EOF
chmod +x "$work/bin/xdg-open"
: >"$record"
export PATH="$work/bin:$PATH"

startXvfb

# ---------------------------------------------------------------------------------------------------------------
# The installer, silently.

log "installing $(basename "$installer") with /S"
"$wine" "$(windowsPath "$installer")" /S >>"$work/wine.log" 2>&1
status=$?
"$wineserver" -w
check "the installer ended with status 0 (got $status)" [ "$status" -eq 0 ]
installed="$WINEPREFIX/drive_c/Program Files/ORVA Configurator"
app='C:\Program Files\ORVA Configurator\bin\OrvaConfigurator.exe'
[ -f "$installed/bin/OrvaConfigurator.exe" ] || die "the installer left no $app"
log "ok: $app is installed"
for file in vskinfo.exe Qt5Core.dll Qt5Gui.dll Qt5Widgets.dll libstdc++-6.dll platforms/qwindows.dll \
    styles/qwindowsvistastyle.dll imageformats/qico.dll; do
    check "bin/$file is installed" [ -f "$installed/bin/$file" ]
done
check "the uninstaller is installed" [ -f "$installed/Uninstall.exe" ]
shortcut=$(find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/ORVA Configurator/ORVA Configurator.lnk' | head -n 1)
check "the Start menu holds \"ORVA Configurator\"" [ -n "$shortcut" ]
check "the Start-menu entry starts the installed program" \
    grep -Fq 'C:\Program Files\ORVA Configurator\bin\OrvaConfigurator.exe' <(strings "$shortcut" 2>/dev/null)
uninstallKey='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\ORVA Configurator'
uninstallEntry=$("$wine" reg query "$uninstallKey" 2>/dev/null | tr -d '\r')
check "the uninstaller is registered" grep -Eq 'UninstallString +REG_SZ +.*Uninstall\.exe' <<<"$uninstallEntry"
check "the registered program shows the program's icon" \
    grep -Eq 'DisplayIcon +REG_SZ +.*bin\\OrvaConfigurator\.exe' <<<"$uninstallEntry"

# ---------------------------------------------------------------------------------------------------------------
# Driving the window.

# The stored form as `reg query` shows it.
settingsKey='HKCU\Software\Vaskor Quendra SA\ORVA Configurator'
readSettings() { stored=$("$wine" reg query "$settingsKey" 2>/dev/null | tr -d '\r'); }
hasSetting() { grep -Eq "^ +$1 +$2 +$3\$" <<<"$stored"; }
noSetting() { ! grep -Eq "^ +$1 +" <<<"$stored"; }
checkSettings()
{
    readSettings
    local entry
    for entry in "$@"; do
        local name=${entry%%=*} value=${entry#*=}
        local type=REG_SZ
        if [[ $value == 0x* ]]; then type=REG_DWORD; fi
        check "the registry holds $name = $value ($type)" hasSetting "$name" "$type" "$value"
    done
}

inspect()
{
    local file=$card/02/$1
    inspected=$("$vskinfo" "$file" 2>&1)
    local status=$?
    check "E:\\02\\$1 passes every check of vskinfo" [ "$status" -eq 0 ]
    [ "$status" -eq 0 ] || printf '%s\n' "$inspected"
}
hasRecord() { grep -Eq "^ +$1 $2 +$3\$" <<<"$inspected"; }
checkRecord() { check "record $1 ($2) is $3" hasRecord "$1" "$2" "$(sed 's/[][().*+?^$|\\]/\\&/g' <<<"$3")"; }
identifierOnCard() { sed -nE 's/^ +1 identifier +([0-9A-F]{32})$/\1/p' <<<"$inspected"; }

expectedIdentifierFile()
{
    local banner
    banner="$(printf '%038d' 0 | tr 0 '*') THIS IS IMPORTANT $(printf '%038d' 0 | tr 0 '*')"
    printf '%s\r\n\r\n%s\r\n\r\n%s%s\r\n\r\n%s' "$banner" \
        "PLEASE KEEP THIS IDENTIFIER FOR THE AUTHENTICATION OF YOUR INSTALLATION ON THE ORVA WEBSITE" \
        "YOUR IDENTIFIER (GUID) : " "$1" "$banner"
}

notepadShows() { xdotool search --name "^ORVA Serial Number\.txt - Notepad\$" >/dev/null 2>&1; }
noNotepad() { ! notepadShows; }
# Wine shows a program's Windows command line as its process's command line.
notepadGotTheFile() { pgrep -af 'notepad\.exe' | grep -Fq 'C:/users/'"$wineUser"'/Desktop/ORVA Serial Number.txt'; }
# Wine's shell gives the address to its browser launcher, which may add the root path "/".
portalOpened() { grep -Eq '^https://portal\.orva\.example\.net/?$' "$record"; }

# ---------------------------------------------------------------------------------------------------------------
# The runs.

log "no card: Generate warns and the window stays"
startApp
key Tab Tab
typeText G # "GSM", by the first letter
clickButton Generate
answerBox "SD Card not available"
check "the window stays after the warning" windowStays
focusWindow
clickButton Quit
expectExit
checkSettings serialMode=0x8 driveLetter=0xffffffff
"$wineserver" -w

log "the card: E: is a folder that Wine reports as a removable drive"
mkdir -p "$card"
ln -s "$card" "$WINEPREFIX/dosdevices/e:"
"$wine" reg add 'HKLM\Software\Wine\Drives' /v e: /d floppy /f >/dev/null 2>&1
# The drive types are read when a Wine session starts: let this one end.
"$wineserver" -w

log "GSM on E:"
startApp
typeText E # the card's entry, "E:/ ...", by its first letter
key Tab Tab
typeText G
key Tab
typeText internet.example.net
key Tab
typeText "orva user"
key Tab
typeText "secret word"
key Tab Tab # past the button that shows the password
typeText 5273
clickButton Generate
answerBox "File generated"
expectExit
inspect GP0_0000.VSK
checkRecord 2 "mode code" "8 (GSM)"
checkRecord 5 "access point name" '"internet.example.net"'
checkRecord 6 "user name" '"orva user"'
checkRecord 7 "password" '"secret word"'
checkRecord 8 "PIN code" '"5273"'
identifier=$(identifierOnCard)
desktop=$(find "$WINEPREFIX/drive_c/users" -mindepth 2 -maxdepth 2 -name Desktop -not -path '*/Public/*' | head -n 1)
wineUser=$(basename "$(dirname "$desktop")")
check "the identifier file on Wine's Desktop holds the identifier $identifier, byte for byte" \
    cmp -s "$desktop/ORVA Serial Number.txt" <(expectedIdentifierFile "$identifier")
check "notepad.exe shows \"ORVA Serial Number.txt\"" waitFor 30 notepadShows
check "notepad.exe was given the file's full path on the Desktop" notepadGotTheFile
check "the portal went to the shell, which handed it to the browser launcher" waitFor 30 portalOpened
check "the card's label is \"Orva Config\"" grep -Fxq 'Orva Config' <(tr -d '\r\0' <"$card/.windows-label" 2>/dev/null; echo)
# The password and the PIN in Wine's Credential Manager, a marker each in the registry.
checkSettings serialMode=0x8 accessPointName=internet.example.net "username=orva user" passwordInKeychain=true \
    pinCodeInKeychain=true driveLetter=0x0 resetConfig=false
check "the registry holds neither the password nor the PIN" noSetting '(password|pinCode)'
# Notepad stays open after the program has ended, as it would on Windows; it is closed here.
"$wineserver" -k
"$wineserver" -w
portalCalls=$(wc -l <"$record")

log "Kerv (38400 bps) on E:, starting from the remembered GSM form"
startApp
key Tab Tab
typeText K # "Kerv (38400 bps)": no fields
clickButton Generate
# The card holds the GSM file just written, whose identifier was handed out: replacing it is asked first.
answerBox "Replace the configuration?" shift+Tab Return # "Replace"
answerBox "File generated"
expectExit
inspect GP0_0000.VSK
checkRecord 2 "mode code" "4 (Kerv (38400 bps))"
checkRecord 5 "access point name" "(empty)"
check "a new identifier for the new file" [ "$(identifierOnCard)" != "$identifier" ]
sleep 1
check "no identifier hand-off for Kerv: the portal was not opened again" [ "$(wc -l <"$record")" -eq "$portalCalls" ]
check "no notepad for Kerv" noNotepad
checkSettings serialMode=0x4 accessPointName=internet.example.net

finish
