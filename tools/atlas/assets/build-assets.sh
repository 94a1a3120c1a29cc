#!/usr/bin/env bash
# Rebuilds the data set's flags, sounds, pictures and help file.
# Usage: tools/atlas/assets/build-assets.sh [DATASET_DIR]
# Installs what it needs (Debian packages, two npm packages at pinned
# versions), writes into DATASET_DIR (default: dataset/ of the repository)
# and gives byte-identical files on every run.
set -euo pipefail

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ROOT=$(cd "$HERE/../../.." && pwd)
OUT=${1:-$ROOT/dataset}
WORK=${LANDORA_ASSETS_WORK:-$ROOT/tools/atlas/work/assets}

FLAG_ICONS_VERSION=7.5.0
CLDR_CORE_VERSION=48.2.0
APT_PACKAGES=(librsvg2-bin python3 python3-pil fonts-dejavu-core qgis-common)
GPKG=/usr/share/qgis/resources/data/world_map.gpkg

missing=()
for p in "${APT_PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# Any working npm will do; Debian's is the fallback.
command -v npm >/dev/null || missing+=(npm)
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get -o DPkg::Lock::Timeout=600 update -qq
  apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
fi

mkdir -p "$WORK"
installed_version() {
  local pkg=$WORK/node_modules/$1/package.json
  [[ -f $pkg ]] && sed -n 's/^ *"version": *"\([^"]*\)".*/\1/p' "$pkg" | head -n1
}
if [[ $(installed_version flag-icons) != "$FLAG_ICONS_VERSION" ||
      $(installed_version cldr-core) != "$CLDR_CORE_VERSION" ]]; then
  (cd "$WORK" && npm install --no-audit --no-fund --ignore-scripts --no-save \
     "flag-icons@$FLAG_ICONS_VERSION" "cldr-core@$CLDR_CORE_VERSION")
fi

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
  --flag-svgs "$WORK/node_modules/flag-icons/flags/4x3" \
  --containment "$WORK/node_modules/cldr-core/supplemental/territoryContainment.json" \
  --countries "$GPKG" \
  --help-html "$HERE/landora.html"
