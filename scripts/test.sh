#!/usr/bin/env bash
# Checks the layering, builds the normal and the sanitizer configuration and
# runs every test on both, compiles the Release build and packages it, and
# builds the Clang tree (every source, and the fuzz targets, which it runs
# briefly). The presets make warnings errors in all four (BRINDLEWICK_WERROR).
# The print tests print to a CUPS scheduler of the script's own, stopped at
# the end, also when a step fails. The time of each stage is printed last.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
brindlewick_install_deps
brindlewick_runtime_dir

export QT_QPA_PLATFORM=offscreen
trap brindlewick_stop_print_queues EXIT
brindlewick_start_print_queues
jobs=$(nproc 2>/dev/null || echo 2)
# One compile more than cores keeps them busy while another job reads or links.
build_jobs=$((jobs + 1))

stage_times=()
stage_start=$SECONDS
stage_name=""
# stage NAME: ends the stage before (noting its time) and starts NAME.
stage() {
  [ -z "$stage_name" ] || stage_times+=("$(printf '%-32s %3dm %02ds' "$stage_name" $(((SECONDS - stage_start) / 60)) $(((SECONDS - stage_start) % 60)))")
  stage_name=$1
  stage_start=$SECONDS
  [ -z "$stage_name" ] || echo "== $stage_name"
}

stage "layering"
scripts/check-layers.sh

stage "normal build"
cmake --preset normal >/dev/null
cmake --build --preset normal -j "$build_jobs"
stage "normal tests"
ctest --preset normal -j "$jobs"

stage "sanitizer build"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$build_jobs"
stage "sanitizer tests"
ctest --preset sanitize -j "$jobs"

# Compiled only: what it could add to the tests above is its warnings, and
# without precompiled headers a source that lacks an include of its own.
stage "release build"
cmake --preset release >/dev/null
cmake --build --preset release -j "$build_jobs"

# The Debian package of the Release build: what it installs, its desktop
# entry and metainfo, its dependencies, and that its programs start.
stage "Debian package"
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

# Clang's warnings over every source, and the fuzz targets, built with the
# same sanitizers; a short run of each on its seed corpus (scripts/fuzz.sh
# runs them for longer).
stage "clang build"
cmake --preset clang >/dev/null
cmake --build --preset clang -j "$build_jobs"
stage "fuzz targets, smoke run"
scripts/fuzz.sh --smoke

stage ""
echo "== stage times"
printf '%s\n' "${stage_times[@]}"
echo "== all checks passed in $((SECONDS / 60))m $((SECONDS % 60))s"
