#!/usr/bin/env bash
# Installs the Debian packages needed to build and test: the MinGW i686 cross
# compiler, Wine (32-bit) with its own fonts, Xvfb and xdotool, cabextract,
# GoogleTest and Google Benchmark, clang with its libFuzzer and sanitizer
# runtimes for the fuzz targets (scripts/fuzz.sh), zip/unzip for the
# release archive (scripts/release.sh), and python3 for the Windows 95
# check's reading of the resources (tests/win95/). Safe to run again: it only installs
# what is missing. fonts-wine is only a recommendation of wine, which
# --no-install-recommends leaves out; without it Wine has no "MS Sans Serif"
# (dialog labels are cut) and no Marlett (caption buttons show letters).
set -euo pipefail

pkgs=(cmake make g++ googletest libgtest-dev libgmock-dev libbenchmark-dev
      g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
      wine wine32:i386 wine64 fonts-wine xvfb xdotool x11-utils imagemagick cabextract gcab
      clang libclang-rt-14-dev zip unzip python3)

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: not root, assuming the packages are present" >&2
  exit 0
fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  need_update=1
fi

missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
elif [ "${need_update:-0}" = 1 ]; then
  apt-get update -qq
fi
