#!/usr/bin/env bash
# Installs every Debian package the build and the tests need. Idempotent: packages
# already present are left alone, so a second run costs one dpkg query.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  clang libclang-rt-dev
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-translations-l10n
  libgl-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation fontconfig poppler-utils time
  xvfb xauth
  qt6-tools-dev qt6-tools-dev-tools qt6-documentation-tools libqt6help6
  desktop-file-utils appstream dpkg-dev shared-mime-info libglib2.0-bin
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
