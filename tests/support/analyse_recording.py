#!/usr/bin/env python3
"""Measures what a recording of the test sink heard while music played.

    analyse_recording.py RECORDING.raw SCENARIO PLAY_MS FILE_SOUND_MS

Used by the music probe's runs (tests/music/music_e2e.sh) and by the full
saver's (tests/e2e/saver_music_test.sh), both recording through
sink_recording.sh. PLAY_MS is how long the music was meant to sound, from
its start to its stop; 0 when the caller cannot tell, which skips the check
that the sound ended with the stop.

The recording is raw signed 16-bit little-endian mono at 44100 Hz. It is cut
into 50 ms windows; a window sounds when its RMS level is above -40 dBFS
(the test tones are at about -10 dBFS, the null sink's silence is digital
zero). Runs of sounding windows with gaps under 150 ms are one segment.
Times are printed relative to the start of the recording.

Scenarios (FILE_SOUND_MS is how long the file itself sounds):
  mp3  a file that sounds FILE_SOUND_MS and then is silent for a while: it is
       heard once whole, then again whole after its end (the repeat check
       restarted it from the beginning), and nothing follows the stop.
  wav  a file of FILE_SOUND_MS that loops: heard without a break for several
       times its length, and nothing follows the stop.
  cd   no sound at all.
Exits 1 with the reasons when a check fails.
"""
import array
import math
import sys

RATE = 44100
WINDOW = RATE // 20  # 50 ms
THRESHOLD_DB = -40.0
MERGE_GAP_S = 0.15
STOP_LATENCY_S = 0.6  # from the stop command to silence at the sink's monitor
QUIET_AFTER_STOP_S = 1.2


def windows_db(samples):
    levels = []
    for start in range(0, len(samples) - WINDOW + 1, WINDOW):
        chunk = samples[start:start + WINDOW]
        rms = math.sqrt(sum(s * s for s in chunk) / WINDOW) / 32768.0
        levels.append(20 * math.log10(rms) if rms > 0 else -120.0)
    return levels


def segments(levels):
    found = []
    for i, db in enumerate(levels):
        if db <= THRESHOLD_DB:
            continue
        t0, t1 = i * 0.05, (i + 1) * 0.05
        if found and t0 - found[-1][1] < MERGE_GAP_S:
            found[-1][1] = t1
        else:
            found.append([t0, t1])
    return found


def main():
    path, scenario, play_ms, file_ms = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
    samples = array.array("h")
    with open(path, "rb") as f:
        samples.frombytes(f.read())
    if sys.byteorder != "little":
        samples.byteswap()
    length_s = len(samples) / RATE
    levels = windows_db(samples)
    found = segments(levels)
    play_s, file_s = play_ms / 1000.0, file_ms / 1000.0
    print(f"recording {length_s:.2f} s, loudest window {max(levels, default=-120):.1f} dBFS")
    for t0, t1 in found:
        print(f"  sound {t0:6.2f} .. {t1:6.2f} s ({t1 - t0:.2f} s)")

    failures = []
    if scenario == "cd":
        if found:
            failures.append("the sink was not silent")
    else:
        if not found:
            print("FAIL: nothing was heard")
            return 1
        onset, last_end = found[0][0], found[-1][1]
        if onset < 0.2:
            failures.append("the recording did not start before the music")
        if play_s > 0 and last_end > onset + play_s + STOP_LATENCY_S:
            failures.append(f"sound went on {last_end - onset - play_s:.2f} s after the stop")
        if length_s - last_end < QUIET_AFTER_STOP_S:
            failures.append(f"only {length_s - last_end:.2f} s of silence after the stop")
        if scenario == "mp3":
            failures += check_mp3(found, file_s)
        elif scenario == "wav":
            failures += check_wav(found, file_s, play_s)
    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print("OK")
    return 1 if failures else 0


def check_mp3(found, file_s):
    failures = []
    if len(found) < 2:
        return ["the file was heard only once"]
    # Only these two are sure to be whole: a later one may be cut by the stop.
    for name, (t0, t1) in (("first", found[0]), ("second", found[1])):
        if abs((t1 - t0) - file_s) > 0.3:
            failures.append(f"the {name} play sounded {t1 - t0:.2f} s, not the file's {file_s:.2f} s")
    return failures


def check_wav(found, file_s, play_s):
    onset, end = found[0][0], found[-1][1]
    heard = sum(t1 - t0 for t0, t1 in found)
    failures = []
    if len(found) > 1:
        failures.append(f"the loop broke off {len(found) - 1} time(s)")
    if heard < 2.5 * file_s or end - onset < play_s - 0.5:
        failures.append(f"heard {heard:.2f} s of a {file_s:.2f} s file in {play_s:.2f} s: no loop")
    return failures


if __name__ == "__main__":
    sys.exit(main())
