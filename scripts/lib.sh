# Shared by scripts/run and scripts/test: install what is missing, then build.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${QUELMARINE_BUILD_DIR:-$ROOT/build}"

# What building and running need.
RUN_PACKAGES=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev libqt6opengl6-dev qt6-qpa-plugins
    libavformat-dev libavcodec-dev libswresample-dev libavutil-dev
    libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev libegl-dev libegl-mesa0
    libftgl-dev libfontconfig-dev fonts-dejavu-core libsoil-dev
    libjpeg62-turbo-dev libpng-dev libpulse-dev dpkg-dev file qt6-wayland
    libxrandr-dev libwayland-dev wayland-protocols
)
# What only the tests, the benchmark, the screenshot script and the clean-system install check
# (debootstrap; unshare from util-linux) need.
TEST_PACKAGES=(
    googletest libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev
    xvfb xauth xdotool imagemagick x11-utils x11-apps openbox
    pulseaudio pulseaudio-utils sox python3 lame ffmpeg
    xscreensaver xscreensaver-gl lintian passwd
    debootstrap util-linux
    sway grim wtype swayidle weston
)

# Installs those of the given packages that are missing.
install_missing_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Configures (extra arguments go to CMake) and builds everything into $BUILD_DIR (only the
# targets named in BUILD_TARGETS when it is set).
build_all() {
    local generator=()
    [ -f "$BUILD_DIR/CMakeCache.txt" ] || generator=(-G Ninja)
    # A compiler cache, where one is installed, shares objects between work trees.
    local launcher=()
    if command -v ccache >/dev/null; then
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
        export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=1
    fi
    cmake -S "$ROOT" -B "$BUILD_DIR" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        "${launcher[@]}" "$@" >/dev/null
    cmake --build "$BUILD_DIR" -j "$(nproc)" ${BUILD_TARGETS:+--target $BUILD_TARGETS}
}

# Hardening: clang's libFuzzer and sanitizer run-times (scripts/fuzz); for the fault tests,
# xrandr and an X server whose screen it can resize (Xorg with the dummy driver).
TEST_PACKAGES+=(clang libclang-rt-14-dev x11-xserver-utils xserver-xorg-core
                xserver-xorg-video-dummy)

# Runs the command (the arguments) on a virtual X server of its own (1280 x 1024). The server
# tells its display number itself, so runs side by side never pick the same one. It does not
# reset itself when its last client leaves: a test started during such a reset could not connect.
run_under_virtual_x() {
    local fifo status=0 number xvfb
    fifo="$(mktemp -u)"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
    xvfb=$!
    if ! read -r -t 20 number <"$fifo"; then
        rm -f "$fifo"
        echo "the virtual X server did not start" >&2
        return 1
    fi
    rm -f "$fifo"
    DISPLAY=":$number" "$@" || status=$?
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
    return $status
}

# The Wayland tests: a headless compositor, screenshots and keys.
TEST_PACKAGES+=(sway grim wtype)
