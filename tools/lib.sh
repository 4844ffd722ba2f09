# Shared by tools/run and tools/test: packages, builds, the X display and the
# Wine prefix. Sourced, not run.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# BRISEVENT_BUILD puts the build trees and the test prefix elsewhere, e.g. to
# run two checkouts side by side.
BUILD="${BRISEVENT_BUILD:-$ROOT/build}"
WINE64=/usr/lib/wine/wine64
WINE32=/usr/lib/wine/wine
WINESERVER=/usr/lib/wine/wineserver

BUILD_PACKAGES="cmake make g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix googletest"
WINE_PACKAGES="wine wine64 wine32:i386 fonts-wine xvfb xauth"

say() { printf '%s\n' "$*" >&2; }

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
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Configures and builds one target: x64 or x86.
build_target() {
    local target=$1
    cmake -S "$ROOT" -B "$BUILD/$target" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/tools/cmake/mingw-$target.cmake" >/dev/null
    cmake --build "$BUILD/$target" -j "$(nproc)"
}

# The Wine loader for a target's programs.
wine_loader() {
    case $1 in
        x64) echo "$WINE64" ;;
        x86) echo "$WINE32" ;;
    esac
}

# True when this machine can start the target's programs. 32-bit programs
# need a kernel that runs 32-bit x86 code, which some virtual machines lack.
can_run_target() {
    "$(wine_loader "$1")" --version >/dev/null 2>&1
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
