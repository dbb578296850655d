#!/usr/bin/env bash
# The engine stays free of Qt and its folders include only folders at or below their own layer.
# Usage: layering_test.sh SOURCE_DIR LINKS_FILE (one "folder: library;library..." line per engine library).
set -uo pipefail
quelle=$1
verweise=$2
ebenen=(core model raster imageio tracking compose "align print" commands)

rang() {
    local i
    for i in "${!ebenen[@]}"; do
        for ordner in ${ebenen[$i]}; do
            [ "$ordner" = "$1" ] && { echo "$i"; return; }
        done
    done
    echo 99
}

fehler=0
melde() {
    echo "$1"
    fehler=1
}

for ordner in ${ebenen[*]}; do
    eigener=$(rang "$ordner")
    while IFS= read -r treffer; do
        melde "Qt header in the engine: $treffer"
    done < <(grep -rnE '#include *<Q' "$quelle/$ordner" --include='*.cpp' --include='*.h')
    while IFS=: read -r datei zeile ziel; do
        [ "$(rang "$ziel")" -gt "$eigener" ] && melde "$datei:$zeile includes $ziel/, a layer above $ordner/"
    done < <(grep -rnoE '#include *"[a-z]+/' "$quelle/$ordner" --include='*.cpp' --include='*.h' |
        sed -E 's/#include *"([a-z]+)\//\1/')
done

while IFS=': ' read -r ordner bibliotheken; do
    eigener=$(rang "$ordner")
    for bibliothek in ${bibliotheken//;/ }; do
        case "$bibliothek" in
        *Qt*) melde "lumivex_$ordner links $bibliothek" ;;
        lumivex_*)
            [ "$(rang "${bibliothek#lumivex_}")" -ge "$eigener" ] &&
                melde "lumivex_$ordner links $bibliothek, which is not below it"
            ;;
        esac
    done
done <"$verweise"

[ "$(wc -l <"$verweise")" -eq "$(echo ${ebenen[*]} | wc -w)" ] || melde "$verweise lacks engine libraries"
exit $fehler
