#!/usr/bin/env bash
# The one list of Debian packages that building, testing and running need.
# Sourced by run.sh and test.sh; installs only what is missing.

BRINDLEWICK_PACKAGES=(
  g++ clang libclang-rt-14-dev cmake ninja-build pkgconf ccache
  qt6-base-dev libgl-dev
  qt6-svg-dev desktop-file-utils appstream dpkg-dev
  libgtest-dev
  time
  libqpdf-dev poppler-utils
  cups cups-client printer-driver-cups-pdf
)

brindlewick_install_deps() {
  local missing=()
  local p
  for p in "${BRINDLEWICK_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Qt wants a private runtime folder; without one it warns at every start.
brindlewick_runtime_dir() {
  if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR="${TMPDIR:-/tmp}/runtime-$(id -u)"
    mkdir -p "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
  fi
}

# A CUPS scheduler of the tests' own, listening on a private socket only,
# with two PDF queues (cups-pdf writes each job to a folder of the
# scheduler's own). The print tests find them through the variables exported
# here and skip without them. Needs root, as cups-pdf's backend does; stopped by
# brindlewick_stop_print_queues.
brindlewick_start_print_queues() {
  BRINDLEWICK_CUPS_DIR=""
  if [ "$(id -u)" -ne 0 ] || ! command -v cupsd >/dev/null || ! command -v lpadmin >/dev/null \
    || [ ! -f /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd ]; then
    echo "No print queues: the scheduler needs root, cups and printer-driver-cups-pdf; the print tests skip."
    return 0
  fi
  local dir
  dir=$(mktemp -d "${TMPDIR:-/tmp}/brindlewick-cups.XXXXXX")
  chmod 755 "$dir"
  mkdir -p "$dir/etc" "$dir/spool/tmp" "$dir/cache" "$dir/state" "$dir/log"
  printf '%s\n' "Listen $dir/cups.sock" "Browsing Off" "WebInterface No" "DefaultAuthType None" "LogLevel warn" \
    "<Location />" "  Order allow,deny" "  Allow all" "</Location>" \
    "<Policy default>" "  JobPrivateAccess all" "  JobPrivateValues none" \
    "  SubscriptionPrivateAccess all" "  SubscriptionPrivateValues none" \
    "  <Limit All>" "    Order allow,deny" "    Allow all" "  </Limit>" "</Policy>" >"$dir/etc/cupsd.conf"
  printf '%s\n' "ServerRoot $dir/etc" "RequestRoot $dir/spool" "TempDir $dir/spool/tmp" "CacheDir $dir/cache" \
    "StateDir $dir/state" "AccessLog $dir/log/access_log" "ErrorLog $dir/log/error_log" \
    "PageLog $dir/log/page_log" >"$dir/etc/cups-files.conf"
  # Without systemd: the scheduler in the foreground of a background job.
  cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
  echo $! >"$dir/cupsd.pid"
  BRINDLEWICK_CUPS_DIR=$dir
  export CUPS_SERVER="$dir/cups.sock"
  local i
  for i in $(seq 100); do
    [ -S "$CUPS_SERVER" ] && break
    sleep 0.1
  done
  local q
  # The queues are an instance of cups-pdf of their own, which reads
  # /etc/cups/cups-pdf-INSTANCE.conf: its PDFs go to a folder of this
  # scheduler's, not to the user's ~/PDF with whatever earlier runs left there.
  local instance
  instance="bw$(basename "$dir" | tr -cd 'A-Za-z0-9')"
  mkdir -p "$dir/pdf"
  if ! sed "s|^Out .*|Out $dir/pdf|" /etc/cups/cups-pdf.conf >"/etc/cups/cups-pdf-$instance.conf" 2>/dev/null; then
    echo "No print queues: cannot write /etc/cups/cups-pdf-$instance.conf; the print tests skip."
    return 0
  fi
  grep -q "^Out " "/etc/cups/cups-pdf-$instance.conf" || echo "Out $dir/pdf" >>"/etc/cups/cups-pdf-$instance.conf"
  echo "$instance" >"$dir/cups-pdf.instance"
  for q in BrindlewickPDF BrindlewickPDF2; do
    if ! lpadmin -p "$q" -E -v "cups-pdf:/$instance" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null; then
      echo "No print queues: lpadmin could not add $q (see $dir/log); the print tests skip."
      return 0
    fi
  done
  lpadmin -d BrindlewickPDF
  export BRINDLEWICK_TEST_PRINTER=BrindlewickPDF BRINDLEWICK_TEST_PRINTER2=BrindlewickPDF2
  BRINDLEWICK_TEST_PRINT_OUTPUT="$dir/pdf"
  export BRINDLEWICK_TEST_PRINT_OUTPUT
  export BRINDLEWICK_TEST_PAGE_LOG="$dir/log/page_log"
  echo "Print queues BrindlewickPDF (the default) and BrindlewickPDF2 on $CUPS_SERVER"
}

brindlewick_stop_print_queues() {
  [ -n "${BRINDLEWICK_CUPS_DIR:-}" ] || return 0
  local pid
  pid=$(cat "$BRINDLEWICK_CUPS_DIR/cupsd.pid" 2>/dev/null || true)
  if [ -n "$pid" ]; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  local instance
  instance=$(cat "$BRINDLEWICK_CUPS_DIR/cups-pdf.instance" 2>/dev/null || true)
  [ -z "$instance" ] || rm -f "/etc/cups/cups-pdf-$instance.conf"
  rm -rf "$BRINDLEWICK_CUPS_DIR"
  BRINDLEWICK_CUPS_DIR=""
}
