#!/usr/bin/env bash
# Seeds for the fuzzer: the typed lines ("> " lines) of every session
# transcript, one file each, after the first byte that chooses the command
# line and the terminal (see programa_fuzz.cpp): each session once as from a
# pipe with no option (byte 0), once at a UTF-8 terminal (byte 24). A
# transcript of one application alone ("! app N") is reached from the menu:
# its code and a confirmation come first. Then a few sessions typed in
# accented UTF-8, answers files with a byte-order mark, a screen that is lost,
# and the options that show a text.
#
#   tests/fuzz/sementes.sh TRANSCRIPTS_DIR OUTPUT_DIR
set -eu
origem=$1
destino=$2
mkdir -p "$destino"
find "$origem" -name '*.txt' | sort | while read -r arquivo; do
    nome=$(echo "${arquivo#"$origem"/}" | tr '/' '_')
    digitado=$(awk '
        /^! app / { if ($3 != 0) printf "%s\n1\n", $3 }
        /^>( |$)/ { print substr($0, 3) }
    ' "$arquivo"; echo x)
    digitado=${digitado%x}
    printf '\000%s' "$digitado" > "$destino/$nome"
    printf '\030%s' "$digitado" > "$destino/utf8_terminal_$nome"
done
# Kolmogorov-Smirnov class names in UTF-8: with --utf8 (byte 2), at a UTF-8
# terminal (byte 24), and with a sequence cut short, a surrogate and an
# overlong form among them.
printf '\00210\n1\n2\nAção\nMédia\n50\n50\n10\n30\n0\n' > "$destino/utf8_opcao_classes_acentuadas"
printf '\03010\n1\n3\nÇ€ñ\n\303\n\355\240\200x\300\257\n1\n2\n3\n4\n5\n6\n0\n' > "$destino/utf8_terminal_classes_malformadas"
# A screen lost after 2800 bytes (byte 160), in the middle of a session.
printf '\2403\n1\n4\n10 8\n12 11\n9 9\n11 8\n0\n' > "$destino/tela_perdida"
# The paired t test from answers files with a byte-order mark, one per
# encoding (UTF-8, UTF-16 little- and big-endian), from a pipe (byte 0).
pareado='3\n1\n2\n10 8\n12 11\n0\n'
printf '\000\357\273\277'"$pareado" > "$destino/marca_utf8"
{ printf '\000'; printf '\377\376'; printf "$pareado" | iconv -f UTF-8 -t UTF-16LE; } > "$destino/marca_utf16le"
{ printf '\000'; printf '\376\377'; printf "$pareado" | iconv -f UTF-8 -t UTF-16BE; } > "$destino/marca_utf16be"
printf '\005' > "$destino/opcao_help"
printf '\006' > "$destino/opcao_version"
printf '\007' > "$destino/opcao_desconhecida"
