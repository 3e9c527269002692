#!/usr/bin/env python3
"""Writes the seed inputs of the fuzz targets: a few small inputs each that
reach the cases worth starting from. Inputs that libFuzzer finds and that
are worth keeping go beside them under their own names; running this again
rewrites only the seeds named here."""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
MARKER = -1000.0
NAN = float("nan")
INF = float("inf")


def floats(*values):
    return struct.pack("<%df" % len(values), *values)


def write(target, name, data):
    folder = os.path.join(HERE, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def real_chunk():
    """What the effect writes: the parameters, then the meters it keeps."""
    slots = [0.0] * 64
    slots[0:3] = [1.0, 2.0, 2.0]
    for slot, value in {30: 1.25, 31: 0.5, 32: 0.5, 33: 0.75, 34: 0.25, 35: 0.75,
                        40: 0.6, 41: 0.4, 42: 1.5}.items():
        slots[slot - 1] = value
    return floats(MARKER, *slots)


def chunk_restore():
    t = "chunk_restore"
    write(t, "real_chunk", real_chunk())
    write(t, "marker_only", floats(MARKER))
    write(t, "foreign_marker", floats(-999.0) + real_chunk()[4:])
    write(t, "marker_and_two_values", floats(MARKER, 1.0, 1.0))
    write(t, "odd_size_6", floats(MARKER) + b"\x00\x00")
    write(t, "odd_size_263", real_chunk() + b"\x01\x02\x03")
    write(t, "three_bytes", b"\x00\x00\x7a")
    write(t, "empty", b"")
    write(t, "nan_marker", floats(NAN, 1.0))
    write(t, "not_finite_values",
          floats(MARKER, NAN, INF, -INF, -3.4e38, 3.4e38, 1.5, -0.0, 1e-45))
    write(t, "longer_than_the_state", floats(MARKER, *[float(i) for i in range(100)]))


# Parameter actions: set parameter, restore sliders, program name, process
# block, re-open, resume.
SET, RESTORE, NAME, PROCESS, REOPEN, RESUME = range(6)


def set_parameter(index_selector, value):
    return bytes([SET, index_selector]) + floats(value)


def parameter():
    t = "parameter"
    write(t, "stepping", b"".join(set_parameter(1, v) for v in (0.24, 0.25, 0.75, 1.0, 0.0)))
    write(t, "not_finite_and_outside",
          b"".join(set_parameter(i, v) for i in (0, 1, 2) for v in (NAN, INF, -INF, -1.0, 2.0, 1e-45)))
    write(t, "indices_outside", b"".join(set_parameter(i, 1.0) for i in (6, 7, 8, 9, 10)))
    write(t, "restored_any_float",
          bytes([RESTORE]) + floats(NAN, 3.4e38, -2.5) + set_parameter(0, 1.0) + set_parameter(1, 0.5)
          + bytes([RESTORE]) + floats(1.5, -INF, 1e-45) + bytes([PROCESS, 200]))
    write(t, "program_names",
          bytes([NAME, 40]) + b"A program name far longer than the host's" [:40]
          + bytes([NAME, 5]) + b"ab\x00cd" + bytes([NAME, 0]))
    write(t, "open_resume_process",
          set_parameter(0, 1.0) + bytes([PROCESS, 0, REOPEN, RESUME, PROCESS, 255]) + set_parameter(2, 0.9))


FLAG_DOUBLE, FLAG_IN_PLACE, FLAG_TIME = 1, 2, 4
NO_CHANGE, HOST_VALUE, CHUNK_VALUE = range(3)


def audio(flags=0, rate=48000.0, params=(0.0, 0.0, 0.0), time=(120.0, 0.0, 4, 4, 0),
          blocks=((512, NO_CHANGE, 0, 0.0),), samples=b""):
    head = struct.pack("<Bf3fddiii", flags, rate, *params, *time)
    head += bytes([len(blocks) - 1])
    for frames, change, parameter, value in blocks:
        head += struct.pack("<HBBf", frames, change, parameter, value)
    return head + samples


def tone(count, scale=0.8):
    return floats(*[scale * math.sin(i * 0.05) for i in range(count)])


def audio_path():
    t = "audio_path"
    write(t, "plain", audio(samples=tone(256)))
    write(t, "auto_width_full_scale",
          audio(params=(1.0, 2.0, 2.0),
                blocks=((1, NO_CHANGE, 0, 0.0), (64, HOST_VALUE, 1, 0.0), (512, CHUNK_VALUE, 2, 1.0),
                        (4096, HOST_VALUE, 0, 0.0)),
                samples=floats(*[1.0, -1.0, 0.9, 1.0] * 32)))
    write(t, "double_extremes",
          audio(flags=FLAG_DOUBLE | FLAG_IN_PLACE, params=(1.0, 1.0, 1.0),
                blocks=((1024, NO_CHANGE, 0, 0.0),),
                samples=struct.pack("<6d", 1.7e308, -1.7e308, 1e-310, -1e-310, 0.0, 1.0)))
    for name, rate in (("rate_zero", 0.0), ("rate_nan", NAN), ("rate_infinite", INF),
                       ("rate_negative", -44100.0), ("rate_huge", 3.4e38), ("rate_subnormal", 1e-40)):
        write(t, name, audio(rate=rate, params=(1.0, 0.0, 2.0), samples=tone(64)))
    write(t, "parameters_not_finite",
          audio(params=(NAN, INF, 1.5),
                blocks=((256, HOST_VALUE, 0, NAN), (256, CHUNK_VALUE, 0, 1.0), (256, CHUNK_VALUE, 2, -INF)),
                samples=tone(128, 3.4e38)))
    write(t, "host_time_odd",
          audio(flags=FLAG_TIME, time=(NAN, INF, -2**31, 0, -1), samples=tone(32)))
    write(t, "empty_and_negative_blocks",
          audio(blocks=((0, NO_CHANGE, 0, 0.0), (0x8000 | 5, HOST_VALUE, 0, 1.0), (0xffff, NO_CHANGE, 0, 0.0))))


if __name__ == "__main__":
    chunk_restore()
    parameter()
    audio_path()
