#!/usr/bin/env bash
# One very long input line at the menu prompt: time and peak resident size of
# the program while it reads it. Five cases: a line of blanks and a line of
# values, each with and without a final line end, and one value as long as the
# line (9.999...9, a real of the paired t test). The reading must take time in
# proportion to the line and memory that does not grow with it.
#
#   bench/linha_longa.sh [MiB]        (default 1024; program: $LOUSA or build/lousa)
#
# Fails when a run ends with an unexpected status or its peak resident size
# reaches $LIMITE_MIB (default 64).
set -eu
export LC_ALL=C
cd "$(dirname "$0")/.."

mib=${1:-1024}
lousa=${LOUSA:-build/lousa}
limite_mib=${LIMITE_MIB:-64}
bytes=$((mib * 1024 * 1024))

[ -x "$lousa" ] || { echo "linha_longa: $lousa not built (make build)" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "linha_longa: /usr/bin/time missing (Debian package 'time')" >&2; exit 1; }

# After the long line: code 3 (paired t test; a line of values has given it
# already), its confirmation, two pairs, and zero at the end question, so that
# a run with a final line end ends normally.
resto_brancos=$'\n3\n1\n2\n10 8\n12 11\n0\n'
resto_valores=$'\n1\n2\n10 8\n12 11\n0\n'
resto_um_valor=$' 8\n12 11\n0\n'

# The line is written in blocks of 1 MiB by perl (part of every Debian system).
gera() { perl -e 'my $b = $ARGV[0] x (1048576 / length $ARGV[0]); syswrite STDOUT, $b for 1 .. $ARGV[1]' "$1" "$mib"; }
brancos() { gera ' '; }
valores() { gera '3 '; }
um_valor() { printf '3\n1\n2\n9.'; gera '9'; }

falhas=0
medida=$(mktemp)
trap 'rm -f "$medida"' EXIT

# caso NAME GENERATOR FINAL_LINE_END(yes/no) EXPECTED_STATUS
caso() {
    local nome=$1 gerador=$2 final=$3 esperado=$4 status=0
    local resto_var="resto_$gerador"
    if [ "$final" = yes ]; then
        { $gerador; printf '%s' "${!resto_var}"; } | /usr/bin/time -f '%e %U %S %M' -o "$medida" "$lousa" >/dev/null 2>&1 || status=$?
    else
        $gerador | /usr/bin/time -f '%e %U %S %M' -o "$medida" "$lousa" >/dev/null 2>&1 || status=$?
    fi
    local segundos usuario sistema kib
    read -r segundos usuario sistema kib < <(tail -n 1 "$medida")
    local rss_mib=$(( (kib + 1023) / 1024 ))
    printf '%-32s %6d MiB  %7.2f s (cpu %5.2f s)  %5d MiB peak RSS  status %d\n' \
        "$nome (final LF: $final)" "$mib" "$segundos" "$(awk -v u="$usuario" -v s="$sistema" 'BEGIN { print u + s }')" "$rss_mib" "$status"
    if [ "$status" -ne "$esperado" ]; then
        echo "  expected status $esperado" >&2
        falhas=$((falhas + 1))
    fi
    if [ "$rss_mib" -ge "$limite_mib" ]; then
        echo "  peak RSS at or above $limite_mib MiB" >&2
        falhas=$((falhas + 1))
    fi
}

caso "line of blanks" brancos yes 0
caso "line of blanks" brancos no 2
caso "line of values" valores yes 0
caso "line of values" valores no 2
caso "one value" um_valor yes 0

[ "$falhas" -eq 0 ]
