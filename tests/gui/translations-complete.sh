#!/bin/sh
# The English translation holds every text of the windows, each translated:
# lupdate is run over src/gui into a copy of the .ts; a text it adds (one the
# code shows through tr() and the .ts lacks) or an entry left unfinished fails,
# named; so does an entry whose text is no longer in the code.
#
#   translations-complete.sh LUPDATE SOURCE_DIR
set -eu
lupdate=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$source/translations/vantrel_en.ts" "$work/before.ts"
cp "$work/before.ts" "$work/after.ts"
"$lupdate" -silent -locations none "$source/src/gui" -ts "$work/after.ts"

# One line per entry: its state and its source text (a text of several lines on one).
entries() {
    tr '\n' '\r' <"$1" | sed 's|<message>|\n&|g' | grep '^<message>' |
        sed -e 's|.*<source>\(.*\)</source>.*<translation\([^>]*\)>.*|\2\t\1|' -e 's|\r|\\n|g' | sort
}
entries "$work/before.ts" >"$work/before.txt"
entries "$work/after.ts" >"$work/after.txt"

status=0
if ! cmp -s "$work/before.txt" "$work/after.txt"; then
    diff "$work/before.txt" "$work/after.txt" | sed -n 's/^> \(.*\)/\1/p' |
        sed -e 's/^ type="unfinished"\t/text missing from the translation: /' \
            -e 's/^ type="vanished"\t/text no longer in the code: /' \
            -e 's/^ type="obsolete"\t/text no longer in the code: /' >&2
    status=1
fi
if grep -q 'type="unfinished"' "$work/before.ts"; then
    entries "$work/before.ts" | grep '^ type="unfinished"' | sed 's/^[^\t]*\t/entry not translated: /' >&2
    status=1
fi
exit $status
