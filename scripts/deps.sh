#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Lumelle need.
# Only missing packages are installed; the package lists are refreshed once, and only when
# something has to be installed. Safe to run again and again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-l10n-tools
  libgtest-dev libgmock-dev
  libuchardet-dev libicu-dev libass-dev libcld2-dev
  fonts-dejavu-core fonts-dejavu-extra fonts-liberation2 fontconfig
  fonts-wqy-microhei
  ffmpeg mkvtoolnix
  fusefat dosfstools
  xvfb xauth
  mpv
  lintian appstream
  file
)
if [ "${LUMELLE_EXTRA_PACKAGES:-}" != "" ]; then
  # shellcheck disable=SC2206
  packages+=(${LUMELLE_EXTRA_PACKAGES})
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  if [ "$(id -u)" != 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
