# Debian packages the project needs, by purpose. Sourced by the run and test scripts.

# To build and start the program. qttools5-dev brings lupdate and lrelease (qttools5-dev-tools) and their CMake
# package, which compile the translations; qttranslations5-l10n holds Qt's own, for the standard buttons.
# libqrcodegencpp-dev draws the identifier's QR code (for both Qt builds).
build_packages=(cmake make g++ qtbase5-dev qtbase5-dev-tools libqt5dbus5 python3
    qttools5-dev qttranslations5-l10n libqrcodegencpp-dev)
# To run every test: the offscreen and X11 window tests, the Windows cross checks, real mounts, the benchmarks,
# the Debian package and the screenshots; zbarimg and pdftoppm read the identifier's QR codes back. The power-cut test's card recorder builds on libfuse3-dev; as root it mounts
# without fuse3's fusermount3, and fuse3 is left out because it would replace fuse, which fusefat needs.
test_packages=(xvfb xauth xdotool x11-utils
    g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wine64
    clang libclang-rt-14-dev libbenchmark-dev pkg-config
    util-linux mount e2fsprogs dosfstools fusefat fuse libfuse3-dev strace
    dbus udisks2 polkitd udev
    imagemagick dpkg-dev desktop-file-utils appstream shared-mime-info
    libx11-dev libxdamage-dev
    at-spi2-core python3-pyatspi
    zbar-tools poppler-utils)
# To build the Windows program, its Qt and its QR Code generator (from Debian's source packages; the Linux library's
# package names the version), its installers (NSIS, and the MSI through
# wixl) and their Authenticode signatures (osslsigncode), and to run them under Wine (the MSI check also reads the
# MSI and the zip back with msitools and unzip and makes a throw-away certificate with openssl).
windows_packages=(cmake make g++ perl xz-utils dpkg-dev g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 nsis
    libqrcodegencpp-dev
    wixl msitools osslsigncode openssl unzip wine64 xvfb xauth xdotool x11-utils)
test_packages+=("${windows_packages[@]}")
# The second build, against Qt 6 (Debian's 6.4), with its own Linguist tools and translations.
qt6_packages=(qt6-base-dev qt6-base-dev-tools libgl-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n)
test_packages+=("${qt6_packages[@]}")
# The checks beside the tests (scripts/check): the sanitizer builds with clang and its runtimes, clazy (a clang plugin,
# the sanitizer build's compiler), clang-tidy and run-clang-tidy.
check_packages=(clang libclang-rt-14-dev clazy clang-tidy)
test_packages+=("${check_packages[@]}")

# Installs the packages that are missing; through sudo when not root.
ensure_packages()
{
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
