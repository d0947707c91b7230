#!/bin/sh
# Screenshots of the main windows for the README, taken from the running program under a
# virtual X server: the cover page, the units panel, the simulated window with the question
# panel, an open menu and its cascade, a hint with an open colour palette, a demonstration
# under way, the exam login, the hand-in dialog and the score report.
#
#     tools/screenshots.sh [build folder] [output folder]
#
# Defaults: build/default and docs/screenshots. The program runs on a fresh copy of
# the sample installation in a temporary folder, so the build's own installation keeps its
# state. Needs Xvfb, xdotool and ImageMagick's import. Every window the script clicks in is
# waited for (20 s at most); one that does not come ends the script with an error.
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build/default}" && pwd)
out=${2:-$here/docs/screenshots}
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

fail() {
    echo "screenshots: $*" >&2
    if [ -s "$work/talvesk.log" ]; then
        echo "screenshots: the program's output ends with:" >&2
        tail -n 20 "$work/talvesk.log" >&2
    fi
    exit 1
}

mkdir -p "$work/install" "$work/tmp"
QT_QPA_PLATFORM=offscreen "$build/tools/talvesk-samplegen" "$here/sample" "$work/install" 2>/dev/null ||
    fail "the sample generator failed"
cp "$build/talvesk" "$work/install/"

# A free display number.
display=71
while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$display"

# How long a window is waited for, in milliseconds.
limit=20000
now() { echo $(($(date +%s%N) / 1000000)); }
deadline() { echo $(($(now) + limit)); }
seconds() { echo "$((limit / 1000)).$((limit % 1000 / 100)) s"; }
due=$(deadline)
until xdotool getdisplaygeometry >/dev/null 2>&1; do
    [ "$(now)" -le "$due" ] || fail "the virtual X server :$display did not start"
    sleep 0.1
done

# The program's visible windows.
shown() { xdotool search --onlyvisible --class '^talvesk$' 2>/dev/null; }

# The first visible window of the program whose title matches $1 (an extended regular
# expression) and whose size is $2 ("800x600"; empty for any size). The title is read as the
# window system shows it: Qt gives an untitled window the program's name.
findWindow() {
    for w in $(shown); do
        xdotool getwindowname "$w" 2>/dev/null | grep -Eq "$1" || continue
        size=$(xdotool getwindowgeometry "$w" 2>/dev/null | sed -n 's/.*Geometry: *//p')
        if [ -z "$2" ] || [ "$size" = "$2" ]; then
            echo "$w"
            return 0
        fi
    done
    return 1
}

# Waits for the window "$1" (the name to report) found as findWindow "$2" "$3". Sets win to
# its id, X and Y to its top-left corner and, for a window of 800 x 600 or more, ox and oy to
# the top-left corner of its centred 800 x 600 area (the window itself for the 800 x 600
# windows, the middle of the screen for the maximised ones).
waitWindow() {
    due=$(deadline)
    while ! win=$(findWindow "$2" "$3"); do
        [ "$(now)" -le "$due" ] || fail "$1 did not appear within $(seconds) (no visible window titled /$2/ ${3:-})"
        sleep 0.1
    done
    eval "$(xdotool getwindowgeometry --shell "$win")"
    if [ "$WIDTH" -ge 800 ]; then
        ox=$((X + (WIDTH - 800) / 2))
        oy=$((Y + (HEIGHT - 600) / 2))
    fi
}

# Waits until window $2 (an id) is no longer shown; $1 names it for the report.
waitGone() {
    due=$(deadline)
    while shown | grep -qx "$2"; do
        [ "$(now)" -le "$due" ] || fail "$1 did not close within $(seconds)"
        sleep 0.1
    done
}

# The windows' names: the cover keeps its fixed one, the simulated window, the question panel,
# the login and the demonstration have none (the program's name stands for it), the score
# report has the module's title.
cover='^vidavozedudevavuzivuv$'
untitled='^talvesk$'
panelSize=332x242

# Points are given on the window's 800 x 600 area (see waitWindow).
at() { xdotool mousemove $((ox + $1)) $((oy + $2)); }
clickAt() { at "$1" "$2"; xdotool click 1; }
# The controls draw themselves a moment after a click: a short settling time before a picture.
settle() { sleep "${1:-0.8}"; }
shot() { import -window root "$out/$1.png"; echo "$out/$1.png"; }

# The instance lock lives in the temporary folder: another copy of the program elsewhere on
# the machine does not stop this one.
TMPDIR="$work/tmp" "$work/install/talvesk" >"$work/talvesk.log" 2>&1 &
app=$!

waitWindow "the cover page" "$cover" 800x600
settle 1.5
shot cover
clickAt 235 275                  # 单元练习
settle
shot units

clickAt 659 522                  # 开始学习: the first unit
waitWindow "the question panel" "$untitled" "$panelSize"
panel=$win
waitWindow "the simulated window" "$untitled" 800x600
settle 1.5
shot window
clickAt 288 36                   # 格式(O)
settle
shot menu
at 303 81; sleep 0.3; clickAt 313 82     # 行(R): its cascade
settle
shot cascade
clickAt 626 399                  # 重做本题: the question again, its menus closed
settle
clickAt 630 555                  # 提示: the hint of the step
settle
clickAt 625 88                   # the fill colour's arrow: the palette
settle
shot hint-palette
clickAt 625 88                   # the palette closes

# The demonstration plays the question on a window of its own in place of the simulated
# window and the panel; Esc ends it early.
clickAt 758 555                  # 演示
waitGone "the question panel" "$panel"
waitWindow "the demonstration" "$untitled" 800x600
settle 1.5                       # the drawn pointer on its way through the first steps
shot demo
# The demonstration window takes the keyboard when it opens: Esc ends it without a click,
# well before its own end.
xdotool key Escape
limit=1500
waitWindow "the question panel (Esc ends the demonstration)" "$untitled" "$panelSize"
limit=20000
waitWindow "the simulated window after the demonstration" "$untitled" 800x600
settle
clickAt 503 555                  # 返回菜单: back to the cover's units panel

waitWindow "the cover page" "$cover" 800x600
settle
clickAt 230 68                   # 模拟考试
settle
clickAt 434 174                  # 开始考试 on the first sprint paper
waitWindow "the exam login" "$untitled" 1024x768
login=$win
settle
shot login
xdotool mousemove $((X + 329)) $((Y + 392)) click 1  # 登 录, on the panel at the window's corner
waitGone "the exam login" "$login"

waitWindow "the exam's question panel" "$untitled" "$panelSize"
waitWindow "the exam's simulated window" "$untitled" 800x600
settle 1.5
# The first question answered right (click B3, double-click C5, point at D8), so that the
# report shows both colours.
clickAt 125 182
settle
at 189 216; xdotool click --repeat 2 --delay 80 1
settle
at 253 267; sleep 0.3; at 254 268
settle 1.5
clickAt 503 555                  # 交卷
waitWindow "the hand-in dialog" '^重要提示$' ""
first=$win
settle
shot hand-in
xdotool mousemove $((X + 83)) $((Y + 157)) click 1   # 交 卷
waitGone "the hand-in dialog" "$first"
waitWindow "the final hand-in dialog" '^重要提示$' ""
second=$win
settle
xdotool mousemove $((X + 83)) $((Y + 157)) click 1   # 交 卷
waitGone "the final hand-in dialog" "$second"

waitWindow "the score report" '.' 1024x768
settle
clickAt 256 382                  # question 1: its text under the numbers
settle
shot report
