#!/usr/bin/env bash
# Makes the README's report pictures, docs/report-KIND.png, from logs of
# real size's values written here: 10-digit sizes and totals, long UNC
# paths, long and non-ASCII names, under a long folder path. Page 1 of each
# report, through the command line's PDF and pdftoppm at 80 dpi.
#   scripts/report-pictures.sh [OUT_DIR]   (default: docs)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs}
cli=build/bin/brindlewick-cli
[ -x "$cli" ] || { echo "build first: cmake --preset normal && cmake --build --preset normal" >&2; exit 1; }
command -v pdftoppm >/dev/null || { echo "pdftoppm (poppler-utils) is needed" >&2; exit 1; }
source scripts/deps.sh
brindlewick_runtime_dir
export QT_QPA_PLATFORM=offscreen
mkdir -p "$out"
# A folder of a fixed name, so that the pictures show no random part.
work=${TMPDIR:-/tmp}/brindlewick-pictures
rm -rf "$work"
trap 'rm -rf "$work"' EXIT
logs="$work/GroupWise Post Office Archive 2026/Accounting and Human Resources Department/Weekly Check Logs of the Main Post Office"
mkdir -p "$logs"

{
  printf '%s\r\n' "----- CONTENTS VERIFICATION -----"
  names=("Maximilian.Müller-Lüdenscheidt" "JSMITH" "Ærøskøbing.Bibliotekar")
  for i in $(seq 0 11); do
    n="${names[i % 3]}$i"
    printf '%s\r\n' "Checking user = $n (f${i}x) [Accounting] - 1239252098 KB, 10/12/26 09:14:07" \
      "   User stats: 123925209$i InBox, 98765432$i OutBox, 1239252098 WasteBasket, 1 Calendar" \
      "   Disk space management: Size Limit - 2147483647KB, Threshold - 90%" \
      "   Size Limit Exceeded for user $n - Current size: 983383799${i}KB"
  done
  printf '%s\r\n' "PROCESSING COMPLETE"
} >"$logs/contents.log"

{
  printf '%s\r\n' "----- DOCUMENT STORAGE AREA VERIFICATION -----"
  for i in $(seq 0 7); do
    printf '%s\r\n' "   Error 50- BLOB file has no document reference: \\\\GWSRV01\\MAIL\\PO1\\gwdms\\lib0001\\docs\\fd03\\3A1B2C0$i.ACA" \
      "   - Library ID: PO1.ACMEDOMAIN-ACCOUNTING.LIBRARY0001" "   - Document Num: 104512$i" "   - Version Num: $((i + 1))" \
      "   - Author Name: Maximilian.Müller-Lüdenscheidt" "   - Author DPU: MBROWN.Accounting.ACME" \
      "   - File Extension: DOC" \
      "   - file copied to \\\\GWSRV01\\RESCUE\\LIB0001\\Accounting and Human Resources\\3A1B2C0$i.ACA"
  done
  printf '%s\r\n' "PROCESSING COMPLETE"
} >"$logs/documents.log"

{
  printf '%s\r\n' "Novell GroupWise - GWCheck - Version 5.5.6" "----- Expire Statistics -----"
  for i in $(seq 0 11); do
    printf '%s\r\n' "${i}Müller-Lüdenscheidt (userdatabase$i - 1234567890) 412 items 983383799$i BYTES in user database"
  done
  printf '%s\r\n' "PROCESSING COMPLETE"
} >"$logs/expire.log"

{
  printf '%s\r\n' "----- STRUCTURE CHECK -----" "Checking Blob files for validity" \
    "   - checking area \\\\GWSRV01\\MAIL\\PO1\\OFFILES\\FD0 Accounting and Human Resources Archive" \
    "      - Checking directory 3A"
  for i in $(seq 0 7); do
    printf '%s\r\n' "         Error 52- Blob file with missing trailer: 4F2A1B0$i.000" \
      "         Problem 39- Unknown file 4F2A1B0$i.000 983383799$i bytes, 10/14/2026 10:22:14" \
      "         Return from FlmAdopt = 0xC067"
  done
  printf '%s\r\n' "PROCESSING COMPLETE"
} >"$logs/structure.log"

for kind in contents documents expire structure; do
  "$cli" scan "$kind" "$logs/$kind.log" --report "$work/$kind{n}.pdf" >/dev/null
  pdftoppm -png -r 80 -f 1 -l 1 -singlefile "$work/${kind}1.pdf" "$out/report-$kind"
done
