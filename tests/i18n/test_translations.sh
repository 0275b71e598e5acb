#!/usr/bin/env bash
# test_translations.sh LUPDATE SOURCE_DIR
# Every translation is complete and up to date: no unfinished or obsolete
# entry, and lupdate run over the sources into a copy adds and changes nothing.
set -euo pipefail
lupdate=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
for ts in "$source"/translations/quillet_*.ts; do
    name=$(basename "$ts")
    if grep -qE 'type="(unfinished|obsolete|vanished)"' "$ts"; then
        echo "FAIL: $name has unfinished or obsolete entries"; failures=$((failures + 1))
    fi
    cp "$ts" "$work/$name"
    only=()
    [[ $name == quillet_en.ts ]] && only=(-pluralonly) # English gives only the plural forms
    (cd "$source" && "$lupdate" -silent -no-obsolete -locations none "${only[@]}" src -ts "$work/$name")
    if ! diff -u "$ts" "$work/$name"; then
        echo "FAIL: lupdate finds texts $name lacks (run: cmake --build build --target quillet_lupdate)"
        failures=$((failures + 1))
    fi
done
((failures == 0)) && echo PASS
exit $((failures > 0))
