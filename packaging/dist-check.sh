#!/bin/sh
# `make dist-check`: builds the release a second time and compares it, file
# by file, with dist/lousa-VERSION/ (made just before by `make dist`). The
# second build shares nothing with the first: a fresh clone of the commit in
# another folder, another time zone, locale and umask, and a clock a week
# later (Debian's faketime), as Debian's reproducible-builds checks vary them.
#   packaging/dist-check.sh VERSION JOBS
set -eu
version=$1 jobs=$2
name=lousa-$version
first=$(pwd)/dist/$name
if ! git diff --quiet HEAD --; then
  echo "make dist-check: commit the changes first: the second build is made from the commit" >&2
  exit 1
fi
elsewhere=$(mktemp -d /tmp/lousa-dist-check.XXXXXX)
trap 'rm -rf "$elsewhere"' EXIT
copy=$elsewhere/outra-pasta/lousa
git clone --quiet --no-hardlinks "$(pwd)" "$copy"
git -C "$copy" checkout --quiet --detach "$(git rev-parse HEAD)"

# Whatever the first build had, the second has something else.
if [ "$(umask)" = 0022 ]; then other_umask=0002; else other_umask=0022; fi
if [ "$(locale charmap 2>/dev/null)" = UTF-8 ]; then other_locale=C; else other_locale=C.UTF-8; fi
echo "make dist-check: second build in $copy (TZ=LINT-14, LC_ALL=$other_locale, umask $other_umask, clock +7 days)"
started=$(date +%s)
(
  cd "$copy"
  umask "$other_umask"
  TZ=LINT-14 LC_ALL=$other_locale LANG=$other_locale FAKETIME_DONT_FAKE_MONOTONIC=1 \
    faketime -f +7d make dist JOBS="$jobs" >"$elsewhere/build.log" 2>&1
) || {
  tail -n 30 "$elsewhere/build.log" >&2
  echo "make dist-check: the second build failed (log above)" >&2
  exit 1
}
echo "make dist-check: second build in $(( $(date +%s) - started )) s"

second=$copy/dist/$name
differ=0
for file in $( (ls "$first"; ls "$second") | sort -u); do
  if cmp -s "$first/$file" "$second/$file"; then
    echo "  same: $file"
    continue
  fi
  differ=1
  echo "make dist-check: $file differs between the two builds" >&2
  if [ -e "$first/$file" ] && [ -e "$second/$file" ] && command -v diffoscope >/dev/null; then
    diffoscope --text - "$first/$file" "$second/$file" | head -n 200 >&2 || true
  fi
done
[ "$differ" = 0 ] && echo "make dist-check: the two builds of $(git rev-parse --short HEAD) are identical"
exit "$differ"
