#!/usr/bin/python3
# Prints the merged channel and tempo events of Standard MIDI Files as mido reads them. For each file a line
# "file NAME", then one line per event, "absolute_tick event_word", the word as the stream would carry it
# (tempo: 0x01 in the top byte), or "refused" when mido cannot read the file. mido's own iterator drops
# end-of-track and converts to seconds, so the tracks are merged here by absolute tick, the earlier track
# first on equal ticks.
import os
import sys

import mido


def events_of(path):
    song = mido.MidiFile(path)
    events = []
    for index, track in enumerate(song.tracks):
        tick = 0
        for order, message in enumerate(track):
            tick += message.time
            if message.type == "set_tempo":
                events.append((tick, index, order, (1 << 24) | message.tempo))
            elif not message.is_meta and message.type != "sysex":
                raw = message.bytes()
                word = raw[0] | (raw[1] << 8 if len(raw) > 1 else 0) | (raw[2] << 16 if len(raw) > 2 else 0)
                events.append((tick, index, order, word))
    events.sort(key=lambda e: (e[0], e[1], e[2]))
    return events


for path in sys.argv[1:]:
    print("file", os.path.basename(path))
    try:
        for tick, _, _, word in events_of(path):
            print(tick, word)
    except Exception:  # mido refuses the file
        print("refused")
