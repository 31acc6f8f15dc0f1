#!/bin/bash
# Whole-application figures: the CPU share of one core and the resident memory of `arvo` showing
# the live picture of a virtual camera at 1600x1200, 15 frames per second, offscreen, over a
# measuring window, at zoom 2 with mirroring and at zoom 1. The virtual camera's own frame
# thread ("vcam-frames", which draws and compresses what a real camera would send) is left out:
# the figure is the viewer's cost. With --burst N it then presses the snapshot button N times,
# from four loops at once, and reports the peak and the settled resident memory. First of all it
# times the start-up (--startup-runs, 3 by default): launch to the first decoded frame and to the
# first painted picture, from the log's time stamps, and the settings file's writes until 3 s
# after the picture showed (the camera's arrival and the restore of its settings).
#
#   bench/app-figures.sh [--build DIR] [--seconds S] [--burst N] [--startup-runs N]
#
# Settings go in through the settings record, as a user's earlier session would leave them.
set -euo pipefail

build=build
seconds=60
burst=0
startup_runs=3
while [ $# -gt 0 ]; do
    case "$1" in
    --build) build=$2; shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    --burst) burst=$2; shift 2 ;;
    --startup-runs) startup_runs=$2; shift 2 ;;
    *) echo "usage: $0 [--build DIR] [--seconds S] [--burst N] [--startup-runs N]" >&2; exit 2 ;;
    esac
done
root=$(cd "$(dirname "$0")/.." && pwd)
[[ $build = /* ]] || build=$root/$build
arvo=$build/arvo
vcam=$build/arvo-vcam
[ -x "$arvo" ] || { echo "no $arvo: build the arvo target first" >&2; exit 1; }

work=$(mktemp -d /tmp/arvo-figures.XXXXXX)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_RUNTIME_DIR=$work/run XDG_PICTURES_DIR=$work/home/Pictures QT_QPA_PLATFORM=offscreen
mkdir -p "$XDG_CONFIG_HOME/Arvo" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" "$HOME/Pictures/Arvo"
chmod 700 "$XDG_RUNTIME_DIR"
ticks=$(getconf CLK_TCK)

# utime + stime of /proc/<pid>/stat-like file, in clock ticks (the name may hold spaces); 0 for a
# thread that ended meanwhile, which an empty answer would make an arithmetic error.
cpu_ticks() { sed 's/.*) //' "$1" 2>/dev/null | awk '{t = $12 + $13} END {print t + 0}'; }

# Ticks of every task named $2 in process $1.
named_ticks() {
    local sum=0 t
    for t in /proc/"$1"/task/*; do
        [ "$(cat "$t/comm" 2>/dev/null)" = "$2" ] && sum=$((sum + $(cpu_ticks "$t/stat")))
    done
    echo $sum
}

photo_count() { find "$HOME/Pictures/Arvo" -maxdepth 1 -name '*.jpg' | wc -l; }

rss_mb() { awk -v k="$2:" '$1 == k {printf "%.1f", $2 / 1024}' /proc/"$1"/status; }

# The settings record of an earlier session: zoom $1, mirroring $2.
write_settings() {
    local zoom=$1 mirrored=$2
    cat >"$XDG_CONFIG_HOME/Arvo/Arvo.conf" <<INI
[General]
LumoPhotoLibraryLocationKey=$HOME/Pictures/Arvo
KeepCameraSetKey=0

[LumoDevices]
Arvo\\Resolution=0
Arvo\\Zoom=$zoom
Arvo\\HFlipped=$mirrored
INI
}

# Milliseconds since the epoch of a log time stamp (local time, 2026-12-07T17:30:01.123).
stamp_ms() { date -d "$1" +%s%3N; }

# One start-up; sets startup_picture and startup_wait (ms) and startup_writes.
startup() {
    local log=$XDG_DATA_HOME/Arvo/Log.txt i
    write_settings 1 false
    rm -f "$log"
    local started
    started=$(date +%s%3N)
    "$arvo" --verbose --virtual-camera=arvo >"$work/arvo.out" 2>&1 &
    pid=$!
    for ((i = 0; i < 300; i++)); do
        grep -q "first picture painted" "$log" 2>/dev/null && break
        sleep 0.1
    done
    grep -q "first picture painted" "$log" 2>/dev/null ||
        { echo "no picture 30 s after the start:" >&2; cat "$work/arvo.out" "$log" >&2; exit 1; }
    sleep 3
    local decoded painted
    decoded=$(stamp_ms "$(awk '/first frame decoded/ {print $1; exit}' "$log")")
    painted=$(stamp_ms "$(awk '/first picture painted/ {print $1; exit}' "$log")")
    startup_picture=$((painted - started))
    startup_wait=$((painted - decoded))
    startup_writes=$(grep -c "settings written" "$log" || true)
    stop
}

# One measurement: settings record with zoom $1 and mirroring $2, $seconds of live view.
measure() {
    local zoom=$1 mirrored=$2
    write_settings "$zoom" "$mirrored"
    "$arvo" --virtual-camera=arvo >"$work/arvo.out" 2>&1 &
    pid=$!
    # Start-up: the device thread waits 1 s, a new camera settles for 3 s, then the picture
    # starts; a few more seconds let the caches and the window settle.
    sleep 8
    kill -0 "$pid" 2>/dev/null || { echo "arvo exited:" >&2; cat "$work/arvo.out" >&2; exit 1; }
    local total0 vcam0 total1 vcam1
    total0=$(cpu_ticks /proc/$pid/stat)
    vcam0=$(named_ticks $pid vcam-frames)
    declare -A before=()
    for t in /proc/$pid/task/*; do before[$t]=$(cpu_ticks "$t/stat"); done
    sleep "$seconds"
    total1=$(cpu_ticks /proc/$pid/stat)
    vcam1=$(named_ticks $pid vcam-frames)
    local viewer=$(((total1 - total0) - (vcam1 - vcam0)))
    share=$(awk -v t="$viewer" -v hz="$ticks" -v s="$seconds" 'BEGIN {printf "%.2f", 100 * t / hz / s}')
    vshare=$(awk -v t="$((vcam1 - vcam0))" -v hz="$ticks" -v s="$seconds" 'BEGIN {printf "%.2f", 100 * t / hz / s}')
    rss=$(rss_mb $pid VmRSS)
    printf '%-22s CPU %6s%% of one core (vcam-frames apart: %s%%), RSS %s MB\n' \
        "zoom $zoom, mirrored $mirrored:" "$share" "$vshare" "$rss"
    printf '    threads:'
    for t in /proc/$pid/task/*; do
        local d=$(($(cpu_ticks "$t/stat") - ${before[$t]:-0}))
        [ $d -gt 0 ] && printf ' %s=%s%%' "$(cat "$t/comm")" \
            "$(awk -v t="$d" -v hz="$ticks" -v s="$seconds" 'BEGIN {printf "%.2f", 100 * t / hz / s}')"
    done
    printf '\n'
}

stop() {
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true
    pid=
}

echo "arvo offscreen, virtual camera at 1600x1200, $seconds s per figure, $(nproc) cores ($(uname -m))"
for ((run = 1; run <= startup_runs; run++)); do
    startup
    printf 'start-up %d: first picture %d ms after the launch, %d ms after the first decoded frame; settings written %d times\n' \
        "$run" "$startup_picture" "$startup_wait" "$startup_writes"
done
measure 2 true
zoom2=$share
if [ "$burst" -gt 0 ]; then
    # The control socket answers once the camera is listed; an empty answer would press nothing.
    camera=
    for ((i = 0; i < 100; i++)); do
        camera=$("$vcam" list 2>/dev/null | awk 'NR == 1 {print $1}') || camera=
        [ -n "$camera" ] && break
        sleep 0.1
    done
    [ -n "$camera" ] || { echo "arvo-vcam lists no camera" >&2; exit 1; }
    photos_before=$(photo_count)
    idle=$(rss_mb $pid VmRSS)
    echo 5 >/proc/$pid/clear_refs # the peak from here on, not the start-up's
    started=$SECONDS
    # The loops' own ids: a bare `wait` would wait for arvo too.
    loops=()
    presses=$((burst / 4 * 4))
    for _ in 1 2 3 4; do
        (for ((i = 0; i < presses / 4; i++)); do "$vcam" press "$camera" snapshot >/dev/null || true; done) &
        loops+=($!)
    done
    wait "${loops[@]}" || true
    # The saves catch up and the counter settles; then the memory the burst used is given back.
    for ((i = 0; i < 120; i++)); do
        [ "$(($(photo_count) - photos_before))" -ge "$presses" ] && break
        sleep 1
    done
    peak=$(rss_mb $pid VmHWM)
    sleep 3
    printf 'burst of %d presses from 4 loops: %d photos in %d s; RSS %s MB before, peak %s MB, %s MB afterwards\n' \
        "$presses" "$(($(photo_count) - photos_before))" "$((SECONDS - started))" "$idle" "$peak" \
        "$(rss_mb $pid VmRSS)"
    # The first photo by a glob: `ls | head -1` would end ls by SIGPIPE, and pipefail the script.
    photos=("$HOME"/Pictures/Arvo/*.jpg)
    if command -v identify >/dev/null && [ -e "${photos[0]}" ]; then
        echo "    photos are $(identify -format '%wx%h' "${photos[0]}")"
    fi
fi
stop
measure 1 false
zoom1=$share
stop
awk -v a="$zoom2" -v b="$zoom1" 'BEGIN {if (b > 0) printf "zoom 2 mirrored over zoom 1: %.2fx\n", a / b}'

# --- Recording ---------------------------------------------------------------------------------
# The whole application's CPU share (vcam-frames apart) while it records the picture at
# 1600x1200, 15 frames a second, next to the share of live view alone in the same run. A live
# test tone stands in for the microphone (no sound server is needed); the file is read back with
# ffprobe for its frames, size and streams.
share_over_window() {
    local total0 vcam0 total1 vcam1
    total0=$(cpu_ticks /proc/$pid/stat)
    vcam0=$(named_ticks $pid vcam-frames)
    sleep "$seconds"
    total1=$(cpu_ticks /proc/$pid/stat)
    vcam1=$(named_ticks $pid vcam-frames)
    awk -v t="$(((total1 - total0) - (vcam1 - vcam0)))" -v hz="$ticks" -v s="$seconds" \
        'BEGIN {printf "%.2f", 100 * t / hz / s}'
}

recording_figures() {
    write_settings 1 false
    ARVO_RECORD_AUDIO_SOURCE="audiotestsrc is-live=true" "$arvo" --virtual-camera=arvo >"$work/arvo.out" 2>&1 &
    pid=$!
    sleep 8
    kill -0 "$pid" 2>/dev/null || { echo "arvo exited:" >&2; cat "$work/arvo.out" >&2; exit 1; }
    local live recording file
    live=$(share_over_window)
    file=$("$vcam" record start) || { echo "the recording did not start: $file" >&2; return 1; }
    recording=$(share_over_window)
    "$vcam" record stop >/dev/null
    # Quitting waits for the file's end, if the stop has not written it yet.
    stop
    printf 'live view alone: CPU %s%% of one core; recording: %s%% (%s)\n' "$live" "$recording" \
        "$(awk -v a="$recording" -v b="$live" 'BEGIN {if (b > 0) printf "%.2fx", a / b}')"
    if command -v ffprobe >/dev/null; then
        echo "    $(basename "$file"): $(ffprobe -v error -count_frames -show_entries \
            stream=codec_name,width,height,nb_read_frames -of compact=p=0 "$file" | tr '\n' ' ')"
    fi
}
recording_figures
