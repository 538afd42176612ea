#!/bin/sh
# The last step of `make dist`: gathers the release of the checked-out commit
# into dist/lousa-VERSION/ from the builds the Makefile has just made, with
# SHA256SUMS and LEIA-ME.txt. Every file is a function of the commit alone:
# no time, user, folder or locale of the build gets into any of them.
#   packaging/dist.sh VERSION WINDOWS_BUILD WEB_BUILD PACKAGE_BUILD STATIC_BUILD AARCH64_BUILD
set -eu
version=$1 windows=$2 web=$3 package=$4 static=$5 aarch64=$6
name=lousa-$version
out=dist/$name
root=$(pwd)

rm -rf "$out"
mkdir -p "$out"
# The Windows program as the Wine suite tested it (stripped when linked).
cp "$windows/lousa.exe" "$out/$name.exe"
cp "$web/lousa.html" "$out/$name.html"
cp "$package/lousa_${version}_amd64.deb" "$out/"
# The Linux programs, fully static and stripped when linked: one file for
# any distribution, on x86-64 and on 64-bit ARM.
cp "$static/lousa" "$out/$name-linux-x86_64"
cp "$aarch64/lousa" "$out/$name-linux-aarch64"
chmod 755 "$out/$name-linux-x86_64" "$out/$name-linux-aarch64"
for program in "$out/$name-linux-x86_64" "$out/$name-linux-aarch64"; do
  case $(file -b "$program") in
    *"statically linked"*stripped*) ;;
    *) echo "make dist: $program is not a static, stripped program: $(file -b "$program")" >&2; exit 1 ;;
  esac
done
# The source as committed, under one top folder; git gives each file the
# commit's time, and gzip -n leaves out the archive's own.
git archive --format=tar --prefix="$name/" HEAD | gzip -9n > "$out/$name.tar.gz"
# For Windows Notepad as well as Linux: UTF-8, CR LF line ends.
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' packaging/LEIA-ME.txt > "$out/LEIA-ME.txt"
(cd "$out" && sha256sum "$name.exe" "$name.html" "lousa_${version}_amd64.deb" \
  "$name-linux-x86_64" "$name-linux-aarch64" "$name.tar.gz" > SHA256SUMS)

# The folder the release was built in must be in none of its files.
for file in "$out/$name.exe" "$out/$name.html" "$out/$name-linux-x86_64" "$out/$name-linux-aarch64"; do
  if grep -q -F -e "$root" "$file"; then
    echo "make dist: $file contains the build folder $root" >&2
    exit 1
  fi
done
if dpkg-deb --fsys-tarfile "$out/lousa_${version}_amd64.deb" | grep -q -a -F -e "$root"; then
  echo "make dist: the package's files contain the build folder $root" >&2
  exit 1
fi
if ! git diff --quiet HEAD --; then
  echo "make dist: warning: the tree has changes not committed; the programs include them, the source archive does not" >&2
fi
ls -l "$out"
