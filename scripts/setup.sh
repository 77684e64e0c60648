# Shared by scripts/run and scripts/test: installs the Debian packages that are missing, then
# configures and builds the program, its tools, the sample data set and the tests in build/.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${KERLA_BUILD_DIR:-$ROOT/build}"

PACKAGES=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libjpeg-dev
    xvfb xauth
    fonts-dejavu-core
    librsvg2-bin desktop-file-utils appstream
    clang-format-14 # the code style's check (format_check) and the target format
    qt6-gtk-platformtheme at-spi2-core
    python3-icalendar # the calendar export's round trip through a real iCalendar parser
    # the free stand-ins of the design's faces: Liberation (Arial, Times New Roman metrics) and
    # Wine's Tahoma and MS Sans Serif, which the program registers itself
    fonts-liberation fonts-wine
)
PACKAGES+=(${KERLA_EXTRA_PACKAGES:-}) # what a caller needs beyond the build and the tests

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing the missing Debian packages: ${missing[*]}"
    if [ "$(id -u)" -eq 0 ]; then
        SUDO=""
    elif command -v sudo >/dev/null 2>&1; then
        SUDO="sudo"
    else
        echo "These packages are missing and there is no sudo to install them: ${missing[*]}" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq
    $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S "$ROOT" -B "$BUILD" -G Ninja ${KERLA_CMAKE_ARGS:-}
# KERLA_BUILD_TARGETS: only these targets (scripts/windows builds the build's tools alone)
cmake --build "$BUILD" -j "$(nproc)" ${KERLA_BUILD_TARGETS:+--target $KERLA_BUILD_TARGETS}
