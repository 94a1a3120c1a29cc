#!/usr/bin/env bash
# Rebuilds the whole data set from open sources: every .crp file, checked by
# drawing every map exercise through the program's own map code
# (check/, atlas-check), then the flags, sounds, pictures and help file
# (assets/build-assets.sh). Fails when the drawing check finds a fault it
# cannot mend.
# Usage: tools/atlas/build.sh [DATASET_DIR]
# Installs its own Debian and npm needs (npm versions pinned in
# package-lock.json) and gives byte-identical files on every run.
set -euo pipefail

# Sorting and number formatting of every tool here must not follow the
# machine's locale.
export LC_ALL=C.UTF-8

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
OUT=${1:-$ROOT/dataset}
WORK=$HERE/work

APT_PACKAGES=(r-cran-rnaturalearthdata r-cran-maps r-cran-sf r-cran-sp qgis-common gdal-bin iso-codes libgeonames-common)
GPKG=/usr/share/qgis/resources/data/world_map.gpkg

# Any working Node.js and npm will do; Debian's are the fallback.
command -v node >/dev/null || APT_PACKAGES+=(nodejs)
command -v npm >/dev/null || APT_PACKAGES+=(npm)
"$ROOT/tools/setup.sh" <(printf '%s\n' "${APT_PACKAGES[@]}")

cd "$HERE"
npm ci --no-audit --no-fund --ignore-scripts --loglevel=error

rm -rf "$WORK/src"
mkdir -p "$WORK/src" "$OUT"
Rscript scripts/extract.R "$WORK/src"
ogr2ogr -f GeoJSON -lco COORDINATE_PRECISION=5 "$WORK/src/states10.geojson" "$GPKG" states_provinces

# The drawing check is built from the program's own map code.
"$ROOT/tools/setup.sh"
CHECK_BUILD=$WORK/check-build
cmake -S "$ROOT" -B "$CHECK_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLANDORA_ATLAS_CHECK=ON > /dev/null
cmake --build "$CHECK_BUILD" -j2 --target atlas-check

node src/build.js "$WORK" "$OUT" "$CHECK_BUILD/bin/atlas-check"

if [[ -x "$HERE/assets/build-assets.sh" ]]; then
  "$HERE/assets/build-assets.sh" "$OUT"
fi
echo "data set written to $OUT"
