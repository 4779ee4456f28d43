#!/usr/bin/env bash
# The same commit gives the same release archive, byte for byte: two clean
# clones of the committed HEAD, in folders of different names and path
# lengths, each build Tessaly.exe and Pellix.dll and pack them with
# scripts/release.sh, one after the other (more than a second apart), under
# different time zones, locales and umasks. When the archives differ, names
# the first entry that differs and where.
set -u
: "${TESSALY_SOURCE:?}"

head=$(git -C "$TESSALY_SOURCE" rev-parse HEAD) || { echo "FAIL $TESSALY_SOURCE is not a git checkout"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# release_from_clone DIR TZ LOCALE UMASK: the archive of a fresh clone of HEAD
# in DIR, as DIR/build/Tessaly.zip.
release_from_clone() {
  local dir=$1
  git clone -q --no-checkout "$TESSALY_SOURCE" "$dir" &&
    git -C "$dir" checkout -q --detach "$head" || { echo "FAIL cannot clone $head into $dir"; return 1; }
  (cd "$dir" && umask "$4" && env -u SOURCE_DATE_EPOCH TZ="$2" LC_ALL="$3" \
     bash scripts/release.sh >"$dir.log" 2>&1) ||
    { tail -n 40 "$dir.log"; echo "FAIL release.sh failed in $dir"; return 1; }
  echo "     $dir (TZ=$2 LC_ALL=$3 umask $4): $(sha256sum <"$dir/build/Tessaly.zip" | cut -d' ' -f1)"
}

# POSIX time zone strings, which need no time zone database: 13:45 ahead of
# UTC and 11 hours behind it.
one=$work/a
two=$work/second-clone-in-a-longer-folder-name
release_from_clone "$one" XST-13:45 C 022 || exit 1
sleep 1
release_from_clone "$two" YST+11 C.UTF-8 077 || exit 1
a=$one/build/Tessaly.zip
b=$two/build/Tessaly.zip

if cmp -s "$a" "$b"; then
  echo "PASS the archives of two clones are the same, byte for byte"
  exit 0
fi

# The first entry whose contents differ, and the offset in it.
mkdir "$work/xa" "$work/xb"
unzip -q "$a" -d "$work/xa" && unzip -q "$b" -d "$work/xb" || { echo "FAIL cannot unpack the archives"; exit 1; }
if [ "$(unzip -Z1 "$a")" != "$(unzip -Z1 "$b")" ]; then
  echo "FAIL the archives hold different entries: $(unzip -Z1 "$a" | paste -sd' ') / $(unzip -Z1 "$b" | paste -sd' ')"
  exit 1
fi
while read -r entry; do
  if ! cmp -s "$work/xa/$entry" "$work/xb/$entry"; then
    at=$(cmp "$work/xa/$entry" "$work/xb/$entry" | sed -nE 's/.* byte ([0-9]+).*/\1/p')
    echo "FAIL $entry differs first at offset $((at - 1)) (0x$(printf %x $((at - 1)))) of the file"
    exit 1
  fi
done < <(unzip -Z1 "$a")

# Same contents: the archive's own records differ (time, permissions, extra
# fields). Name the entry whose local header or central directory record holds
# the first differing byte.
at=$(cmp "$a" "$b" | sed -nE 's/.* byte ([0-9]+).*/\1/p')
where=$(zipinfo -v "$a" | awk -v at=$((at - 1)) '
  /^Central directory entry #/ { getline; getline; getline; name = $1 }
  /offset of local header from start of archive:/ { start[++n] = $NF; names[n] = name }
  /^  is [0-9]+ \(/ { cd = $2 + 0 }
  END {
    if (at >= cd) { print "the central directory"; exit }
    for (i = n; i >= 1; i--) if (at >= start[i]) { print "the local header or data of " names[i]; exit }
  }')
echo "FAIL the archives differ first at offset $((at - 1)) of the archive, in $where"
diff <(zipinfo "$a" | tail -n +2) <(zipinfo "$b" | tail -n +2) | sed 's/^/     /'
exit 1
