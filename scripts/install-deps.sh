#!/usr/bin/env bash
# Installs every Debian package the build and the tests need; does nothing when all are present.
set -euo pipefail

packages=(
    cmake ninja-build g++ make clang libclang-rt-14-dev clang-format
    libpugixml-dev libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev
    # The teams' calendars (iCalendar files) and pkg-config, which finds that library.
    libical-dev pkg-config
    valgrind
    # expat is the strict XML reader of the tests and fuzz targets; xmllint checks written files too.
    libexpat1-dev libxml2-utils
    # The desktop program and its tests: Qt 6 Widgets with its German texts, a font for the
    # offscreen platform, the metric-compatible Tahoma of the plan view and its printouts (the
    # program loads it from /usr/share/wine/fonts), pdftotext for the printing tests.
    qt6-base-dev qt6-translations-l10n libgl-dev fonts-dejavu-core fonts-wine poppler-utils
    # Installing and packaging: the icon's PNG sizes (rsvg-convert), and what CPack's Debian
    # generator uses to compute the package's dependencies (dpkg-shlibdeps, file).
    librsvg2-bin dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "install-deps: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
