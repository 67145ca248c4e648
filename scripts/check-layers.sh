#!/usr/bin/env bash
# Checks the layering of src/ and tests/: a layer includes only the layers it
# may, and the core (base, lists, scan, session, actions) no Qt GUI header, so
# that brindlewick_core keeps linking QtCore alone. Run by test.sh before it
# builds; exits 1 and names every offending line when the layering is broken.
# tests/X may include what src/X may, and tests/support.
set -euo pipefail
cd "$(dirname "$0")/.."

# Lowest first; each layer may include itself and the layers before it,
# except report_engine and versioninfo, which build on base alone, and cli,
# which may use anything but the window's layers. The window (app) has rooms
# of its own, lowest first: widgets (small reusable widgets and the window's
# prompter), lists, preview, dialogs, mainwindow; its top folder holds
# start-up and may use every room.
order=(base lists scan session actions report_engine reports versioninfo
       app/widgets app/lists app/preview app/dialogs app/mainwindow app)
core=(base lists scan session actions)
declare -A may=(
    [base]="base"
    [lists]="base lists"
    [scan]="base lists scan"
    [session]="base lists scan session"
    [actions]="base lists scan session actions"
    [report_engine]="base report_engine"
    [reports]="base lists scan session actions report_engine reports"
    [versioninfo]="versioninfo"
    [app/widgets]="base app/widgets"
    [app/lists]="base lists scan session actions app/widgets app/lists"
    [app/preview]="base report_engine app/widgets app/preview"
    [app/dialogs]="base lists scan session actions versioninfo app/widgets app/dialogs"
    [app/mainwindow]="base lists scan session actions report_engine reports versioninfo app/widgets app/lists app/preview app/dialogs app/mainwindow"
    [app]="base lists scan session actions report_engine reports versioninfo app/widgets app/lists app/preview app/dialogs app/mainwindow app"
    [cli]="base lists scan session actions report_engine reports versioninfo cli"
    # The fuzz targets drive the command line's entry, the list orders and the
    # readers of version blocks and page files.
    [fuzz]="base lists scan session actions report_engine reports versioninfo cli"
    # The test-support library serves the tests of every layer.
    [support]="base lists scan session actions support"
)
# The tests of the window use any of its rooms.
tests_app_may="${may[app]}"

is_core() { [[ " ${core[*]} " == *" $1 "* ]]; }

qt_headers=$(qmake6 -query QT_INSTALL_HEADERS 2>/dev/null || true)
[ -d "$qt_headers/QtCore" ] || qt_headers=$(ls -d /usr/include/*/qt6 /usr/include/qt6 2>/dev/null | head -n 1 || true)
if [ ! -d "$qt_headers/QtGui" ] || [ ! -d "$qt_headers/QtWidgets" ]; then
    echo "check-layers: Qt 6 headers not found (install qt6-base-dev; see scripts/deps.sh)" >&2
    exit 2
fi
gui_modules=(QtGui QtWidgets QtPrintSupport)
declare -A gui_header
for m in "${gui_modules[@]}"; do
    gui_header[$m]=$m
    [ -d "$qt_headers/$m" ] || continue
    for h in "$qt_headers/$m"/*; do
        if [ -f "$h" ]; then gui_header[${h##*/}]=$m; fi
    done
done

failures=0
fail() {
    echo "$1" >&2
    failures=$((failures + 1))
}

# check_dir DIR LAYER: every include in DIR's sources against LAYER's rules.
check_dir() {
    local dir=$1 layer=$2 allowed depth=()
    allowed=" ${may[$layer]} "
    if [ "$dir" = tests/app ]; then allowed=" $tests_app_may "; fi
    # A folder with rooms is checked room by room: only its own files here.
    if [ "$dir" = src/app ]; then depth=(-maxdepth 1); fi
    if [ "${dir%%/*}" = tests ] && [ "$layer" != support ]; then allowed+="support "; fi
    local file line text target first module rest
    while IFS= read -r file; do
        while IFS=: read -r line text; do
            [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*([\"\<])([^\"\>]+)[\"\>] ]] || continue
            target=${BASH_REMATCH[2]}
            first=${target%%/*}
            [ -n "$first" ] || continue
            if [ "$first" = app ]; then
                rest=${target#app/}
                if [ "$rest" != "${rest%%/*}" ] && [ -n "${may[app/${rest%%/*}]+set}" ]; then first=app/${rest%%/*}; fi
            fi
            if [ "$first" != "$target" ] && [ -n "${may[$first]+set}" ]; then
                if [[ $allowed != *" $first "* ]]; then
                    fail "$file:$line: $layer may not include $target (it may include:${allowed% })"
                fi
            elif [ "${BASH_REMATCH[1]}" = '<' ] && is_core "$layer"; then
                module=${gui_header[$first]:-}
                if [ -n "$module" ]; then
                    fail "$file:$line: the core ($layer) may not include $target, a $module header"
                fi
            fi
        done < <(grep -nE '^[[:space:]]*#[[:space:]]*include' "$file" || true)
    done < <(find "$dir" "${depth[@]}" -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' -o -name '*.cc' \) | sort)
}

for dir in src/* src/app/* tests/*; do
    [ -d "$dir" ] || continue
    layer=${dir#*/}
    if [ "$dir" = tests/fixtures ]; then continue; fi
    if [ "${dir#src/app/}" != "$dir" ] && [ -z "${may[$layer]+set}" ]; then
        fail "$dir: a room of the window not known; give it its place in scripts/check-layers.sh"
        continue
    fi
    if [ -z "${may[$layer]+set}" ] || { [ "$layer" = support ] && [ "$dir" != tests/support ]; }; then
        fail "$dir: not a known layer; give it its place in scripts/check-layers.sh"
        continue
    fi
    check_dir "$dir" "$layer"
done

if [ "$failures" -gt 0 ]; then
    joined="${order[*]}"
    echo "check-layers: the layering is broken in $failures place(s) (lowest first: ${joined// / < };" \
        "report_engine and versioninfo build on base alone; cli on anything but app)" >&2
    exit 1
fi
echo "check-layers: layering holds"
