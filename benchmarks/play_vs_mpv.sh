#!/usr/bin/env bash
# Plays H.264 clips in the gallery and in mpv under a real X server and compares them:
# frames shown and dropped, and CPU seconds (user + system, all threads, start-up
# included) per shown frame. The gallery's CPU is taken when it prints its stats, before
# it encodes the screenshot PNG it must write; the whole process's is shown beside it.
# A benchmark, never run by the tests.
#
#   benchmarks/play_vs_mpv.sh [--build DIR] [--clips DIR] [--window WxH] [--runs N]
#
# --build   the build folder holding gallery/commonctrls-gallery and
#           benchmarks/bench_write_clip (default: build)
# --clips   where the clips are written, once, and kept (default: /tmp/commonctrls-clips)
# --window  the window size of both players (default: 1280x720)
# --runs    plays of each clip by each player, taking turns; the table shows the run of
#           median CPU per shown frame and the drops of every run (default: 3)
#
# Needs Xvfb, openbox, mpv and /usr/bin/time (scripts/setup.sh installs them). The clips
# are 4 seconds of H.264 (libx264, preset "fast") with an AAC track: 1920x1080 at 60 fps,
# 3840x2160 at 30 and at 60 fps. Both players decode on the CPU and draw through X11:
# mpv --vo=x11 --hwdec=no --ao=null, the gallery on Qt's xcb platform with its Video page
# shown. Xvfb reports no refresh rate, with which mpv drops frames that are not late, so
# mpv is told the display's rate (--override-display-fps=60).
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=$repo/build
clips=/tmp/commonctrls-clips
window=1280x720
runs=3
seconds=4
while [ $# -gt 0 ]; do
    case $1 in
    --build) build=$(cd "$2" && pwd); shift 2 ;;
    --clips) clips=$2; shift 2 ;;
    --window) window=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    *) echo "usage: $0 [--build DIR] [--clips DIR] [--window WxH] [--runs N]" >&2; exit 2 ;;
    esac
done
[[ $window =~ ^[0-9]+x[0-9]+$ ]] || { echo "play_vs_mpv: --window takes WxH" >&2; exit 2; }
[[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "play_vs_mpv: --runs takes a count" >&2; exit 2; }

gallery=$build/gallery/commonctrls-gallery
writer=$build/benchmarks/bench_write_clip
for tool in Xvfb openbox mpv /usr/bin/time "$writer"; do
    command -v "$tool" >/dev/null || {
        echo "play_vs_mpv: $tool is missing (scripts/setup.sh; build target bench_write_clip)" >&2
        exit 1
    }
done
work=$(mktemp -d)
started=()
cleanup() {
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# --- The clips -------------------------------------------------------------------------
"$writer" --check >/dev/null || { echo "play_vs_mpv: libavcodec lacks libx264 or AAC" >&2; exit 1; }
mkdir -p "$clips"
clip_formats=("1920 1080 60" "3840 2160 30" "3840 2160 60")
clip_path() { echo "$clips/h264-${2}p${3}-${seconds}s.mp4"; }
for format in "${clip_formats[@]}"; do
    read -r w h fps <<<"$format"
    file=$(clip_path "$w" "$h" "$fps")
    if [ ! -s "$file" ]; then
        echo "writing $file" >&2
        "$writer" "$file.part.mp4" "$w" "$h" "$fps" "$seconds"
        mv "$file.part.mp4" "$file"
    fi
done

# --- An X server with a window manager ------------------------------------------------
# A display number below 10: mpv takes higher ones for remote displays and gives up on
# shared memory there.
display=
for n in 1 2 3 4 5 6 7 8 9; do
    if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then display=:$n; break; fi
done
[ -n "$display" ] || { echo "play_vs_mpv: no free X display :1 to :9" >&2; exit 1; }
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
started+=($!)
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
[ -e "/tmp/.X11-unix/X${display#:}" ] || { cat "$work/xvfb.log" >&2; exit 1; }
DISPLAY=$display openbox >"$work/openbox.log" 2>&1 &
started+=($!)
sleep 1
export DISPLAY=$display

# --- Playing ------------------------------------------------------------------------------
# Each prints "shown dropped counted_cpu_seconds process_cpu_seconds", or "- - - -" when
# the player could not tell. The counted CPU is the process's, except that the gallery's
# stops at its stats line, before it writes the screenshot PNG that only this script needs.
cpu_of() { awk '{ printf "%.2f", $1 + $2 }' "$1"; }

# User + system CPU seconds of a running process, all its threads.
cpu_so_far() { # PID
    sed 's/.*) //' "/proc/$1/stat" 2>/dev/null |
        awk -v hz="$(getconf CLK_TCK)" '{ printf "%.2f", ($12 + $13) / hz }'
}

# Waits a moment without starting a process: a read that times out on a pipe nobody writes.
exec {nap}<> <(:)
nap() { read -r -t 0.02 -u "$nap" || true; }

play_mpv() { # FILE FRAMES
    local out=$work/mpv.err
    /usr/bin/time -f '%U %S' -o "$work/mpv.time" \
        mpv --no-config --vo=x11 --hwdec=no --ao=null --geometry="$window" \
        --override-display-fps=60 \
        --term-status-msg='@drops ${frame-drop-count} ${decoder-frame-drop-count}@' \
        "$1" >"$work/mpv.out" 2>"$out" || true
    local drops cpu
    drops=$(grep -ao '@drops [0-9]* [0-9]*@' "$out" | tail -1 | tr -d '@' | awk '{ print $2 + $3 }')
    if [ -z "$drops" ] || ! grep -q 'End of file' "$work/mpv.out"; then
        echo "- - - -"
        return
    fi
    # mpv played to the end: every frame it did not drop was shown.
    cpu=$(cpu_of "$work/mpv.time")
    echo "$(($2 - drops)) $drops $cpu $cpu"
}

gallery_has_stats() { [ -x "$gallery" ] && "$gallery" --help 2>/dev/null | grep -q -- '--stats'; }

play_gallery() { # FILE FRAMES
    if ! gallery_has_stats; then
        echo "- - - -"
        return
    fi
    local wait_ms=$((seconds * 1000 + 500))
    : >"$work/gallery.out"
    QT_QPA_PLATFORM=xcb /usr/bin/time -f '%U %S' -o "$work/gallery.time" \
        "$gallery" --open "$1" --page Video --stats --window-size "$window" --wait "$wait_ms" \
        --screenshot "$work/gallery.png" >"$work/gallery.out" 2>"$work/gallery.err" &
    local timer=$! pid="" counted="" line
    while kill -0 "$timer" 2>/dev/null; do
        [ -n "$pid" ] || pid=$(pgrep -P "$timer" | head -1)
        if [ -n "$pid" ] && read -r line <"$work/gallery.out" && [[ $line == playback:* ]]; then
            counted=$(cpu_so_far "$pid")
            break
        fi
        nap
    done
    wait "$timer" || true
    local stats
    stats=$(sed -n 's/^playback: shown \([0-9]*\), dropped \([0-9]*\), position.*/\1 \2/p' \
        "$work/gallery.out" | tail -1)
    if [ -z "$stats" ] || [ -z "$counted" ]; then
        sed 's/^/gallery: /' "$work/gallery.err" | tail -5 >&2
        echo "- - - -"
        return
    fi
    echo "$stats $counted $(cpu_of "$work/gallery.time")"
}

# One line a run: "shown dropped counted_cpu process_cpu counted_cpu_ms_per_shown_frame".
record() { # SHOWN DROPPED COUNTED_CPU PROCESS_CPU
    local each
    each=$(awk -v c="$3" -v n="$1" 'BEGIN { if (c == "-" || n == "-" || n == 0) print "-"; else printf "%.1f", 1000 * c / n }')
    echo "$1 $2 $3 $4 $each"
}

# The run of median CPU per shown frame, then the frames dropped in every run (a/b/c).
median_run() { # FILE
    if grep -q -- '-' "$1"; then
        echo "- - - - - -"
        return
    fi
    local n
    n=$(wc -l <"$1")
    echo "$(sort -n -k5 "$1" | sed -n "$(((n + 1) / 2))p") $(cut -d' ' -f2 "$1" | paste -sd/)"
}

echo
echo "Window $window on Xvfb $display (1920x1080x24) with openbox; $(nproc) cores; the run of" \
    "median CPU per shown frame of $runs; load before: $(cut -d' ' -f1-3 /proc/loadavg)."
echo
echo "| clip | player | frames shown | frames dropped | dropped in each run | CPU s | CPU s, whole process | CPU ms / shown frame | gallery / mpv |"
echo "|---|---|---:|---:|---:|---:|---:|---:|---:|"
summary=()
for format in "${clip_formats[@]}"; do
    read -r w h fps <<<"$format"
    file=$(clip_path "$w" "$h" "$fps")
    frames=$((fps * seconds))
    name="${w}x${h} ${fps} fps"
    : >"$work/mpv.runs"
    : >"$work/gallery.runs"
    for _ in $(seq "$runs"); do
        # shellcheck disable=SC2046 # three words
        record $(play_mpv "$file" "$frames") >>"$work/mpv.runs"
        # shellcheck disable=SC2046
        record $(play_gallery "$file" "$frames") >>"$work/gallery.runs"
    done
    read -r m_shown m_dropped m_cpu m_process m_each m_drops <<<"$(median_run "$work/mpv.runs")"
    read -r g_shown g_dropped g_cpu g_process g_each g_drops <<<"$(median_run "$work/gallery.runs")"
    ratio=$(awk -v g="$g_each" -v m="$m_each" 'BEGIN { if (g == "-" || m == "-" || m == 0) print "-"; else printf "%.2f", g / m }')
    echo "| $name | mpv | $m_shown | $m_dropped | $m_drops | $m_cpu | $m_process | $m_each | |"
    echo "| $name | gallery | $g_shown | $g_dropped | $g_drops | $g_cpu | $g_process | $g_each | $ratio |"
    goal=0.9
    [ "$h" -ge 2160 ] && goal=0.85
    verdict=$(awk -v r="$ratio" -v g="$goal" 'BEGIN { if (r == "-") print "not measured"; else if (r <= g) print "met"; else print "missed" }')
    part="${h}p${fps} CPU ${ratio}x mpv's (goal ${goal}x, $verdict)"
    if [ "$h" -ge 2160 ] && [ "$fps" -ge 60 ]; then
        if [ "$g_drops" = "-" ]; then
            drop_verdict="not measured"
        elif [[ $g_drops =~ ^0(/0)*$ ]]; then
            drop_verdict=met
        else
            drop_verdict=missed
        fi
        part="$part, dropped $g_drops (goal 0, $drop_verdict)"
    fi
    summary+=("$part")
done
echo
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
line="gallery against mpv: ${summary[0]}"
for part in "${summary[@]:1}"; do line+="; $part"; done
echo "$line"
