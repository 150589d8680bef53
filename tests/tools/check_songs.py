#!/usr/bin/python3
"""Reads every generated song with Debian's mido and checks what the game's player relies on.

Usage: check_songs.py ASSET_DIR [--dump FILE]
With --dump, prints one song's events in the canonical form the unit tests also produce.
"""
import sys

import mido


def events(path):
    """Every track's events as (absolute tick, kind, values) tuples, end-of-track included."""
    song = mido.MidiFile(path)
    tracks = []
    for track in song.tracks:
        now, out = 0, []
        for msg in track:
            now += msg.time
            if msg.type == "set_tempo":
                out.append((now, "tempo", msg.tempo))
            elif msg.type == "end_of_track":
                out.append((now, "end"))
            elif msg.is_meta:
                out.append((now, "meta"))
            else:
                out.append((now, "midi") + tuple(msg.bytes()))
        tracks.append(out)
    return song, tracks


def check(path, failures):
    song, tracks = events(path)
    name = path.rsplit("/", 1)[-1]

    def fail(text):
        failures.append(f"{name}: {text}")

    if song.type != 1:
        fail(f"format {song.type}, expected 1")
    if len(tracks) < 4:
        fail(f"only {len(tracks)} tracks")
    tempos = [e for e in tracks[0] if e[1] == "tempo"]
    ends = {t[-1][0] for t in tracks}
    if len(ends) != 1:
        fail(f"tracks end at different ticks {sorted(ends)}")
    loop = max(ends)
    for i, t in enumerate(tracks):
        if t[-1][1] != "end":
            fail(f"track {i} does not end with end-of-track")
        if len(t) < 2 or t[-2][0] != loop:
            fail(f"track {i}: the last event before the end is not at the loop point {loop}")
    bar = tempos[1][0] - tempos[0][0] if len(tempos) > 1 else 0
    if bar <= 0 or any(b[0] - a[0] != bar for a, b in zip(tempos, tempos[1:])) or tempos[-1][0] != loop:
        fail("tempo events do not stand at every bar up to the loop point")
    seconds = sum(mido.tick2second(bar, song.ticks_per_beat, e[2]) for e in tempos[:-1]) if bar else 0
    if not 30 <= seconds <= 90:
        fail(f"loop lasts {seconds:.1f} s")
    programs = [e for t in tracks for e in t if e[1] == "midi" and e[2] & 0xF0 == 0xC0]
    drums = [e for t in tracks for e in t if e[1] == "midi" and e[2] == 0x99]
    if not programs:
        fail("no program changes")
    if not drums:
        fail("no drums on channel 10")
    notes = [e for t in tracks for e in t if e[1] == "midi" and e[2] & 0xF0 == 0x90 and e[4] > 0]
    if len(notes) < 100:
        fail(f"only {len(notes)} notes")
    return loop


def dump(path):
    _, tracks = events(path)
    for i, t in enumerate(tracks):
        for e in t:
            print(i, *e)


def main():
    if len(sys.argv) == 4 and sys.argv[2] == "--dump":
        dump(sys.argv[3])
        return 0
    folder = sys.argv[1]
    failures = []
    bodies = set()
    for n in range(14):
        path = f"{folder}/m{n:02x}.dat"
        check(path, failures)
        with open(path, "rb") as f:
            bodies.add(f.read())
    if len(bodies) != 14:
        failures.append(f"only {len(bodies)} distinct songs")
    for f in failures:
        print(f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
