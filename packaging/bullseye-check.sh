#!/bin/sh
# `make bullseye-check`: the static x86-64 program on Debian 11 (glibc 2.31,
# older than the 2.34 the .deb needs). A minimal Debian 11 is made once by
# debootstrap in FOLDER/root and kept; then, inside it (chroot):
#   - every example prints its .tela byte for byte;
#   - --help in LANG=pt_BR.UTF-8 comes out in UTF-8;
#   - a session typed on a pseudo-terminal in pt_BR.UTF-8, with accented
#     class names, is shown and read in UTF-8: the same bytes as --utf8 gives
#     on pipes.
# The minimal system has no locale files at all, so pt_BR.UTF-8 is a locale
# it lacks: the program must tell a UTF-8 terminal from the name alone.
#   packaging/bullseye-check.sh PROGRAM FOLDER
set -eu
program=$1 folder=$2
root=$folder/root
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}

if [ ! -f "$root/etc/debian_version" ]; then
  echo "make bullseye-check: making a minimal Debian 11 in $root (debootstrap from $mirror)"
  started=$(date +%s)
  rm -rf "$root.partial"
  mkdir -p "$folder"
  debootstrap --variant=minbase bullseye "$root.partial" "$mirror" >"$folder/debootstrap.log" 2>&1 || {
    tail -n 20 "$folder/debootstrap.log" >&2
    echo "make bullseye-check: debootstrap failed (log above)" >&2
    exit 1
  }
  mv "$root.partial" "$root"
  echo "make bullseye-check: Debian 11 made in $(( $(date +%s) - started )) s"
fi
echo "make bullseye-check: $(cat "$root/etc/debian_version"), $(chroot "$root" /usr/bin/ldd --version | head -n 1)"

rm -rf "$root/lousa-check"
mkdir -p "$root/lousa-check"
cp "$program" "$root/lousa-check/lousa"
cp examples/*.txt examples/*.tela "$root/lousa-check/"
inside() { chroot "$root" /usr/bin/env -i PATH=/usr/bin:/bin "$@"; }

failed=0
for answers in examples/*.txt; do
  name=$(basename "$answers" .txt)
  if ! inside /lousa-check/lousa < "$answers" | cmp -s - "examples/$name.tela"; then
    echo "make bullseye-check: $name: the screen differs" >&2
    failed=1
  fi
done
echo "make bullseye-check: $(ls examples/*.txt | wc -l) examples compared"

# "aplicações" in UTF-8
if ! inside LANG=pt_BR.UTF-8 /lousa-check/lousa --help | grep -q "aplicações"; then
  echo "make bullseye-check: --help in pt_BR.UTF-8 is not UTF-8" >&2
  failed=1
fi

python3 - "$root" <<'EOF' || failed=1
import os, pty, select, shutil, subprocess, sys, tty
root = sys.argv[1]
typed = "10\n1\n2\nAção\nfêmeas\n50\n50\n30\n10\n0\n".encode()
env = {"PATH": "/usr/bin:/bin", "LANG": "pt_BR.UTF-8"}
command = [shutil.which("chroot"), root, "/lousa-check/lousa"]

master, slave = pty.openpty()
tty.setraw(slave)  # no echo, no line-end changes: the bytes the program wrote
child = subprocess.Popen(command, stdin=slave, stdout=slave, stderr=subprocess.PIPE, env=env)
os.close(slave)
os.write(master, typed)
screen = b""
while True:
    ready, _, _ = select.select([master], [], [], 10)
    if not ready:
        child.kill()
        break
    try:
        chunk = os.read(master, 65536)
    except OSError:  # the other side closed
        break
    if not chunk:
        break
    screen += chunk
child.wait()
on_pipes = subprocess.run(command + ["--utf8"], input=typed, capture_output=True, env=env).stdout
if child.returncode != 0 or screen != on_pipes or "Ação".encode() not in screen:
    print("make bullseye-check: the pseudo-terminal session in pt_BR.UTF-8 is not the UTF-8 screen"
          f" (status {child.returncode}, {len(screen)} bytes against {len(on_pipes)})", file=sys.stderr)
    sys.exit(1)
print(f"make bullseye-check: a UTF-8 session on a pseudo-terminal, {len(screen)} bytes, as with --utf8")
EOF

rm -rf "$root/lousa-check"
[ "$failed" = 0 ] && echo "make bullseye-check: the static program runs on Debian 11"
exit "$failed"
