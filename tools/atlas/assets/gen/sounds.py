"""Sound effects and the top-ten tune, synthesised in code so that every
rebuild gives byte-identical files (no recorder, no dither, no timestamps)."""

import math
import struct
import wave

RATE = 22050


class Lcg:
    """Small fixed-seed noise source: the rattle must sound the same after
    every rebuild, so no system randomness is used."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def next(self):
        self.state = (self.state * 1664525 + 1013904223) & 0xFFFFFFFF
        return self.state / 2147483648.0 - 1.0


def write_wav(path, samples):
    """Mono 16-bit PCM; samples are floats in -1..1 and are clipped."""
    frames = bytearray()
    for s in samples:
        v = int(round(max(-1.0, min(1.0, s)) * 32767))
        frames += struct.pack("<h", v)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(bytes(frames))


def fade_edges(samples, ms=4):
    """Short linear fade at both ends so that playback starts and stops
    without a click."""
    n = min(len(samples) // 2, int(RATE * ms / 1000))
    for i in range(n):
        g = i / n
        samples[i] *= g
        samples[-1 - i] *= g
    return samples


def right_answer():
    """Bright two-note chime, rising a fourth: short and unmistakably 'right'."""
    dur = 0.26
    out = []
    for i in range(int(RATE * dur)):
        t = i / RATE
        s = 0.0
        for start, freq in ((0.0, 1567.98), (0.07, 2093.0)):
            if t >= start:
                u = t - start
                env = min(1.0, u / 0.003) * math.exp(-u / 0.06)
                s += env * (math.sin(2 * math.pi * freq * u)
                            + 0.3 * math.sin(2 * math.pi * 2 * freq * u))
        out.append(0.42 * s)
    return fade_edges(out)


def wrong_answer():
    """Dry rattle: a train of noise clicks over a low buzz that dies away."""
    dur = 0.36
    noise = Lcg(11)
    out = []
    click_period = 1 / 32.0
    for i in range(int(RATE * dur)):
        t = i / RATE
        phase = (t % click_period) / click_period
        click = math.exp(-phase * 9.0)
        overall = math.exp(-t / 0.16)
        buzz = 1.0 if math.sin(2 * math.pi * 98.0 * t) >= 0 else -1.0
        out.append(overall * (1.1 * click * noise.next() + 0.12 * buzz))
    # A one-pole low pass takes the hiss off the noise so it rattles, not hisses.
    y = 0.0
    for i, s in enumerate(out):
        y += 0.5 * (s - y)
        out[i] = y * 1.3
    return fade_edges(out)


def page_chosen():
    """Soft plop: a sine whose pitch falls quickly, with a fast decay."""
    dur = 0.13
    out = []
    phase = 0.0
    for i in range(int(RATE * dur)):
        t = i / RATE
        freq = 180.0 + 420.0 * math.exp(-t / 0.025)
        phase += 2 * math.pi * freq / RATE
        env = min(1.0, t / 0.002) * math.exp(-t / 0.035)
        out.append(0.5 * env * math.sin(phase))
    return fade_edges(out)


# --- MIDI ----------------------------------------------------------------

TICKS = 480          # ticks per quarter note
TEMPO_US = 400000    # 150 quarter notes a minute


def varlen(n):
    """Variable-length quantity of the standard MIDI file format."""
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.append(0x80 | (n & 0x7F))
        n >>= 7
    return bytes(reversed(out))


def tune_notes():
    """(start in beats, length in beats, channel, key, velocity).
    A short fanfare in C major: trumpet melody, piano chords, a bass line and
    a cymbal on the last chord."""
    e = 0.5
    melody = [
        (0.0, e, 67), (0.5, e, 72), (1.0, e, 76), (1.5, e, 79),
        (2.0, 1.0, 76), (3.0, e, 79), (3.5, e, 81),
        (4.0, e, 79), (4.5, e, 77), (5.0, e, 76), (5.5, e, 74),
        (6.0, 2.0, 84),
    ]
    notes = [(s, d, 0, k, 100) for s, d, k in melody]
    chords = [(0.0, 2.0, (60, 64, 67)), (2.0, 2.0, (60, 65, 69)),
              (4.0, 2.0, (59, 62, 67)), (6.0, 2.0, (60, 64, 67, 72))]
    for s, d, keys in chords:
        notes += [(s, d, 1, k, 70) for k in keys]
    bass = [(0.0, 48), (1.0, 55), (2.0, 53), (3.0, 57), (4.0, 43), (5.0, 47), (6.0, 36)]
    notes += [(s, 1.0 if s < 6 else 2.0, 2, k, 90) for s, k in bass]
    notes.append((6.0, 2.0, 9, 49, 90))   # crash cymbal on the last chord
    return notes


def midi_file():
    programs = {0: 56, 1: 0, 2: 32}       # trumpet, piano, acoustic bass
    events = []  # (tick, order, bytes): note-offs sort before note-ons
    for ch, prog in sorted(programs.items()):
        events.append((0, 0, bytes([0xC0 | ch, prog])))
    for s, d, ch, key, vel in tune_notes():
        on = int(round(s * TICKS))
        off = int(round((s + d) * TICKS)) - 10
        events.append((on, 2, bytes([0x90 | ch, key, vel])))
        events.append((off, 1, bytes([0x80 | ch, key, 64])))
    events.sort(key=lambda ev: (ev[0], ev[1], ev[2]))
    track = bytearray()
    track += b"\x00\xff\x51\x03" + TEMPO_US.to_bytes(3, "big")
    track += b"\x00\xff\x58\x04\x04\x02\x18\x08"       # 4/4
    now = 0
    for tick, _, data in events:
        track += varlen(tick - now) + data
        now = tick
    track += varlen(TICKS // 2) + b"\xff\x2f\x00"       # let the last chord ring
    header = b"MThd" + struct.pack(">IHHH", 6, 0, 1, TICKS)
    return header + b"MTrk" + struct.pack(">I", len(track)) + bytes(track)


def build(out_dir):
    write_wav(f"{out_dir}/Plopp4.WAV", right_answer())
    write_wav(f"{out_dir}/Rassel11.WAV", wrong_answer())
    write_wav(f"{out_dir}/Plopp.WAV", page_chosen())
    with open(f"{out_dir}/good.mid", "wb") as f:
        f.write(midi_file())
