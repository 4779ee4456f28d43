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

# Wine's loader is a 32-bit program. Some kernels run only 64-bit programs:
# there every 32-bit program fails with "Exec format error". On such a kernel
# the 32-bit programs run through qemu's user-mode emulator, registered with
# binfmt_misc. Debian 12's own qemu-user (7.2) turns Wine's reservation of its
# address space into some 270,000 mmap calls, about 50 s per Wine process;
# the one in bookworm-backports starts a Wine process in about a second.
wine_loader=/usr/lib/wine/wine
runs_32bit() { "$wine_loader" --version >/dev/null 2>&1; }

# The archive address of the machine's own bookworm entry, from either form of
# apt's sources, so that no host name is written here.
debian_archive() {
  local f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk 'BEGIN { RS = ""; FS = "\n" }
         {
           uris = ""; bookworm = 0
           for (i = 1; i <= NF; i++) {
             if ($i ~ /^URIs:/) { uris = $i; sub(/^URIs:[ \t]*/, "", uris) }
             if ($i ~ /^Suites:/ && $i ~ /[ \t]bookworm([ \t]|$)/) bookworm = 1
           }
           if (bookworm && uris != "") { split(uris, u, /[ \t]+/); print u[1]; exit }
         }' "$f"
  done | head -n 1 | grep . && return 0
  [ -f /etc/apt/sources.list ] &&
    awk '$1 == "deb" { for (i = 2; i < NF; i++) if ($i !~ /^\[/ && $(i + 1) == "bookworm") { print $i; exit } }' \
      /etc/apt/sources.list | grep .
}

backports_list=/etc/apt/sources.list.d/bookworm-backports.sources
add_backports() {
  [ -f "$backports_list" ] && return 0
  local archive
  archive=$(debian_archive) || {
    echo "install-deps: no bookworm entry in apt's sources to take the archive address from" >&2
    return 1
  }
  printf 'Types: deb\nURIs: %s\nSuites: bookworm-backports\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "$archive" >"$backports_list"
  # Without the suite's lists a later run would take the entry as done.
  apt-get update -qq || { rm -f "$backports_list"; return 1; }
}

binfmt=/proc/sys/fs/binfmt_misc
# An entry for 32-bit x86 ELF files: class 1, little-endian, machine 3.
i386_registered() {
  grep -lqs '^magic 7f454c4601010100000000000000000002000300$' "$binfmt"/* 2>/dev/null
}

register_i386() {
  [ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt" || return 1
  i386_registered && return 0
  # The magic and mask of the package's own entry; F opens the interpreter
  # once, now, so it is found inside any chroot or namespace later.
  local conf=/usr/share/qemu/binfmt.d/qemu-i386.conf line
  if [ -f "$conf" ]; then
    line=$(head -n 1 "$conf")
  else
    line=':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\xfc\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386:'
  fi
  case ${line##*:} in *F*) ;; *) line=${line}F ;; esac
  printf '%s' "$line" >"$binfmt/register"
}

if ! runs_32bit; then
  echo "install-deps: this kernel does not run 32-bit programs; setting up qemu's user-mode emulator for Wine" >&2
  export DEBIAN_FRONTEND=noninteractive
  add_backports || exit 1
  if ! dpkg --compare-versions "$(dpkg-query -W -f='${Version}' qemu-user 2>/dev/null || echo 0)" ge 1:10; then
    apt-get install -y -qq --no-install-recommends -t bookworm-backports qemu-user || exit 1
  fi
  register_i386 || { echo "install-deps: could not register the i386 emulator with binfmt_misc" >&2; exit 1; }
  if ! runs_32bit; then
    echo "install-deps: Wine's loader still does not run ($("$wine_loader" --version 2>&1 | tail -n 1)); Win32 tests cannot run here" >&2
    exit 1
  fi
fi
