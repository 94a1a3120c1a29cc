#!/usr/bin/env bash
# Rebuilds the data set's flags, sounds, pictures and help file.
# Usage: tools/atlas/assets/build-assets.sh [DATASET_DIR]
# Installs what it needs (Debian packages; the atlas's npm packages at the
# versions its lock file pins), writes into DATASET_DIR (default: dataset/ of
# the repository) and gives byte-identical files on every run.
set -euo pipefail

# Sorting and number formatting of every tool here must not follow the
# machine's locale.
export LC_ALL=C.UTF-8

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ROOT=$(cd "$HERE/../../.." && pwd)
OUT=${1:-$ROOT/dataset}
WORK=${LANDORA_ASSETS_WORK:-$ROOT/tools/atlas/work/assets}

ATLAS=$ROOT/tools/atlas
APT_PACKAGES=(librsvg2-bin python3 python3-pil fonts-dejavu-core qgis-common)
GPKG=/usr/share/qgis/resources/data/world_map.gpkg

# Any working Node.js and npm will do; Debian's are the fallback.
command -v node >/dev/null || APT_PACKAGES+=(nodejs)
command -v npm >/dev/null || APT_PACKAGES+=(npm)
"$ROOT/tools/setup.sh" <(printf '%s\n' "${APT_PACKAGES[@]}")

# The flag icons and CLDR's containment come from the atlas's own npm
# packages, at the versions its lock file pins. npm is only run when they are
# missing or at other versions, so a run from build.sh (which has just
# installed them) does not install them again.
if ! (cd "$ATLAS" && node -e '
  const deps = require("./package.json").dependencies;
  for (const name of ["flag-icons", "cldr-core"]) {
    let got;
    try { got = require(`./node_modules/${name}/package.json`).version; } catch { got = null; }
    if (got !== deps[name]) process.exit(1);
  }') 2>/dev/null; then
  (cd "$ATLAS" && npm ci --no-audit --no-fund --ignore-scripts --loglevel=error)
fi
NODE_MODULES=$ATLAS/node_modules

# A few flags carry lettering; give librsvg only the DejaVu fonts so that the
# pictures do not depend on whatever other fonts a machine has.
mkdir -p "$WORK/fontcache"
cat > "$WORK/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts/truetype/dejavu</dir>
  <cachedir>$WORK/fontcache</cachedir>
</fontconfig>
CONF
export FONTCONFIG_FILE="$WORK/fonts.conf"

# Debian's interpreter carries the imaging library installed above.
PYTHONDONTWRITEBYTECODE=1 PYTHONHASHSEED=0 /usr/bin/python3 "$HERE/gen/build.py" \
  --out "$OUT" \
  --flag-svgs "$NODE_MODULES/flag-icons/flags/4x3" \
  --containment "$NODE_MODULES/cldr-core/supplemental/territoryContainment.json" \
  --countries "$GPKG" \
  --help-dir "$HERE/help"
