#!/usr/bin/env bash
# Shows the badge over a white window under Wine, takes a screenshot of the X
# display and checks it: the 120 x 120 picture stands at (work-area right - 130,
# work-area bottom - 130) with white all around it, and the badge answers its hit
# test as title bar. Keeps the screenshot as a PNG for people to look at.
#
# usage: badge_screenshot.sh x86|x64 <badge_on_white.exe> <badge.png> <screenshot.png>
#
# Wine under Xvfb shows a layered window's pixels without blending them with what
# lies below: each pixel appears as its premultiplied colour over black. A pixel
# blended over white, as a compositing desktop shows it, is accepted as well.
set -uo pipefail
arch=${1:?arch}
program=$(realpath -m "${2:?program}")
picture=$(realpath -m "${3:?picture}")
screenshot=$(realpath -m "${4:?screenshot}")
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

pid=
fail() {
  echo "badge screenshot: $*" >&2
  [ -n "$pid" ] && { touch stop 2>/dev/null; sleep 1; kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; }
  exit 1
}

[ -n "${DISPLAY:-}" ] || fail "no X display; run it through ./test, or start Xvfb and export DISPLAY"
timeout 20 xwd -root -silent -display "$DISPLAY" >/dev/null 2>&1 || fail "cannot capture display $DISPLAY"
case $arch in
  x86) loader=/usr/lib/wine/wine ;;
  x64) loader=/usr/lib/wine/wine64 ;;
  *) fail "unknown architecture $arch" ;;
esac
[ -f "$program" ] || fail "missing $program"
. "$root/tools/wine-env.sh"

work=$screenshot.work
rm -rf "$work" && mkdir -p "$work" && cd "$work" || fail "cannot use $work"

# started under timeout so that it ends even if this script is killed
timeout 240 "$loader" "$program" >report.txt 2>stderr.txt </dev/null &
pid=$!
for _ in $(seq 1200); do
  grep -qE '^(ready|error)' report.txt 2>/dev/null && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
grep -q '^error' report.txt && fail "the program failed: $(cat report.txt)"
grep -q '^ready' report.txt || fail "the program did not show the badge in time: $(cat report.txt stderr.txt)"
read -r _ work_left work_top work_right work_bottom < <(tr -d '\r' <report.txt | grep '^work ')
read -r _ hit < <(tr -d '\r' <report.txt | grep '^hittest ')
[ "$hit" = 2 ] || fail "WM_NCHITTEST answered $hit, not HTCAPTION (2)"

# The X server may map the layered window a moment later: a few tries.
verdict=
for attempt in 1 2 3 4 5 6 7 8 9 10; do
  timeout 20 xwd -root -silent -display "$DISPLAY" >screen.xwd 2>/dev/null \
    && convert xwd:screen.xwd "png:$screenshot" \
    && convert "$screenshot" ppm:screen.ppm \
    && convert "$picture" -depth 8 rgba:picture.rgba \
    || fail "taking the screenshot failed"
  verdict=$(python3 - "$work_right" "$work_bottom" <<'PY'
import sys

def read_ppm(path):
    data = open(path, "rb").read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    assert fields[0] == b"P6" and fields[3] == b"255", "unexpected screenshot format"
    return int(fields[1]), int(fields[2]), data[pos + 1:]

width, height, screen = read_ppm("screen.ppm")
rgba = open("picture.rgba", "rb").read()
size = 120
assert len(rgba) == size * size * 4, "the picture is not 120 x 120"
left, top = int(sys.argv[1]) - 130, int(sys.argv[2]) - 130
if left < 0 or top < 0 or left + size > width or top + size > height:
    print(f"FAIL badge place ({left},{top}) is not on the {width}x{height} screen"); sys.exit()

def shown(x, y):
    at = (y * width + x) * 3
    return tuple(screen[at:at + 3])

worst = 0
for y in range(size):
    for x in range(size):
        r, g, b, a = rgba[(y * size + x) * 4:(y * size + x) * 4 + 4]
        over_black = tuple(c * a // 255 for c in (r, g, b))
        over_white = tuple(c + (255 - a) for c in over_black)
        pixel = shown(left + x, top + y)
        miss = min(max(abs(p - q) for p, q in zip(pixel, model)) for model in (over_black, over_white))
        if miss > worst:
            worst, where = miss, (x, y, pixel, over_black)
if worst > 2:
    x, y, pixel, expected = where
    print(f"FAIL picture differs at ({x},{y}) of the badge: screen {pixel}, expected {expected}"); sys.exit()

# the white backdrop must show on every side: a band around the badge, cut at
# the screen's edges (windows of unrelated programs elsewhere do not matter)
band = 30
stray = 0
for y in range(max(0, top - band), min(height, top + size + band)):
    for x in range(max(0, left - band), min(width, left + size + band)):
        if left <= x < left + size and top <= y < top + size:
            continue
        if shown(x, y) != (255, 255, 255):
            if stray == 0:
                first = (x, y, shown(x, y))
            stray += 1
if stray:
    print(f"FAIL {stray} pixels around the badge are not white, the first at {first}"); sys.exit()
print(f"OK badge at ({left},{top}), 120 x 120, picture within {worst} of its premultiplied colours, "
      f"white all around it on the {width}x{height} screen")
PY
)
  [[ $verdict == OK* ]] && break
  sleep 0.5
done

touch stop
for _ in $(seq 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
wait "$pid"; rc=$?
pid=
[[ $verdict == OK* ]] || fail "${verdict:-no verdict} (screenshot: $screenshot)"
[ "$rc" -eq 0 ] || fail "the program ended with exit code $rc"
rm -f screen.xwd screen.ppm picture.rgba
echo "badge screenshot: $verdict; hit test HTCAPTION; screenshot: $screenshot"
