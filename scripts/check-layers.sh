#!/usr/bin/env bash
# Checks the layering of src/ and tests/: a layer includes only the layers it
# may, and the core (base, lists, scan, session, actions) no Qt GUI header, so
# that brindlewick_core keeps linking QtCore alone. Run by test.sh before it
# builds; exits 1 and names every offending line when the layering is broken.
# tests/X may include what src/X may, and tests/support.
set -euo pipefail
cd "$(dirname "$0")/.."

# Lowest first; each layer may include itself and the layers before it,
# except report_engine and components, which build on base alone, and cli,
# which may use anything but the window's layers.
order=(base lists scan session actions report_engine reports components app)
core=(base lists scan session actions)
declare -A may=(
    [base]="base"
    [lists]="base lists"
    [scan]="base lists scan"
    [session]="base lists scan session"
    [actions]="base lists scan session actions"
    [report_engine]="base report_engine"
    [reports]="base lists scan session actions report_engine reports"
    [components]="base components"
    [app]="base lists scan session actions report_engine reports components app"
    [cli]="base lists scan session actions report_engine reports cli"
    # The fuzz targets drive the command line's entry, the list orders and the
    # readers of version blocks and page files.
    [fuzz]="base lists scan session actions report_engine reports components cli"
    # The test-support library serves the tests of every layer.
    [support]="base lists scan session actions support"
)

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
    local dir=$1 layer=$2 allowed
    allowed=" ${may[$layer]} "
    if [ "${dir%%/*}" = tests ] && [ "$layer" != support ]; then allowed+="support "; fi
    local file line text target first module
    while IFS= read -r file; do
        while IFS=: read -r line text; do
            [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*([\"\<])([^\"\>]+)[\"\>] ]] || continue
            target=${BASH_REMATCH[2]}
            first=${target%%/*}
            [ -n "$first" ] || continue
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
    done < <(find "$dir" -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' -o -name '*.cc' \) | sort)
}

for dir in src/* tests/*; do
    [ -d "$dir" ] || continue
    layer=${dir#*/}
    if [ "$dir" = tests/fixtures ]; then continue; fi
    if [ -z "${may[$layer]+set}" ] || { [ "$layer" = support ] && [ "$dir" != tests/support ]; }; then
        fail "$dir: not a known layer; give it its place in scripts/check-layers.sh"
        continue
    fi
    check_dir "$dir" "$layer"
done

if [ "$failures" -gt 0 ]; then
    joined="${order[*]}"
    echo "check-layers: the layering is broken in $failures place(s) (lowest first: ${joined// / < };" \
        "report_engine and components build on base alone; cli on anything but app and components)" >&2
    exit 1
fi
echo "check-layers: layering holds"
