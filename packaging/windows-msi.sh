#!/usr/bin/env bash
# Makes the MSI package of the Windows program from its runnable folder, with wixl (Debian package wixl):
#
#     windows-msi.sh <runnable folder> <version> <output.msi>
#
# The folder is the one scripts/windows-build lays out (bin\OrvaConfigurator.exe, its DLLs and plugins). The
# version is the release's, three numbers, as the build gives it (scripts/windows-package reads the project's
# version from the build); the product code is derived from it, so that each release has its own and a
# rebuilt MSI of one release keeps it. The tests make an older version from the same folder to check the upgrade.
set -euo pipefail
usage="usage: windows-msi.sh <runnable folder> <version> <output.msi>"
folder=$(cd "${1:?$usage}" && pwd)
version=${2:?$usage}
output=${3:?$usage}
here=$(cd "$(dirname "$0")" && pwd)
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || {
    echo "windows-msi.sh: the version must be three numbers, not \"$version\"" >&2
    exit 2
}
[ -f "$folder/bin/OrvaConfigurator.exe" ] || {
    echo "windows-msi.sh: $folder/bin/OrvaConfigurator.exe is missing" >&2
    exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
upgradeCode=$(sed -n 's/.*UpgradeCode="\([0-9a-f-]*\)".*/\1/p' "$here/OrvaConfigurator.wxs")
productCode=$(python3 -c 'import sys, uuid; print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.argv[2])).upper())' \
    "$upgradeCode" "$version")

# Every file of the folder but the program, which the main source lays out with its shortcut and file type.
(cd "$folder" && find bin -type f ! -path bin/OrvaConfigurator.exe | LC_ALL=C sort) |
    (cd "$folder" && wixl-heat --var var.SourceDir -p bin/ --component-group Files --directory-ref BinDir --win64) \
        >"$work/files.wxs"
# wixl takes source files by paths relative to the source that names them: everything is gathered in one folder.
cp "$here/OrvaConfigurator.wxs" "$work/"
cp "$here/../resources/icon.ico" "$work/OrvaConfigurator.ico"
ln -s "$folder/bin" "$work/bin"
(cd "$work" && wixl --arch x64 -D Version="$version" -D ProductCode="$productCode" -D SourceDir=bin -D Win64=yes \
    -D IconFile=OrvaConfigurator.ico -o package.msi OrvaConfigurator.wxs files.wxs)
mv "$work/package.msi" "$output"
