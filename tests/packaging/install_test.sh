#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop finds there: the
# program behind the command its desktop entry runs, the help file beside it, the icon the
# entry names at every theme size, and entry and metadata that their validators accept.
#
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

entry=$prefix/share/applications/org.example.VantroCalculator.desktop
[[ -f $entry ]] || fail "no desktop entry"
desktop-file-validate "$entry" || fail "desktop entry refused"
appstreamcli validate --no-net "$prefix/share/metainfo/org.example.VantroCalculator.metainfo.xml" ||
  fail "metadata refused"

command=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
program=$(readlink -f "$prefix/bin/$command")
[[ -x $program && $(basename "$program") == vantro-calculator ]] || fail "Exec $command runs nothing"
help=$(dirname "$program")/CalcHelp.chm
[[ -f $(readlink -f "$help") ]] || fail "no help file beside the program"
cmp -s "$(readlink -f "$help")" "$build/src/qt/CalcHelp.chm" || fail "help file differs"

icon=$(sed -n 's/^Icon=//p' "$entry")
[[ -f $prefix/share/icons/hicolor/scalable/apps/$icon.svg ]] || fail "no scalable icon $icon"
for size in 16 22 24 32 48 64 128 256 512; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png
  [[ $(file -b "$png") == "PNG image data, $size x $size,"* ]] || fail "icon $png is not $size pixels"
done

# Nothing else: no libraries, headers or test programs.
unexpected=$(cd "$prefix" && find . -type f -o -type l | grep -vE \
  '^\./(bin/vantro-calculator|libexec/vantro-calculator/(vantro-calculator|CalcHelp\.chm)|share/(vantro-calculator/CalcHelp\.chm|applications/.*\.desktop|metainfo/.*\.xml|icons/hicolor/.*))$' || true)
[[ -z $unexpected ]] || fail "unexpected files: $unexpected"
echo "installed tree checked"
