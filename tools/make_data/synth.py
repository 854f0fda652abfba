#!/usr/bin/env python3
"""Synthesises every sound that debaclock ships (standard library only).

    synth.py cues OUTDIR         writes the short effects as 16-bit mono WAV:
                                 warn.wav, timeout.wav, overtime.wav,
                                 zf.wav, ff.wav, vic.wav, and the bells
                                 bell1.wav .. bell3.wav (one to three rings)
    synth.py music NAME OUT.wav  writes one music piece as a 16-bit stereo WAV
                                 (NAME: result or ceremony); make_data.sh then
                                 adds reverb with sox and encodes it with lame.

All output is deterministic: the noise sources use fixed seeds, so running the
generator twice gives byte-identical files.
"""

import math
import random
import struct
import sys
import wave

RATE = 44100
TWO_PI = 2.0 * math.pi


# ---------------------------------------------------------------- helpers

def midi_hz(note):
    return 440.0 * 2.0 ** ((note - 69) / 12.0)


class Track:
    """A stereo (or mono) float buffer that notes are mixed into."""

    def __init__(self, seconds, stereo=False):
        n = int(seconds * RATE) + 1
        self.left = [0.0] * n
        self.right = [0.0] * n if stereo else None

    def __len__(self):
        return len(self.left)

    def add(self, start_s, samples, gain=1.0, pan=0.0):
        """Mixes `samples` in at `start_s`; pan -1 (left) .. +1 (right)."""
        i0 = int(start_s * RATE)
        n = min(len(samples), len(self.left) - i0)
        if n <= 0:
            return
        if self.right is None:
            buf = self.left
            for i in range(n):
                buf[i0 + i] += gain * samples[i]
            return
        angle = (pan + 1.0) * math.pi / 4.0   # constant-power pan
        gl, gr = gain * math.cos(angle), gain * math.sin(angle)
        lb, rb = self.left, self.right
        for i in range(n):
            s = samples[i]
            lb[i0 + i] += gl * s
            rb[i0 + i] += gr * s


def note(freq, dur, partials, attack=0.01, tau=None, release=0.08,
         bright_decay=0.0, vibrato=0.0, vib_rate=5.0, detune=0.0):
    """One note as a list of samples.

    partials      [(ratio, amplitude), ...] of the fundamental `freq`
    attack        linear rise in seconds
    tau           exponential decay time constant (None: sustained)
    release       linear fade after `dur`
    bright_decay  extra decay per partial number (higher partials die sooner)
    vibrato       depth as a fraction of the frequency
    detune        a second, slightly detuned copy (cents) for a chorus effect
    """
    total = dur + release
    n = int(total * RATE)
    out = [0.0] * n
    copies = [1.0] if not detune else [2.0 ** (-detune / 1200.0), 2.0 ** (detune / 1200.0)]
    for k, (ratio, amp) in enumerate(partials):
        if ratio * freq * copies[-1] >= RATE / 2.2:
            continue  # keep below Nyquist
        for c in copies:
            f = freq * ratio * c
            w = TWO_PI * f / RATE
            phase = 0.0
            extra = bright_decay * k
            a = amp / len(copies)
            vib_w = TWO_PI * vib_rate / RATE
            for i in range(n):
                t = i / RATE
                env = a
                if extra:
                    env *= math.exp(-t * extra)
                if vibrato:
                    # the vibrato fades in after the attack
                    depth = vibrato * min(1.0, t / 0.25)
                    phase += w * (1.0 + depth * math.sin(vib_w * i))
                else:
                    phase += w
                out[i] += env * math.sin(phase)
    # amplitude envelope
    for i in range(n):
        t = i / RATE
        e = min(1.0, t / attack) if attack > 0 else 1.0
        if tau:
            e *= math.exp(-t / tau)
        if t > dur:
            e *= max(0.0, 1.0 - (t - dur) / release) if release > 0 else 0.0
        out[i] *= e
    return out


def noise_burst(dur, seed, tau, highpass=True, tone_hz=0.0, tone_amp=0.0):
    """A short noise hit (hi-hat, snare) with an optional body tone."""
    rnd = random.Random(seed)
    n = int(dur * RATE)
    out = [0.0] * n
    prev = 0.0
    w = TWO_PI * tone_hz / RATE
    for i in range(n):
        t = i / RATE
        x = rnd.uniform(-1.0, 1.0)
        y = x - prev if highpass else x
        prev = x
        s = 0.5 * y
        if tone_amp:
            s += tone_amp * math.sin(w * i)
        out[i] = s * math.exp(-t / tau) * min(1.0, t / 0.002)
    return out


def kick(dur=0.25, f0=110.0, f1=45.0):
    n = int(dur * RATE)
    out = [0.0] * n
    phase = 0.0
    for i in range(n):
        t = i / RATE
        f = f1 + (f0 - f1) * math.exp(-t / 0.04)
        phase += TWO_PI * f / RATE
        out[i] = math.sin(phase) * math.exp(-t / 0.09) * min(1.0, t / 0.003)
    return out


def fades(samples, fade_in=0.005, fade_out=0.02):
    n = len(samples)
    a = max(1, int(fade_in * RATE))
    b = max(1, int(fade_out * RATE))
    for i in range(min(a, n)):
        samples[i] *= i / a
    for i in range(min(b, n)):
        samples[n - 1 - i] *= i / b


def normalise(channels, peak=0.891):  # -1 dBFS
    top = max(max(abs(x) for x in ch) for ch in channels)
    if top > 0:
        g = peak / top
        for ch in channels:
            for i in range(len(ch)):
                ch[i] *= g


def write_wav(path, channels):
    nch = len(channels)
    n = len(channels[0])
    frames = bytearray()
    pack = struct.Struct('<h').pack
    for i in range(n):
        for ch in channels:
            v = int(round(ch[i] * 32767.0))
            frames += pack(max(-32768, min(32767, v)))
    with wave.open(path, 'wb') as w:
        w.setnchannels(nch)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(bytes(frames))


def trim_tail(samples, threshold=1e-4, keep=0.01):
    """Drops the silent end of a sound, keeping `keep` seconds after it."""
    top = max(abs(x) for x in samples) or 1.0
    last = len(samples) - 1
    while last > 0 and abs(samples[last]) < threshold * top:
        last -= 1
    return samples[:min(len(samples), last + int(keep * RATE))]


# ----------------------------------------------------------- instruments

SINE = [(1, 1.0)]
SOFT_BEEP = [(1, 1.0), (2, 0.12), (3, 0.04)]
BELL = [(1, 1.0), (2.0, 0.55), (2.76, 0.42), (4.07, 0.25), (5.40, 0.16), (6.80, 0.08)]
BRASS = [(k, 1.0 / k) for k in range(1, 11)]
PIANO = [(1, 1.0), (2, 0.45), (3, 0.22), (4, 0.12), (5, 0.06), (6, 0.03)]
FLUTE = [(1, 1.0), (2, 0.18), (3, 0.07)]
STRINGS = [(k, 0.9 / k ** 1.3) for k in range(1, 8)]
BASS = [(1, 1.0), (2, 0.35), (3, 0.1)]
GLOCK = [(1, 1.0), (2.76, 0.3), (5.40, 0.12), (8.93, 0.05)]
MARIMBA = [(1, 1.0), (3.93, 0.25), (9.6, 0.05)]


def brass(freq, dur, amp=1.0):
    return scaled(note(freq, dur, BRASS, attack=0.035, tau=None, release=0.12,
                       bright_decay=1.2, vibrato=0.004), amp)


def scaled(samples, g):
    return [x * g for x in samples] if g != 1.0 else samples


def mono_mix(total, events):
    """events: (start_s, samples, gain)."""
    t = Track(total)
    for start, s, g in events:
        t.add(start, s, g)
    return t.left


# ------------------------------------------------------------------ cues

def cue_warn():
    """Time is short: two soft, high 'ding-ding' beeps."""
    f = midi_hz(88)  # E6
    beep = note(f, 0.13, SOFT_BEEP, attack=0.006, tau=0.25, release=0.07)
    s = mono_mix(0.52, [(0.0, beep, 1.0), (0.22, beep, 1.0)])
    return s


def cue_timeout():
    """Time is up: a bell chord struck from the top down (C6 G5 E5 C5)."""
    events = []
    for k, m in enumerate([84, 79, 76, 72]):
        bell = note(midi_hz(m), 1.2 - 0.1 * k, BELL, attack=0.002, tau=0.45,
                    release=0.15, bright_decay=1.5)
        events.append((0.11 * k, bell, 1.0 - 0.08 * k))
    return mono_mix(1.45, events)


def cue_overtime():
    """Over the limit: a rapid buzzer pulse (12 pulses per second)."""
    f = 220.0
    dur = 0.9
    n = int(dur * RATE)
    out = [0.0] * n
    odd = [(k, 1.0 / k) for k in range(1, 10, 2)]
    for k, a in odd:
        w = TWO_PI * f * k / RATE
        for i in range(n):
            out[i] += a * math.sin(w * i)
    period = RATE / 12.0
    for i in range(n):
        pos = (i % period) / period
        gate = 1.0 if pos < 0.55 else 0.0
        # soften the gate edges (3 ms) so the pulses do not click
        edge = 0.003 * RATE / period
        if pos < edge:
            gate = pos / edge
        elif 0.55 <= pos < 0.55 + edge:
            gate = 1.0 - (pos - 0.55) / edge
        out[i] *= gate
    return out


def cue_affirmative():
    """Affirmative score: a bright rising C-major brass arpeggio."""
    notes = [(0.00, 72, 0.14), (0.15, 76, 0.14), (0.30, 79, 0.14), (0.45, 84, 0.75)]
    events = [(t, brass(midi_hz(m), d), 0.8) for t, m, d in notes]
    # the held top note gets its chord underneath
    for m in (72, 76, 79):
        events.append((0.45, brass(midi_hz(m), 0.75), 0.35))
    events.append((0.45, note(midi_hz(96), 0.6, GLOCK, attack=0.002, tau=0.3, release=0.1), 0.25))
    return mono_mix(1.45, events)


def cue_negative():
    """Negative score: a warmer F-major call with a turn (C-A-C-F) in brass and bells."""
    notes = [(0.00, 60, 0.12), (0.13, 57, 0.12), (0.26, 60, 0.18), (0.46, 65, 0.75)]
    events = []
    for t, m, d in notes:
        events.append((t, brass(midi_hz(m), d), 0.8))
        events.append((t, note(midi_hz(m + 12), d, BELL, attack=0.002, tau=0.3,
                               release=0.2, bright_decay=1.0), 0.3))
    for m in (57, 60, 65):
        events.append((0.46, brass(midi_hz(m - 12 if m == 65 else m), 0.75), 0.3))
    return mono_mix(1.5, events)


def cue_victory():
    """Winner: a longer triumphant flourish ending on a full C-major chord."""
    events = []
    trip = 0.11
    # triplet pickups on G, then the leap up
    seq = [(0.0, 67, trip * 0.9), (trip, 67, trip * 0.9), (2 * trip, 67, trip * 0.9),
           (3 * trip, 72, 0.32), (3 * trip + 0.36, 67, 0.12), (3 * trip + 0.5, 72, 0.12),
           (3 * trip + 0.64, 76, 0.12), (3 * trip + 0.78, 79, 0.3),
           (3 * trip + 1.12, 76, 0.14), (3 * trip + 1.28, 79, 0.14)]
    for t, m, d in seq:
        events.append((t, brass(midi_hz(m), d), 0.8))
    end = 3 * trip + 1.46
    hold = 1.55
    for m in (48, 60, 64, 67, 72, 76, 84):
        events.append((end, brass(midi_hz(m), hold), 0.3 if m < 84 else 0.45))
    # glockenspiel sparkle over the final chord
    for k, m in enumerate([84, 88, 91, 96, 100]):
        events.append((end + 0.07 * k, note(midi_hz(m), 0.5, GLOCK, attack=0.002,
                                             tau=0.35, release=0.2), 0.18))
    # timpani roll under the chord
    for k in range(18):
        t = end + k * 0.07
        g = 0.12 + 0.25 * (k / 17.0)
        events.append((t, note(midi_hz(43), 0.25, [(1, 1.0), (1.5, 0.3), (2.0, 0.15)],
                               attack=0.003, tau=0.12, release=0.05), g))
    events.append((end + 1.26, kick(0.5, 90, 40), 0.6))
    return mono_mix(end + hold + 0.4, events)


def cue_bell(rings):
    """A point of a speech: one clear handbell strike (A5) per ring, 0.42 s apart."""
    strike = note(midi_hz(81), 0.55, BELL, attack=0.0015, tau=0.3, release=0.12,
                  bright_decay=2.0)
    return mono_mix(0.42 * (rings - 1) + 0.7, [(0.42 * k, strike, 1.0) for k in range(rings)])


def make_cues(outdir):
    cues = {
        'warn.wav': cue_warn,
        'timeout.wav': cue_timeout,
        'overtime.wav': cue_overtime,
        'zf.wav': cue_affirmative,
        'ff.wav': cue_negative,
        'vic.wav': cue_victory,
        'bell1.wav': lambda: cue_bell(1),
        'bell2.wav': lambda: cue_bell(2),
        'bell3.wav': lambda: cue_bell(3),
    }
    for name, fn in cues.items():
        s = trim_tail(fn())
        fades(s, 0.004, 0.03)
        normalise([s])
        write_wav(f'{outdir}/{name}', [s])


# ----------------------------------------------------------------- music

def chord_notes(root, quality):
    third = 3 if quality == 'm' else 4
    return [root, root + third, root + 7]


def piece_result():
    """Background music of the result announcement: D major, 100 bpm, 12 bars.

    Broken-chord piano, a bass line, a soft flute-like melody and light drums;
    the last bar leads back into the first, so the piece loops without a seam.
    """
    beat = 0.6
    bar = 4 * beat
    chords = [(62, ''), (57, ''), (59, 'm'), (55, ''), (62, ''), (57, ''), (55, ''), (57, ''),
              (59, 'm'), (55, ''), (57, ''), (62, '')]
    melody = [
        [(0, 1, 78), (1, .5, 76), (1.5, .5, 74), (2, 1, 69), (3, 1, 74)],
        [(0, 1.5, 76), (1.5, .5, 73), (2, 1, 69), (3, 1, 76)],
        [(0, 1, 78), (1, .5, 74), (1.5, .5, 78), (2, 1, 81), (3, 1, 78)],
        [(0, 1.5, 79), (1.5, .5, 78), (2, 1, 76), (3, 1, 74)],
        [(0, 1.5, 81), (1.5, .5, 78), (2, 1, 74), (3, 1, 78)],
        [(0, 1, 76), (1, 1, 73), (2, 1, 76), (3, 1, 81)],
        [(0, 1, 83), (1, .5, 81), (1.5, .5, 79), (2, 1, 78), (3, 1, 76)],
        [(0, 3, 76)],
        [(0, 1, 74), (1, 1, 78), (2, 1.5, 83), (3.5, .5, 81)],
        [(0, 1.5, 79), (1.5, .5, 78), (2, 1, 76), (3, 1, 79)],
        [(0, 1, 78), (1, 1, 76), (2, 1, 73), (3, 1, 76)],
        [(0, 3.5, 74)],
    ]
    total = len(chords) * bar + 0.3
    tr = Track(total, stereo=True)
    for b, (root, q) in enumerate(chords):
        t0 = b * bar
        tones = chord_notes(root, q)
        # broken chord in eighths: 1 5 3 5 8 5 3 5 (an octave up in places)
        pattern = [tones[0], tones[2], tones[1] + 12, tones[2], tones[0] + 12,
                   tones[2], tones[1] + 12, tones[2]]
        for k, m in enumerate(pattern):
            s = note(midi_hz(m), beat * 0.5, PIANO, attack=0.004, tau=0.55,
                     release=0.35, bright_decay=0.8)
            tr.add(t0 + k * beat * 0.5, s, 0.16 if k % 2 else 0.2, pan=-0.35)
        # bass on beats 1 and 3 (root, then fifth)
        for k, m in ((0, root - 12), (2, root - 5)):
            s = note(midi_hz(m), beat * 1.8, BASS, attack=0.01, tau=0.9, release=0.15)
            tr.add(t0 + k * beat, s, 0.42, pan=0.0)
        # soft sustained pad
        for m in tones:
            s = note(midi_hz(m), bar, STRINGS, attack=0.5, release=0.5, detune=7)
            tr.add(t0, s, 0.045, pan=0.45)
        # melody
        for start, dur, m in melody[b]:
            s = note(midi_hz(m), dur * beat * 0.95, FLUTE, attack=0.03, tau=2.5,
                     release=0.18, vibrato=0.006)
            tr.add(t0 + start * beat, s, 0.3, pan=0.25)
        # drums: kick on 1 and 3, snare-ish on 2 and 4, hats on eighths
        for k in (0, 2):
            tr.add(t0 + k * beat, kick(), 0.38)
        for k in (1, 3):
            tr.add(t0 + k * beat, noise_burst(0.16, 1000 + b * 8 + k, 0.045, highpass=False,
                                              tone_hz=190, tone_amp=0.5), 0.13, pan=0.1)
        for k in range(8):
            tr.add(t0 + k * beat * 0.5, noise_burst(0.05, 2000 + b * 8 + k, 0.012),
                   0.07 if k % 2 else 0.1, pan=0.4)
    return tr


def piece_ceremony():
    """Award-ceremony music: a stately C-major fanfare at 84 bpm, 10 bars.

    Brass melody over brass chords, a string pad, timpani and glockenspiel.
    """
    beat = 60.0 / 84.0
    bar = 4 * beat
    chords = [[(0, 4, 60, '')], [(0, 4, 65, '')], [(0, 4, 55, '')], [(0, 4, 60, '')],
              [(0, 4, 57, 'm')], [(0, 4, 53, '')], [(0, 4, 55, '')], [(0, 4, 60, '')],
              [(0, 2, 53, ''), (2, 2, 55, '')], [(0, 4, 60, '')]]
    melody = [
        [(0, .75, 67), (.75, .25, 67), (1, 1, 72), (2, 1, 76), (3, 1, 79)],
        [(0, 1.5, 81), (1.5, .5, 79), (2, 1, 77), (3, 1, 81)],
        [(0, 1.5, 79), (1.5, .5, 77), (2, 1, 76), (3, 1, 74)],
        [(0, .75, 76), (.75, .25, 74), (1, 1, 72), (2, 2, 67)],
        [(0, .75, 69), (.75, .25, 71), (1, 1, 72), (2, 1, 76), (3, 1, 81)],
        [(0, .75, 81), (.75, .25, 79), (1, 1, 77), (2, 1, 72), (3, 1, 77)],
        [(0, 1, 74), (1, 1.5, 79), (2.5, .5, 77), (3, 1, 74)],
        [(0, .75, 76), (.75, .25, 79), (1, 2, 84), (3, 1, 79)],
        [(0, 1, 81), (1, 1, 84), (2, 1, 83), (3, 1, 79)],
        [(0, 3.6, 84)],
    ]
    total = len(chords) * bar + 0.6
    tr = Track(total, stereo=True)
    for b in range(len(chords)):
        t0 = b * bar
        for start, length, root, q in chords[b]:
            tones = chord_notes(root, q)
            ts = t0 + start * beat
            span = length * beat
            # brass chords in half notes (the last bar holds)
            halves = [0.0] if b == len(chords) - 1 or length == 2 else [0.0, 2 * beat]
            hold = span if len(halves) == 1 else 2 * beat
            for h in halves:
                for m in tones:
                    s = brass(midi_hz(m), hold * 0.92)
                    tr.add(ts + h, s, 0.085, pan=-0.3)
            # string pad
            for m in tones + [tones[0] + 12]:
                s = note(midi_hz(m), span, STRINGS, attack=0.35, release=0.45, detune=8)
                tr.add(ts, s, 0.05, pan=0.4)
            # bass
            s = note(midi_hz(root - 12), span * 0.9, BASS, attack=0.02, tau=1.6, release=0.2)
            tr.add(ts, s, 0.38)
        # timpani on 1 and 3 (root and fifth of the bar's first chord)
        root = chords[b][0][2]
        if b < len(chords) - 1:
            for k, m in ((0, root - 12), (2, root - 5)):
                s = note(midi_hz(m), 0.5, [(1, 1.0), (1.5, 0.35), (2.0, 0.2)],
                         attack=0.003, tau=0.3, release=0.1)
                tr.add(t0 + k * beat, s, 0.3)
        else:
            for k in range(30):   # closing roll
                g = 0.08 + 0.22 * (k / 29.0)
                s = note(midi_hz(root - 12), 0.2, [(1, 1.0), (1.5, 0.3), (2.0, 0.15)],
                         attack=0.003, tau=0.12, release=0.05)
                tr.add(t0 + k * 0.075, s, g)
            tr.add(t0 + 30 * 0.075, kick(0.6, 80, 38), 0.55)
        # melody in brass, doubled softly by glockenspiel on strong notes
        for start, dur, m in melody[b]:
            s = brass(midi_hz(m), dur * beat * 0.9)
            tr.add(t0 + start * beat, s, 0.3, pan=0.15)
            if dur >= 1:
                g = note(midi_hz(m + 12), 0.4, GLOCK, attack=0.002, tau=0.35, release=0.3)
                tr.add(t0 + start * beat, g, 0.07, pan=0.5)
    return tr


def make_music(name, path):
    tr = {'result': piece_result, 'ceremony': piece_ceremony}[name]()
    chans = [tr.left, tr.right]
    for ch in chans:
        fades(ch, 0.01, 0.25)
    normalise(chans, 0.8)
    write_wav(path, chans)


def main(argv):
    if len(argv) == 3 and argv[1] == 'cues':
        make_cues(argv[2])
    elif len(argv) == 4 and argv[1] == 'music':
        make_music(argv[2], argv[3])
    else:
        sys.stderr.write(__doc__)
        return 2
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
