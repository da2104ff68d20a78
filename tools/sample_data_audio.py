"""The music and effect sounds of the sample data, synthesised from note lists.

Loop points: the game's streamed music player loops the section from the loop
start to the loop end that the sound reader reports, and the readers report the
whole file (loop start 0, loop end = the length in samples) because nothing in
the game sets other points. So every looping track here IS its loop: it is
rendered into a circular buffer of an exact number of bars, the tails of notes
that ring past the end are added at the start, and the end joins the start
without a click. The jingle is the one piece meant to play once.

Music is mono 22,050 Hz Ogg Vorbis (oggenc at a low quality with a fixed serial
number); effect sounds are 16-bit mono WAV. Noise comes from fixed seeds, so the
WAV files are the same on every run.

Levels: the mixer adds every playing sound at full scale (the default volumes
attenuate nothing) and clips the sum, so the sounds are mastered with headroom.
The music peaks at MUSIC_PEAK (the story's at STORY_MUSIC_PEAK, under the
voices); each effect sound has its own peak, and the battle's sounds together,
all started in one frame, peak below 1 - MUSIC_PEAK: the densest moment of a
battle cannot clip over its music. Their attacks are staggered by a few
milliseconds of fade-in, as a struck note's would be, so that the clicks do not
all peak on the same sample.
"""

import os
import subprocess
import tempfile
import wave

import numpy as np

RATE = 22050
MUSIC_PEAK = 0.3
STORY_MUSIC_PEAK = 0.25
NOTE = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def pitch(name):
    """'A4' -> 440 Hz; '#' or 'b' after the letter."""
    semitone = NOTE[name[0]]
    rest = name[1:]
    if rest[0] == "#":
        semitone, rest = semitone + 1, rest[1:]
    elif rest[0] == "b":
        semitone, rest = semitone - 1, rest[1:]
    midi = 12 * (int(rest) + 1) + semitone
    return 440.0 * 2 ** ((midi - 69) / 12)


def envelope(count, attack, decay):
    t = np.arange(count) / RATE
    env = np.exp(-t / decay) if decay > 0 else np.ones(count)
    a = max(1, int(attack * RATE))
    env[:a] *= np.linspace(0, 1, a)
    env[-min(count, 200):] *= np.linspace(1, 0, min(count, 200))
    return env


def tone(freq, seconds, kind):
    count = int(seconds * RATE)
    t = np.arange(count) / RATE
    phase = 2 * np.pi * freq * t
    if kind == "pluck":
        wave_ = np.sin(phase) + 0.35 * np.sin(2 * phase) + 0.12 * np.sin(3 * phase)
        return 0.5 * wave_ * envelope(count, 0.004, 0.35)
    if kind == "bell":
        wave_ = np.sin(phase) + 0.4 * np.sin(2.76 * phase) + 0.2 * np.sin(5.4 * phase)
        return 0.4 * wave_ * envelope(count, 0.002, 0.6)
    if kind == "pad":
        wave_ = np.sin(phase) + np.sin(phase * 1.004) + 0.3 * np.sin(2 * phase)
        return 0.18 * wave_ * envelope(count, min(0.3, seconds / 3), 0) * np.linspace(1, 0.6, count)
    if kind == "bass":
        wave_ = 2 / np.pi * np.arcsin(np.sin(phase))
        return 0.55 * wave_ * envelope(count, 0.005, 0.5)
    if kind == "lead":
        wave_ = np.sign(np.sin(phase)) * 0.4 + np.sin(phase) * 0.6
        vibrato = 1 + 0.004 * np.sin(2 * np.pi * 5 * t)
        wave_ = np.sin(phase * vibrato) * 0.7 + 0.3 * wave_
        return 0.32 * wave_ * envelope(count, 0.01, 0.8)
    raise ValueError(kind)


def drum(kind, rng):
    if kind == "kick":
        count = int(0.25 * RATE)
        t = np.arange(count) / RATE
        freq = 50 + 90 * np.exp(-t * 30)
        return 0.9 * np.sin(2 * np.pi * np.cumsum(freq) / RATE) * np.exp(-t * 12)
    if kind == "snare":
        count = int(0.18 * RATE)
        t = np.arange(count) / RATE
        return (0.45 * rng.uniform(-1, 1, count) + 0.3 * np.sin(2 * np.pi * 190 * t)) * np.exp(-t * 22)
    count = int(0.05 * RATE)  # hat
    noise = rng.uniform(-1, 1, count)
    noise = np.diff(noise, prepend=0)
    return 0.18 * noise * np.exp(-np.arange(count) / RATE * 80)


class Loop:
    """A circular buffer of whole bars; notes that ring past the end wrap to the start."""

    def __init__(self, bpm, bars, seed, beats=4):
        self.beat = 60.0 / bpm
        self.length = int(round(bars * beats * self.beat * RATE))
        self.buffer = np.zeros(self.length)
        self.rng = np.random.default_rng(seed)

    def add(self, at_beat, sound, gain=1.0, wrap=True):
        start = int(round(at_beat * self.beat * RATE)) % self.length
        end = start + len(sound)
        if end <= self.length:
            self.buffer[start:end] += gain * sound
        elif wrap:
            first = self.length - start
            self.buffer[start:] += gain * sound[:first]
            rest = sound[first:]
            while len(rest):
                chunk = rest[:self.length]
                self.buffer[:len(chunk)] += gain * chunk
                rest = rest[self.length:]
        else:
            self.buffer[start:] += gain * sound[:self.length - start]

    def note(self, at_beat, name, beats, kind, gain=1.0):
        self.add(at_beat, tone(pitch(name), beats * self.beat + 0.3, kind), gain)

    def chord(self, at_beat, names, beats, kind, gain=1.0):
        for name in names:
            self.note(at_beat, name, beats, kind, gain / len(names) * 1.6)

    def drums(self, pattern, bars, gain=1.0):
        """pattern: one bar of 16 steps, 'k' kick, 's' snare, 'h' hat, '.' rest."""
        for bar in range(bars):
            for step, c in enumerate(pattern):
                if c != ".":
                    self.add(bar * 4 + step / 4, drum({"k": "kick", "s": "snare", "h": "hat"}[c], self.rng), gain)

    def samples(self, peak=MUSIC_PEAK):
        top = np.max(np.abs(self.buffer)) or 1.0
        return self.buffer * (peak / top)


def melody(loop, start, text, kind, gain=1.0):
    """'E5:1 G5:0.5 -:0.5 ...': note and length in beats; '-' is a rest."""
    at = start
    for item in text.split():
        name, beats = item.split(":")
        if name != "-":
            loop.note(at, name, float(beats), kind, gain)
        at += float(beats)
    return at


def progression(loop, chords, beats_each, kind, bass=True, gain=1.0, arpeggio=False):
    at = 0
    for names in chords:
        names = names.split()
        if arpeggio:
            for i in range(int(beats_each * 2)):
                loop.note(at + i * 0.5, names[i % len(names)], 0.6, "pluck", gain * 0.5)
        else:
            loop.chord(at, names, beats_each, kind, gain)
        if bass:
            root = names[0][:-1] + str(int(names[0][-1]) - 1)
            loop.note(at, root, beats_each * 0.5, "bass", 0.7)
            loop.note(at + beats_each / 2, root, beats_each * 0.5, "bass", 0.5)
        at += beats_each


def title_track():
    loop = Loop(92, 10, 1)  # 26 s
    chords = ["C4 E4 G4", "A3 C4 E4", "F3 A3 C4", "G3 B3 D4"] * 2 + ["F3 A3 C4", "G3 B3 D4"]
    progression(loop, chords, 4, "pad")
    progression(loop, chords, 4, "pad", bass=False, arpeggio=True, gain=0.8)
    theme = "E5:1 G5:1 C6:2 B5:1 G5:1 E5:2 A5:1 G5:1 F5:1 E5:1 D5:4 "
    melody(loop, 0, theme + "E5:1 G5:1 C6:2 D6:1 C6:1 B5:2 A5:1 B5:1 C6:2 G5:4 A5:2 F5:2 G5:2 B4:2", "bell")
    return loop


def story_calm_track():
    loop = Loop(72, 10, 2)  # 33 s
    chords = ["F3 A3 C4", "C4 E4 G4", "D4 F4 A4", "A3 C4 E4", "Bb3 D4 F4", "F3 A3 C4", "Bb3 D4 F4", "C4 E4 G4",
              "F3 A3 C4", "C4 E4 G4"]
    progression(loop, chords, 4, "pad", gain=0.9)
    progression(loop, chords, 4, "pad", bass=False, arpeggio=True, gain=0.6)
    melody(loop, 0, "A4:2 C5:2 G4:4 F4:2 A4:2 E4:4 F4:2 D5:2 C5:4 A4:2 G4:2 C5:4 A4:6 -:2 G4:4 F4:4", "pluck", 0.8)
    return loop


def story_tense_track():
    loop = Loop(110, 11, 3)  # 24 s
    chords = ["A3 C4 E4", "A3 C4 E4", "F3 A3 C4", "E3 G#3 B3"] * 2 + ["D4 F4 A4", "E3 G#3 B3", "A3 C4 E4"]
    progression(loop, chords, 4, "pad", gain=0.8)
    for bar in range(11):
        for i in range(8):
            loop.note(bar * 4 + i * 0.5, "A2" if bar % 4 < 2 else "F2", 0.4, "bass", 0.35)
    loop.drums("k.......k.......", 11, 0.6)
    melody(loop, 4, "E5:1.5 F5:0.5 E5:2 C5:2 B4:2 A4:4 -:4 E5:1.5 F5:0.5 G#5:2 B5:2 A5:6", "lead", 0.5)
    return loop


def reward_track():
    loop = Loop(100, 10, 4)  # 24 s
    chords = ["D4 F#4 A4", "B3 D4 F#4", "G3 B3 D4", "A3 C#4 E4"] * 2 + ["G3 B3 D4", "A3 C#4 E4"]
    progression(loop, chords, 4, "pad", gain=0.8)
    progression(loop, chords, 4, "pad", bass=False, arpeggio=True, gain=0.8)
    loop.drums("k...s...k.k.s...", 10, 0.5)
    melody(loop, 0, "F#5:1 A5:1 D6:2 C#6:1 B5:1 A5:2 G5:1 A5:1 B5:1 G5:1 E5:4 "
                    "F#5:1 A5:1 D6:2 E6:1 D6:1 C#6:2 B5:1 C#6:1 D6:2 A5:4 B5:2 G5:2 A5:2 C#5:2", "bell")
    return loop


def jingle_track():
    loop = Loop(120, 2, 5)  # 4 s, played once
    for i, name in enumerate(("C5", "E5", "G5", "C6")):
        loop.note(i * 0.5, name, 0.5, "bell")
    loop.chord(2, ["C5", "E5", "G5", "C6"], 4, "pad")
    loop.chord(2, ["C4", "G4", "E5"], 2, "pluck")
    loop.note(2, "C3", 2, "bass")
    return loop


def battle_track(variant):
    if variant == 1:
        loop = Loop(140, 18, 6)  # 31 s
        chords = ["A3 C4 E4", "F3 A3 C4", "G3 B3 D4", "E3 G#3 B3"] * 4 + ["F3 A3 C4", "E3 G#3 B3"]
        lead = ("A5:0.5 E5:0.5 A5:0.5 B5:0.5 C6:1 B5:1 A5:0.5 G5:0.5 F5:1 E5:2 G5:0.5 F5:0.5 E5:0.5 D5:0.5 "
                "E5:1 B4:1 E5:2 G#5:2 ")
        drums = "k.h.s.h.k.k.s.hh"
    else:
        loop = Loop(156, 18, 7)  # 28 s
        chords = ["D4 F4 A4", "Bb3 D4 F4", "C4 E4 G4", "A3 C#4 E4"] * 4 + ["Bb3 D4 F4", "A3 C#4 E4"]
        lead = ("D6:0.5 A5:0.5 F5:0.5 A5:0.5 D6:1 E6:1 F6:1 E6:0.5 D6:0.5 C6:2 Bb5:0.5 A5:0.5 G5:0.5 A5:0.5 "
                "C#6:1 E6:1 A5:2 -:2 ")
        drums = "k.hhs.h.k.hks.hh"
    progression(loop, chords, 4, "pad", bass=False, gain=0.6)
    for bar, names in enumerate(chords):
        root = names.split()[0]
        low = root[:-1] + str(int(root[-1]) - 2)
        for i in range(8):
            loop.note(bar * 4 + i * 0.5, low if i % 2 == 0 else root[:-1] + str(int(root[-1]) - 1), 0.45, "bass", 0.5)
    loop.drums(drums, 18, 0.8)
    at = 8
    while at < 18 * 4 - 8:
        at = melody(loop, at, lead, "lead", 0.55)
    return loop


# Path, track, serial number and peak.
MUSIC = [
    ("Sound/BGM/title.ogg", title_track, 101, MUSIC_PEAK),
    ("Sound/BGM/story_calm.ogg", story_calm_track, 102, STORY_MUSIC_PEAK),
    ("Sound/BGM/story_tense.ogg", story_tense_track, 103, STORY_MUSIC_PEAK),
    ("Sound/BGM/reward.ogg", reward_track, 104, STORY_MUSIC_PEAK),
    ("Sound/BGM/jingle.ogg", jingle_track, 105, STORY_MUSIC_PEAK),
    ("InGame/Sound/BGM/battle.ogg", lambda: battle_track(1), 106, MUSIC_PEAK),
    ("InGame/Sound/BGM/battle2.ogg", lambda: battle_track(2), 107, MUSIC_PEAK),
]


def write_wav(path, samples):
    data = np.clip(np.round(samples * 32767), -32768, 32767).astype("<i2").tobytes()
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(data)


def encode_ogg(path, samples, serial):
    with tempfile.TemporaryDirectory() as work:
        source = os.path.join(work, "track.wav")
        write_wav(source, samples)
        subprocess.run(["oggenc", "-Q", "-q", "0", "-s", str(serial), "-o", path, source], check=True)


# ---- effect sounds ------------------------------------------------------------------------------

def sweep(f0, f1, seconds, kind="sine", decay=0.0):
    count = int(seconds * RATE)
    freq = np.linspace(f0, f1, count)
    phase = 2 * np.pi * np.cumsum(freq) / RATE
    wave_ = np.sin(phase) if kind == "sine" else np.sign(np.sin(phase)) * 0.6
    return wave_ * envelope(count, 0.002, decay)


def noise(seconds, seed, decay, low=0.0):
    count = int(seconds * RATE)
    n = np.random.default_rng(seed).uniform(-1, 1, count)
    if low:  # a one-pole low-pass for rumble
        out = np.zeros(count)
        acc = 0.0
        for i in range(count):
            acc += low * (n[i] - acc)
            out[i] = acc
        n = out / (np.max(np.abs(out)) or 1)
    return n * envelope(count, 0.002, decay)


def notes(names, step, kind, ring=0.4):
    total = int((step * len(names) + ring) * RATE)
    out = np.zeros(total)
    for i, name in enumerate(names):
        t = tone(pitch(name), ring + step, kind)
        start = int(i * step * RATE)
        out[start:start + len(t)] += t[:total - start]
    return out


def fade_in(samples, ms):
    count = min(len(samples), int(ms / 1000 * RATE))
    out = samples.copy()
    out[:count] *= np.linspace(0, 1, count)
    return out


def effects():
    """Every effect sound: its path under Data and its samples, at its own peak."""
    # path: (samples, peak, fade-in in milliseconds)
    table = {
        "Logo/logo.wav": (notes(["G5", "C6", "E6"], 0.09, "bell", 0.8), 0.5, 0),
        "Sound/cursor.wav": (sweep(1800, 2200, 0.04, decay=0.02), 0.18, 0),
        "Sound/click.wav": (notes(["E6", "B6"], 0.035, "pluck", 0.08), 0.25, 0),
        "Sound/SE/door.wav": (np.concatenate([noise(0.35, 11, 0.2, low=0.05), 0.6 * sweep(90, 60, 0.25, decay=0.1)]),
                              0.3, 0),
        "Sound/SE/hit.wav": (noise(0.15, 12, 0.04, low=0.3) + sweep(200, 60, 0.15, decay=0.05), 0.3, 0),
        "Sound/SE/chime.wav": (notes(["E6", "C6", "D6", "G5"], 0.28, "bell", 1.2), 0.25, 0),
        "Sound/SE/wind.wav": (noise(2.0, 13, 0, low=0.02) * np.sin(np.linspace(0, np.pi, int(2.0 * RATE))), 0.25, 0),
        # The battle's sounds.
        "InGame/Sound/Common/chip.wav": (sweep(900, 1300, 0.05, decay=0.02), 0.17, 0),
        "InGame/Sound/Common/flag.wav": (sweep(600, 400, 0.07, "square", decay=0.04), 0.16, 8),
        "InGame/Sound/Common/mine.wav": (noise(0.45, 14, 0.15, low=0.12) + 0.7 * sweep(120, 40, 0.45, decay=0.15),
                                         0.18, 8),
        "InGame/Sound/Common/bomb.wav": (noise(0.9, 15, 0.35, low=0.06) + 0.8 * sweep(80, 30, 0.9, decay=0.3),
                                         0.22, 15),
        "InGame/Sound/Common/clear.wav": (notes(["C5", "E5", "G5", "C6", "E6", "G6"], 0.09, "bell", 0.9), 0.15, 20),
        "InGame/Sound/Common/over.wav": (notes(["G4", "F#4", "F4", "E4"], 0.3, "lead", 0.8), 0.15, 20),
        "InGame/Sound/Common/moffle.wav": (sweep(700, 1400, 0.08, decay=0.05) + sweep(1400, 900, 0.08, decay=0.05),
                                           0.08, 10),
        "InGame/Sound/Common/crisis.wav": (np.concatenate([sweep(440, 880, 0.12, "square", 0.2)] * 3), 0.1, 20),
        "InGame/Sound/Common/zenkesi.wav": (notes(["C6", "G6", "C7"], 0.07, "bell", 0.7), 0.12, 20),
        "InGame/Sound/Common/danger.wav": (np.concatenate([sweep(587, 587, 0.12, "square", 0.1),
                                                           np.zeros(int(0.06 * RATE))] * 2), 0.1, 20),
    }
    out = {}
    for name, (samples, peak, attack) in table.items():
        shaped = fade_in(samples, attack) if attack else samples
        out[name] = peak * shaped / (np.max(np.abs(shaped)) or 1)
    return out


def write_audio_data(folder):
    for name, samples in effects().items():
        path = os.path.join(folder, *name.split("/"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        write_wav(path, samples)
    for name, make, serial, peak in MUSIC:
        path = os.path.join(folder, *name.split("/"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        encode_ogg(path, make().samples(peak), serial)
