"""What the fake netsh, sc and net (fake_cmd.cpp) recorded, and how to set their exit codes.

Each run of a fake appends one line to fake_commands.log in the folder it runs from:
    <program> <the bytes of its GetCommandLineA(), in hex>\\r\\n
so a command line that holds line breaks stays one record.

    calls = fake_log.read_calls(world.program_dir)
    assert [c.program for c in calls] == ["netsh"]
    fake_log.set_exit_codes(world.program_dir, {"netsh": 1})
"""

import collections
import os

LOG_NAME = "fake_commands.log"
EXIT_CODES_NAME = "fake_exit.ini"
PROGRAMS = ("netsh", "sc", "net")

# program: "netsh", "sc" or "net"; command_line: the raw bytes the fake was started with.
Call = collections.namedtuple("Call", "program command_line")


def read_calls(program_dir):
    """Every recorded run, in order; [] when nothing ran."""
    path = os.path.join(program_dir, LOG_NAME)
    if not os.path.exists(path):
        return []
    with open(path, "rb") as log:
        text = log.read()
    if text and not text.endswith(b"\r\n"):
        raise ValueError("%s: last record is cut off" % path)
    calls = []
    for line in text.split(b"\r\n")[:-1]:
        program, space, hexed = line.partition(b" ")
        if not space or program.decode("ascii") not in PROGRAMS:
            raise ValueError("%s: not a record: %r" % (path, line))
        calls.append(Call(program.decode("ascii"), bytes.fromhex(hexed.decode("ascii"))))
    return calls


def arguments(call):
    """The command line without its first token (the program, quoted or not) and the
    blanks after it: b"netsh  wlan start" gives b"wlan start"."""
    line = call.command_line
    if line.startswith(b'"'):
        end = line.find(b'"', 1)
        rest = line[end + 1:] if end >= 0 else b""
    else:
        cut = [i for i in (line.find(b" "), line.find(b"\t")) if i >= 0]
        rest = line[min(cut):] if cut else b""
    return rest.lstrip(b" \t")


def clear(program_dir):
    """Forgets the recorded runs."""
    path = os.path.join(program_dir, LOG_NAME)
    if os.path.exists(path):
        os.remove(path)


def set_exit_codes(program_dir, codes):
    """codes: {"netsh": 1, ...}; a program not named exits with 0."""
    lines = ["[exit]"] + ["%s=%d" % (name, code) for name, code in codes.items()]
    with open(os.path.join(program_dir, EXIT_CODES_NAME), "w", newline="") as ini:
        ini.write("\r\n".join(lines) + "\r\n")
