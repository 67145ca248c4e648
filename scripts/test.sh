#!/usr/bin/env bash
# Checks the layering, builds the normal and the sanitizer configuration and
# runs every test on both, then compiles the Release and the Clang builds.
# The presets make warnings errors in all four (BRINDLEWICK_WERROR). The
# print tests print to a CUPS scheduler of the script's own, stopped at the
# end, also when a step fails.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
brindlewick_install_deps
brindlewick_runtime_dir

export QT_QPA_PLATFORM=offscreen
trap brindlewick_stop_print_queues EXIT
brindlewick_start_print_queues
jobs=$(nproc 2>/dev/null || echo 2)

echo "== layering"
scripts/check-layers.sh

echo "== normal build"
cmake --preset normal >/dev/null
cmake --build --preset normal -j "$jobs"
ctest --preset normal -j "$jobs"

echo "== address and undefined-behaviour sanitizer build"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$jobs"
ctest --preset sanitize -j "$jobs"

# Compiled only: what they could add to the tests above is their warnings.
for preset in release clang; do
  echo "== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

# The Debian package of the Release build: what it installs, its desktop
# entry and metainfo, its dependencies, and that its programs start.
echo "== Debian package"
rm -f build-release/brindlewick_*.deb
(cd build-release && cpack -G DEB >/dev/null)
deb=$(ls build-release/brindlewick_*_*.deb)
unpacked=$(mktemp -d)
# A new EXIT trap replaces the one above: it must stop the print queues too.
trap 'rm -rf "$unpacked"; brindlewick_stop_print_queues' EXIT
dpkg-deb -x "$deb" "$unpacked"
app_id=org.brindlewick.Brindlewick
for f in usr/bin/brindlewick usr/bin/brindlewick-cli \
    "usr/share/applications/$app_id.desktop" "usr/share/metainfo/$app_id.metainfo.xml" \
    "usr/share/icons/hicolor/scalable/apps/$app_id.svg" "usr/share/icons/hicolor/48x48/apps/$app_id.png" \
    "usr/share/icons/hicolor/256x256/apps/$app_id.png"; do
  [ -f "$unpacked/$f" ] || { echo "the package lacks /$f" >&2; exit 1; }
done
grep -qx 'MimeType=text/x-log;' "$unpacked/usr/share/applications/$app_id.desktop"
desktop-file-validate "$unpacked/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$unpacked/usr/share/metainfo/$app_id.metainfo.xml" >/dev/null
depends=$(dpkg-deb -f "$deb" Depends)
for p in libqt6core6 libqt6widgets6 libqt6network6 libqt6svg6 qt6-qpa-plugins; do
  [[ $depends == *"$p"* ]] || { echo "the package does not depend on $p: $depends" >&2; exit 1; }
done
[[ $("$unpacked/usr/bin/brindlewick" --version) == "Brindlewick "* ]]
[[ $("$unpacked/usr/bin/brindlewick-cli" --version) == "brindlewick-cli "* ]]
echo "$deb: $(dpkg-deb -c "$deb" | wc -l) entries; depends: $depends"

# A short run of every fuzz target on its seed corpus; scripts/fuzz.sh runs
# them for longer.
echo "== fuzz targets, smoke run"
scripts/fuzz.sh --smoke

echo "== all checks passed in $((SECONDS / 60))m $((SECONDS % 60))s"
