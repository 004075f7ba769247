#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Vexlo need, when missing.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  dpkg-dev file man-db lintian desktop-file-utils appstream
  qt6-base-dev qt6-qpa-plugins libgl-dev
  fonts-noto-cjk
  nlohmann-json3-dev libicu-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool hyperfine time clang-format
  units
  libxcb1-dev x11-utils xclip openbox icewm
  qt6-wayland sway wtype grim wl-clipboard          # the native Wayland end-to-end tests
  imagemagick dbus at-spi2-core python3-pyatspi
  orca speech-dispatcher qt6-translations-l10n       # screen reader test (dummy module included); Qt dialogs in Japanese
  clang libclang-rt-14-dev                           # libFuzzer targets (fuzz/)
  libx11-dev libxtst-dev libxdamage-dev libxres-dev  # start-up and key-latency benchmarks
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Run as root or install sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
