#!/usr/bin/env bash
# Rebuilds every generated asset from the generators in tools/: the skins, sounds and music
# in DATA/, and the pictures and intro resources compiled into the program (resources/,
# listed in resources/velmora.qrc). The outputs are committed; a normal build never runs
# this. The generators are deterministic on a given machine.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${BUILD_DIR:-build-assets}
cmake -S . -B "$build" -DVELMORA_GUI=ON -DVELMORA_TOOLS=ON >/dev/null
cmake --build "$build" -j"${JOBS:-2}" --target velmora-skins velmora-sounds velmora-music \
  velmora-pictures velmora-intro velmora-lzh
bin="$build/bin"
export QT_QPA_PLATFORM=offscreen

mkdir -p DATA/MUSIC resources/intro
"$bin/velmora-skins" DATA
"$bin/velmora-sounds" DATA
"$bin/velmora-music" DATA/MUSIC
"$bin/velmora-pictures" DATA resources

raw=$(mktemp -d)
trap 'rm -rf "$raw"' EXIT
"$bin/velmora-intro" "$raw"
cp "$raw/INTRO_3DMESH" resources/intro/INTRO_3DMESH
for name in INTRO_FONTIM INTRO_FRONTIM_RUS INTRO_FRONTIM_ENG INTRO_BACKFONE; do
  "$bin/velmora-lzh" pack "$raw/$name" "resources/intro/$name"
done

# The resource list: every file under resources/, at ":/<path>".
{
  echo '<!DOCTYPE RCC>'
  echo '<RCC version="1.0">'
  echo '  <qresource prefix="/">'
  (cd resources && find . -type f ! -name '*.qrc' | sed 's|^\./||' | LC_ALL=C sort) |
    while read -r file; do echo "    <file>$file</file>"; done
  echo '  </qresource>'
  echo '</RCC>'
} > resources/velmora.qrc
echo "assets rebuilt"
