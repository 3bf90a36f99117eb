#!/usr/bin/env bash
# Installs every system package the project needs (build, tests, asset tools, packaging).
# Idempotent: when everything is present it only runs dpkg-query.
set -euo pipefail

packages=(
  build-essential cmake pkg-config fonts-dejavu-core
  qt6-base-dev qt6-translations-l10n libsdl2-dev libsdl2-mixer-dev libvorbis-dev libjpeg62-turbo-dev
  libgtest-dev libgmock-dev libbenchmark-dev clang
  xvfb xauth imagemagick sox universal-ctags trayer
  desktop-file-utils appstream
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

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
