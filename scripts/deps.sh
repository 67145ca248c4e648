#!/usr/bin/env bash
# The one list of Debian packages that building, testing and running need.
# Sourced by run.sh and test.sh; installs only what is missing.

BRINDLEWICK_PACKAGES=(
  g++ clang libclang-rt-14-dev cmake ninja-build pkgconf
  qt6-base-dev libgl-dev
  qt6-svg-dev desktop-file-utils appstream dpkg-dev
  libgtest-dev
  time
  libqpdf-dev poppler-utils
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
