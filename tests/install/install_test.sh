#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR under the prefix /usr, checks the
# desktop files, then starts the installed copy offscreen from another folder
# with a scratch home: it must find its data set under share/landora, keep its
# scores in the user's data folder and write nothing into the prefix.
# Usage: install_test.sh <build folder> <landora-menu-check>
set -euo pipefail
build=$1
menu_check=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR=$scratch/root cmake --install "$build" --prefix /usr >/dev/null
usr=$scratch/root/usr
id=org.landora.Landora
for file in bin/landora share/landora/Ovning.crp share/landora/flags share/applications/$id.desktop \
            share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg \
            share/icons/hicolor/48x48/apps/$id.png share/doc/landora/CREDITS; do
  [[ -e $usr/$file ]] || fail "not installed: $file"
done
desktop-file-validate "$usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" >/dev/null ||
  appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml"

# Started as a user would: from elsewhere, with a home of its own, no sound.
# The check program lies beside the installed executable only while it runs.
mkdir -p "$scratch/elsewhere" "$scratch/home"
cd "$scratch/elsewhere"
export HOME=$scratch/home XDG_DATA_HOME=$scratch/home/data XDG_CONFIG_HOME=$scratch/home/config
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
(cd "$usr" && find . | sort) > "$scratch/before"

version=$("$usr/bin/landora" --version)
[[ $version == "Landora "[0-9]* ]] || fail "--version printed: $version"

"$usr/bin/landora" &
landora=$!
sleep 3
kill -0 "$landora" 2>/dev/null || fail "the installed landora ended at start"
kill "$landora"
wait "$landora" || true
[[ -d $XDG_DATA_HOME/Landora ]] || fail "the installed landora made no folder for its scores in the user's data folder"

cp "$menu_check" "$usr/bin/landora-menu-check"
report=$("$usr/bin/landora-menu-check") || fail "the main menu found no exercises: $report"
rm "$usr/bin/landora-menu-check"
echo "$report"
grep -qx "folder $usr/share/landora" <<<"$report" || fail "the program folder is not share/landora"
grep -qx "scores $XDG_DATA_HOME/Landora/scores.hgh" <<<"$report" || fail "the scores are not kept in the user's data folder"

(cd "$usr" && find . | sort) > "$scratch/after"
diff "$scratch/before" "$scratch/after" || fail "the program wrote into its prefix"
echo "installed copy OK"
