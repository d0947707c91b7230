#!/bin/sh
# Screenshots of the main windows for the README, taken from the running program under a
# virtual X server: the cover page, the units panel, the simulated window with the question
# panel, an open menu and its cascade, a hint with an open colour palette.
#
#     tools/screenshots.sh [build folder] [output folder]
#
# Defaults: build/default and build/default/screenshots. The program runs on a fresh copy of
# the sample installation in a temporary folder, so the build's own installation keeps its
# state. Needs Xvfb, xdotool and ImageMagick's import.
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build/default}" && pwd)
out=${2:-$build/screenshots}
mkdir -p "$out"
out=$(cd "$out" && pwd)

for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || { echo "screenshots: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb=""
app=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

mkdir -p "$work/install" "$work/tmp"
QT_QPA_PLATFORM=offscreen "$build/tools/talvesk-samplegen" "$here/sample" "$work/install" 2>/dev/null
cp "$build/talvesk" "$work/install/"

# A free display number.
display=71
while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$display"
sleep 1

# The instance lock lives in the temporary folder: another copy of the program elsewhere on
# the machine does not stop this one.
TMPDIR="$work/tmp" "$work/install/talvesk" >"$work/talvesk.log" 2>&1 &
app=$!

# The windows are 800 x 600 and centred: points are given on the window.
ox=112
oy=84
at() { xdotool mousemove $((ox + $1)) $((oy + $2)); }
clickAt() { at "$1" "$2"; xdotool click 1; }
shot() { sleep "$2"; import -window root "$out/$1.png"; echo "$out/$1.png"; }

shot cover 5
clickAt 235 275                  # 单元练习
shot units 2
clickAt 659 522                  # 开始学习: the first unit
shot window 3
clickAt 172 36                   # 视图(V)
shot menu 1
at 210 129; sleep 0.3; clickAt 218 130   # 工具栏(T): its cascade
shot cascade 1
clickAt 630 555                  # 提示: the hint of the step
sleep 1
clickAt 625 88                   # the fill colour's arrow: the palette
shot hint-palette 1
