#!/usr/bin/env bash
# Seeds for the fuzzer: the typed lines ("> " lines) of every session
# transcript, one file each. A transcript of one application alone ("! app N")
# is reached from the menu: its code and a confirmation come first.
#
#   tests/fuzz/sementes.sh TRANSCRIPTS_DIR OUTPUT_DIR
set -eu
origem=$1
destino=$2
mkdir -p "$destino"
find "$origem" -name '*.txt' | sort | while read -r arquivo; do
    nome=$(echo "${arquivo#"$origem"/}" | tr '/' '_')
    awk '
        /^! app / { if ($3 != 0) printf "%s\n1\n", $3 }
        /^>( |$)/ { print substr($0, 3) }
    ' "$arquivo" > "$destino/$nome"
done
