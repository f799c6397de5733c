#!/usr/bin/env bash
# Every translatable text of the sources has its translation: lupdate runs over src/
# into a copy of each translations/*.ts, and no text may come out unfinished (a text
# added or changed since the file was last translated). `make translations` brings
# the files up to date; then translate what this lists. Chinese literals of the
# window and the editor that are not marked for translation fail it as well.
#
#   complete-test.sh SOURCE_DIR
set -euo pipefail
src=$1
lupdate=$(command -v lupdate || true)
[ -z "$lupdate" ] && [ -x /usr/lib/qt6/bin/lupdate ] && lupdate=/usr/lib/qt6/bin/lupdate
[ -n "$lupdate" ] || { echo "SKIP: lupdate is not installed (scripts/bootstrap installs qt6-l10n-tools)"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for ts in "$src"/translations/zorvane_*.ts; do
    copy=$work/$(basename "$ts")
    cp "$ts" "$copy"
    (cd "$src" && "$lupdate" -silent -locations none -no-obsolete -extensions cpp,h src -ts "$copy")
    left=$(python3 - "$copy" <<'PY'
import sys, xml.etree.ElementTree as ET
for context in ET.parse(sys.argv[1]).getroot().iter('context'):
    for m in context.iter('message'):
        t = m.find('translation')
        if t is None or t.get('type') == 'unfinished' or not (t.text or '').strip():
            print('  %s: %r' % (context.findtext('name'), m.findtext('source')))
PY
)
    if [ -n "$left" ]; then
        echo "FAIL: $(basename "$ts") lacks translations of:"
        echo "$left"
        status=1
    fi
done
# Chinese text in the window and editor sources that lupdate cannot see: a literal
# outside tr(), translate() and the QT_TR*_NOOP markers (object names are no text). A
# marker may stand on the line before its literal, where the line was wrapped.
unmarked=$(cd "$src" && python3 - src/app/*.cpp src/app/*.h src/dialogs/*.cpp src/dialogs/*.h \
    src/editor/*.cpp src/editor/*.h <<'PY'
import re, sys
cjk = re.compile(r'"(?:[^"\\]|\\.)*[\u3000-\u303f\u3400-\u9fff\uff00-\uffef](?:[^"\\]|\\.)*"')
marker = re.compile(r'tr\(|QT_TR_NOOP|QT_TRANSLATE_NOOP|translate\(|setObjectName')
for path in sys.argv[1:]:
    lines = open(path, encoding='utf-8').read().split('\n')
    for i, line in enumerate(lines):
        if line.lstrip().startswith('//'):
            continue
        for m in cjk.finditer(line):
            before = line[:m.start()]
            if marker.search(before):
                continue
            rest = re.sub(r'"[^"]*"\s*,', '', before).strip()  # a context argument
            if not rest and i > 0 and marker.search(lines[i - 1]) \
                    and lines[i - 1].rstrip().endswith(('(', ',')):
                continue
            print('%s:%d:%s' % (path, i + 1, line))
PY
)
if [ -n "$unmarked" ]; then
    echo "FAIL: Chinese texts not marked for translation:"
    echo "$unmarked"
    status=1
fi
[ $status -eq 0 ] && echo "every text has its translation"
exit $status
