#!/usr/bin/env python3
"""Writes the demo game's sounds, MIDI tune and video into a game folder.

Everything is synthesised here from fixed random seeds, so every run writes the same sound
files; the video is drawn and encoded by the ffmpeg tool (from its colour and box filters).
All files are small: 8-bit 11 kHz for the long loops, 16-bit 22 kHz for the short clicks.

    python3 tools/demo/make_demo_sounds.py games/demo
"""
import math
import os
import random
import struct
import subprocess
import sys
import wave


def write_wav(path, rate, samples, bits):
    """samples: floats in -1..1, mono."""
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(bits // 8)
        w.setframerate(rate)
        if bits == 8:
            data = bytes(max(0, min(255, int(128 + 127 * s))) for s in samples)
        else:
            data = b"".join(struct.pack("<h", max(-32767, min(32767, int(32767 * s)))) for s in samples)
        w.writeframes(data)


def low_pass(noise, amount):
    out, v = [], 0.0
    for n in noise:
        v += amount * (n - v)
        out.append(v)
    return out


def sea(rate=11025, seconds=4.0):
    """Surf: filtered noise swelling twice, so the loop joins without a seam."""
    rnd = random.Random(7)
    count = int(rate * seconds)
    noise = low_pass([rnd.uniform(-1, 1) for _ in range(count)], 0.18)
    return [0.9 * n * (0.35 + 0.65 * math.sin(math.pi * 2 * i / count) ** 2)
            for i, n in enumerate(noise)]


def harbour(rate=11025, seconds=4.0):
    """Water lapping against boards: dull noise with soft knocks, and a gull-like creak."""
    rnd = random.Random(11)
    count = int(rate * seconds)
    noise = low_pass([rnd.uniform(-1, 1) for _ in range(count)], 0.06)
    out = []
    for i, n in enumerate(noise):
        t = i / rate
        knock = math.exp(-((t % 1.0) * 14)) * math.sin(2 * math.pi * 90 * t)
        creak = 0.0
        if 2.2 < t < 2.6:
            creak = 0.25 * math.sin(2 * math.pi * (700 + 300 * (t - 2.2)) * t) * math.sin(math.pi * (t - 2.2) / 0.4)
        out.append(1.6 * n + 0.35 * knock + creak)
    return out


def click(rate=22050):
    """A short dry pick-up click."""
    rnd = random.Random(3)
    count = int(rate * 0.06)
    return [0.7 * rnd.uniform(-1, 1) * math.exp(-i / (rate * 0.008)) for i in range(count)]


def clunk(rate=22050):
    """A heavy lever: a low thud and a short rattle."""
    rnd = random.Random(5)
    count = int(rate * 0.3)
    out = []
    for i in range(count):
        t = i / rate
        thud = math.sin(2 * math.pi * 70 * t) * math.exp(-t * 18)
        rattle = rnd.uniform(-1, 1) * 0.3 * math.exp(-((t - 0.12) ** 2) / 0.001)
        out.append(0.8 * thud + rattle)
    return out


def midi_tune():
    """A slow sea shanty phrase on a music box (General MIDI program 10)."""
    melody = [(62, 1), (67, 1), (67, 1), (69, 1), (71, 2), (69, 1), (67, 1), (64, 2), (62, 2),
              (62, 1), (64, 1), (67, 1), (69, 1), (71, 2), (67, 2)]
    ticks = 240  # an eighth note at 480 ticks per quarter

    def vlq(value):
        out = [value & 0x7F]
        value >>= 7
        while value:
            out.insert(0, 0x80 | (value & 0x7F))
            value >>= 7
        return bytes(out)

    track = bytes([0x00, 0xFF, 0x51, 0x03]) + (600000).to_bytes(3, "big")  # 100 beats a minute
    track += bytes([0x00, 0xC0, 10])
    for key, length in melody:
        track += bytes([0x00, 0x90, key, 90]) + vlq(ticks * length) + bytes([0x80, key, 0])
    track += bytes([0x00, 0xFF, 0x2F, 0x00])
    return (b"MThd" + struct.pack(">IHHH", 6, 0, 1, 480) + b"MTrk" +
            struct.pack(">I", len(track)) + track)


def video(path):
    """The lamp lighting: the beam sweeping over the dark sea above the tower, with a low hum."""
    scene = ("color=c=0x0a1430:s=320x240:r=10:d=3[sky];"
             "color=c=0xffd870:s=24x120:r=10:d=3[beam];"
             "color=c=0xd0d0c8:s=28x70:r=10:d=3[tower];"
             "[sky][beam]overlay=x='150+140*sin(t*2.1)':y=60[lit];"
             "[lit][tower]overlay=x=148:y=170[v]")
    subprocess.run(["ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error", "-y",
                    "-filter_complex", scene,
                    "-f", "lavfi", "-i", "sine=frequency=110:duration=3:sample_rate=11025",
                    "-map", "[v]", "-map", "0:a",
                    "-c:v", "msvideo1", "-c:a", "pcm_u8", "-ac", "1", "-fflags", "+bitexact",
                    "-flags:v", "+bitexact", path], check=True)


def main():
    if len(sys.argv) != 2:
        print("usage: make_demo_sounds.py GAME_FOLDER", file=sys.stderr)
        return 2
    root = sys.argv[1]
    write_wav(os.path.join(root, "Areas", "sea.wav"), 11025, sea(), 8)
    write_wav(os.path.join(root, "Areas", "harbour.wav"), 11025, harbour(), 8)
    write_wav(os.path.join(root, "Frames", "click.wav"), 22050, click(), 16)
    write_wav(os.path.join(root, "Frames", "clunk.wav"), 22050, clunk(), 16)
    with open(os.path.join(root, "Areas", "lamp.mid"), "wb") as f:
        f.write(midi_tune())
    video(os.path.join(root, "Frames", "beam.avi"))
    print("wrote the sounds, the tune and the video into %s" % root)
    return 0


if __name__ == "__main__":
    sys.exit(main())
