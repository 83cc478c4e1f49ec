#!/bin/bash
# Installs what building and testing need on Debian 12, all from Debian
# packages.  Asks apt only for what is missing, so it returns at once on a
# machine that has everything.  Runs apt-get as root, through sudo if needed.
set -euo pipefail

PACKAGES=(
  # native build and tests
  cmake g++ make git
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # Windows cross compilers; cmake/toolchain-*.cmake use the win32 thread
  # model's g++ by name
  g++-mingw-w64-i686 g++-mingw-w64-x86-64
  g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32
  binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  # Wine tests: 64-bit Wine only (this kernel runs no 32-bit code), a
  # virtual display, screenshots, process tools
  wine wine64 xvfb xauth imagemagick procps
)

# The compilers and tools the build and the tests call by name.
COMMANDS=(
  cmake g++ make git
  i686-w64-mingw32-g++-win32 x86_64-w64-mingw32-g++-win32
  i686-w64-mingw32-objdump x86_64-w64-mingw32-objdump
  wine wineserver wineboot Xvfb import identify timeout
)

missing_packages() {
  local installed package
  installed=$(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' "${PACKAGES[@]}" 2>/dev/null |
    sed -n 's/^ii *//p' || true)
  for package in "${PACKAGES[@]}"; do
    grep -qxF "$package" <<<"$installed" || echo "$package"
  done
}

as_root() {
  if ((EUID == 0)); then
    "$@"
  elif command -v sudo >/dev/null; then
    sudo "$@"
  else
    echo "install-deps: these packages are missing and installing them needs root" \
      "(run as root, or install sudo): ${missing[*]}" >&2
    exit 1
  fi
}

command -v dpkg-query >/dev/null || { echo "install-deps: needs a Debian system (dpkg)" >&2; exit 1; }
mapfile -t missing < <(missing_packages)
if ((${#missing[@]})); then
  echo "install-deps: installing ${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

for command in "${COMMANDS[@]}"; do
  command -v "$command" >/dev/null || { echo "install-deps: '$command' is still missing" >&2; exit 1; }
done
