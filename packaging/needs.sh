#!/bin/sh
# needs.sh TARGET PROBE:PACKAGE...: stops TARGET, before it builds anything,
# when a tool it uses is missing, naming the Debian packages that bring them.
# A PROBE is a command, or a path when it starts with /.
target=$1
shift
missing=
for need in "$@"; do
  probe=${need%%:*}
  package=${need#*:}
  case $probe in
    /*) [ -e "$probe" ] && continue ;;
    *) command -v "$probe" >/dev/null 2>&1 && continue ;;
  esac
  case " $missing " in *" $package "*) ;; *) missing="$missing $package" ;; esac
done
[ -z "$missing" ] && exit 0
echo "$target needs these Debian packages, missing here:$missing" >&2
echo "  sudo apt-get install$missing" >&2
exit 1
