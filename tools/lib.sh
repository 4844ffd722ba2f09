# Shared by tools/run and tools/test: packages, builds, the X display and the
# Wine prefix. Sourced, not run.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# BRISEVENT_BUILD puts the build trees and the test prefix elsewhere, e.g. to
# run two checkouts side by side.
BUILD="${BRISEVENT_BUILD:-$ROOT/build}"
WINE64=/usr/lib/wine/wine64
WINE32=/usr/lib/wine/wine
WINESERVER=/usr/lib/wine/wineserver
QEMU_I386=/usr/bin/qemu-i386

BUILD_PACKAGES="cmake make g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix googletest python3"
WINE_PACKAGES="wine wine64 fonts-wine xvfb xauth"
# The 32-bit Wine, which only the x86 tests need.
WINE32_PACKAGES="wine32:i386"

say() { printf '%s\n' "$*" >&2; }

# Refreshes apt's package lists. A mirror caught in the middle of a sync
# fails one index or another; the install then goes on with the lists it
# has, and says so only if it fails.
update_package_lists() {
    apt-get update -qq || apt-get update -qq || say "apt-get update failed; installing from the package lists at hand"
}

# Installs with apt-get whatever of the given Debian packages is missing.
ensure_packages() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    say "Installing: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
        say "These packages are missing; run this script as root to install them."
        exit 1
    fi
    case " ${missing[*]} " in
        *:i386*) dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386 ;;
    esac
    update_package_lists
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Configures and builds one target, x64 or x86: everything, or only the
# CMake targets named after it.
build_target() {
    local target=$1
    shift
    cmake -S "$ROOT" -B "$BUILD/$target" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/tools/cmake/mingw-$target.cmake" >/dev/null
    cmake --build "$BUILD/$target" -j "$(nproc)" ${1:+--target "$@"}
}

# How this machine runs 32-bit x86 programs, and so the x86 tests:
#   native  its kernel runs them;
#   qemu    its kernel cannot (some virtual machines), but gives each user
#           namespace a binfmt_misc of its own (Linux 6.7 and later), so
#           tools/qemu-x86 can run them through qemu-i386 in a namespace;
#   none    neither.
x86_runner() {
    if "$WINE32" --version >/dev/null 2>&1; then
        echo native
    elif unshare --user --map-root-user --mount \
            mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc >/dev/null 2>&1; then
        echo qemu
    else
        echo none
    fi
}

# Installs qemu-user 10 for tools/qemu-x86, from bookworm-backports on Debian
# 12. Bookworm's own QEMU 7.2 ignores MAP_FIXED_NOREPLACE, and each Wine
# process then spins for about a minute. qemu-user-binfmt, which qemu-user
# recommends, is left out: it would hand every 32-bit program of the machine
# to QEMU.
ensure_qemu_user() {
    local status version codename
    status=$(dpkg-query -W -f='${Status} ${Version}' qemu-user 2>/dev/null || true)
    version=${status##* }
    if [[ $status == *"ok installed"* ]] && dpkg --compare-versions "$version" ge 1:10 && [ -x "$QEMU_I386" ]; then
        return 0
    fi
    say "Installing: qemu-user (10 or later)"
    if [ "$(id -u)" -ne 0 ]; then
        say "qemu-user 10 is missing; run this script as root to install it."
        exit 1
    fi
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    local release=()
    if [ "$codename" = bookworm ]; then
        release=(-t bookworm-backports)
        if ! grep -Eqrs '^[^#]*bookworm-backports' /etc/apt/sources.list /etc/apt/sources.list.d/; then
            cat >/etc/apt/sources.list.d/bookworm-backports.sources <<'SOURCES'
Types: deb
URIs: http://deb.debian.org/debian
Suites: bookworm-backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
        fi
    fi
    update_package_lists
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${release[@]}" qemu-user >/dev/null
}

# Makes sure the x86 tests can run here, installing the 32-bit Wine and,
# when they need it, QEMU, and sets X86_RUNNER to native, qemu or none (see
# x86_runner), or to nowine when the 32-bit Wine cannot be installed (a
# package mirror without the i386 packages that match the machine's). Exits
# when QEMU is needed but cannot run the 32-bit Wine loader.
prepare_x86_runner() {
    if ! (ensure_packages $WINE32_PACKAGES); then
        X86_RUNNER=nowine
        return 0
    fi
    X86_RUNNER=$(x86_runner)
    [ "$X86_RUNNER" = qemu ] || return 0
    ensure_qemu_user
    if ! "$ROOT/tools/qemu-x86" "$WINE32" --version >/dev/null 2>&1; then
        say "This kernel cannot run 32-bit x86 programs, and $WINE32 does not start"
        say "through qemu-i386 either:"
        "$ROOT/tools/qemu-x86" "$WINE32" --version >&2 || true
        exit 1
    fi
}

# Starts a private Xvfb and points DISPLAY at it until the script ends.
start_xvfb() {
    local number=90
    while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
        number=$((number + 1))
    done
    Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [ -e "/tmp/.X11-unix/X$number" ] && break
        sleep 0.1
    done
    export DISPLAY=":$number"
}

# Makes the Wine prefix in $WINEPREFIX once. A wineserver must not start
# without a display, so DISPLAY is set before this runs.
prepare_prefix() {
    [ -f "$WINEPREFIX/.prepared" ] && return 0
    say "Preparing the Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    WINEDLLOVERRIDES="mscoree,mshtml=" "$WINE64" wineboot -i >/dev/null 2>&1
    "$WINESERVER" -w
    touch "$WINEPREFIX/.prepared"
}

# Whether a window manager places Wine's windows (Y) or Wine does (N). Under
# Xvfb there is no window manager, and each modal window of a managed prefix
# then takes about two seconds to close.
set_managed_windows() {
    "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$1" /f >/dev/null 2>&1
}

# Ends the Xvfb and the wineserver that this script started.
stop_services() {
    [ -n "${WINEPREFIX:-}" ] && "$WINESERVER" -k >/dev/null 2>&1 || true
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}
