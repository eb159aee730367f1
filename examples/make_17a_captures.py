#!/usr/bin/env python3
"""Writes captured router answers of a 17A VDSL2 line (about 400 m of cable)
as a terminal would save them: the HLog, QLN and SNR answers and the bins
listing (downstream, then upstream). Deterministic, so the files and the
snapshot built from them stay the same between runs.

    python3 examples/make_17a_captures.py tests/fixtures
    tonegraph-cli import --profile 17a --hlog tests/fixtures/line17a-hlog.txt \
        --qln tests/fixtures/line17a-qln.txt --snr tests/fixtures/line17a-snr.txt \
        --bins tests/fixtures/line17a-bins.txt -o examples/sample.draydata
"""
import math
import os
import random
import sys

TONES = 4096
GROUP = 8
SPACING_KHZ = 4.3125
PROMPT = "DrayTek> "

# 17A band plan 998ADE17: (first tone, last tone, direction)
BANDS = [(6, 32, "US"), (33, 859, "DS"), (860, 1205, "US"), (1206, 1971, "DS"),
         (1972, 2782, "US"), (2783, 4095, "DS")]


def direction_of(tone):
    for first, last, direction in BANDS:
        if first <= tone <= last:
            return direction
    return None


def attenuation_db(tone):
    mhz = tone * SPACING_KHZ / 1000.0
    return 3.0 + 11.5 * math.sqrt(mhz) + 0.6 * mhz


def hlog(tone, rnd):
    return -round(attenuation_db(tone) + rnd.uniform(-0.6, 0.6))


def qln(tone, rnd):
    if tone >= 3700 and rnd.random() < 0.3:
        return -150  # no measurement
    return -round(138 - 6 * math.exp(-tone / 300.0) + rnd.uniform(-1.5, 1.5))


def snr_db(tone, rnd):
    return max(0, round(58 - attenuation_db(tone) * 0.75 + rnd.uniform(-1.5, 1.5)))


def stat_lines(direction, value_of, rnd):
    """512 groups, eight per "bin=" line; groups outside the direction are empty."""
    lines = []
    for first in range(0, TONES // GROUP, 8):
        cells = []
        for group in range(first, first + 8):
            tone = group * GROUP + GROUP // 2
            if direction_of(tone) == direction:
                cells.append("%4d," % value_of(tone, rnd))
            else:
                cells.append("    ,")
        lines.append("bin=%4d: %s" % (first, " ".join(cells)))
    return lines


def stat_answer(command, title, unit, value_of, seed):
    rnd = random.Random(seed)
    lines = [PROMPT + command, " %s" % title, "  NumOfToneGroup :   512   512",
             "  GroupSize      :     %d     %d" % (GROUP, GROUP), " US: (%s)" % unit]
    lines += stat_lines("US", value_of, rnd)
    lines += ["", " DS: (%s)" % unit]
    lines += stat_lines("DS", value_of, rnd)
    lines += [PROMPT]
    return lines


def bins_listing(title, direction, rnd):
    lines = [title, "-" * 77,
             " Bin  SNR Gain Bi -  Bin  SNR Gain Bi -  Bin  SNR Gain Bi -  Bin  SNR Gain Bi",
             "       dB .1dB ts -        dB .1dB ts -        dB .1dB ts -        dB .1dB ts",
             "---- ---- ---- -- - ---- ---- ---- -- - ---- ---- ---- -- - ---- ---- ---- --"]
    for first in range(0, TONES, 4):
        cells = []
        for tone in range(first, first + 4):
            if direction_of(tone) == direction:
                snr = snr_db(tone, rnd)
                bits = max(0, min(15, round((snr - 9.8) / 3.01)))
                gain = rnd.choice([-19, 0, 0, 15]) if bits else 0
            else:
                snr, gain, bits = 0, 0, 0
            cells.append("%4d %4d %4d %2d" % (tone, snr, gain, bits))
        lines.append(" *  ".join(cells))
    return lines


def write(path, lines):
    with open(path, "w", newline="") as out:
        out.write("\r\n".join(lines) + "\r\n")


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "."
    os.makedirs(folder, exist_ok=True)
    write(os.path.join(folder, "line17a-hlog.txt"),
          stat_answer("vdsl status hlog", "HLOG (Channel Characteristics Function)", "dB", hlog, 1))
    write(os.path.join(folder, "line17a-qln.txt"),
          stat_answer("vdsl status qln", "QLN (Quiet Line Noise)", "dBm/Hz", qln, 2))
    write(os.path.join(folder, "line17a-snr.txt"),
          stat_answer("vdsl status snr", "SNR (Signal to Noise Ratio)", "dB", snr_db, 3))
    rnd = random.Random(4)
    bins = [PROMPT + "vdsl showbins"] + bins_listing("DOWNSTREAM :", "DS", rnd)
    bins += [PROMPT, PROMPT + "vdsl showbins up"] + bins_listing("UPSTREAM :", "US", rnd) + [PROMPT]
    write(os.path.join(folder, "line17a-bins.txt"), bins)


if __name__ == "__main__":
    main()
