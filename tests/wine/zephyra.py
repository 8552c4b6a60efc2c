"""Driving the running program in a World through the probe (tools/probe)."""

import os
import subprocess
import time

PROGRAM = "Zephyra.exe"
PROGRAM_FILES = ("bin/Zephyra.exe", "bin/probe.exe")


def gbk(hex_text):
    return bytes.fromhex(hex_text).decode("gbk")


class Probe:
    def __init__(self, world):
        self.world = world

    def run(self, *args, timeout=60, check=True):
        result = self.world.wine(["probe.exe"] + [str(a) for a in args], timeout=timeout,
                                 check=False)
        out = result.stdout.decode("ascii", "replace").strip()
        if check and result.returncode != 0:
            raise AssertionError("probe %s failed (%d): %s" % (args, result.returncode, out))
        return out

    def wait_window(self, ms=30000):
        return self.run("window", ms, timeout=ms / 1000 + 30)

    def lists(self):
        """{"provider": {...}, "shared": {...}} with count, sel, text and items decoded."""
        lists = {}
        for line in self.run("lists").splitlines():
            name, *fields = line.split(" ")
            values = dict(f.split("=", 1) for f in fields)
            lists[name] = {
                "count": int(values["count"]), "sel": int(values["sel"]),
                "text": gbk(values["text"]),
                "items": [gbk(i) for i in values["items"].split(",")] if values["items"] else [],
            }
        return lists

    def message(self, answer="ok", ms=30000):
        """Waits for a message box, answers it; returns (title, text)."""
        out = self.run("message", answer, ms, timeout=ms / 1000 + 30)
        values = dict(f.split("=", 1) for f in out.split(" "))
        return gbk(values["title"]), gbk(values["text"])

    def no_message(self, ms=1500):
        result = self.world.wine(["probe.exe", "nomessage", str(ms)], timeout=ms / 1000 + 30,
                                 check=False)
        return result.returncode == 0

    def state(self):
        return dict((k, int(v)) for k, v in (f.split("=") for f in self.run("state").split()))


def start(world):
    """Starts the program from its folder and waits for its window."""
    process = world.start([PROGRAM])
    Probe(world).wait_window()
    return process


def wait_exit(process, seconds=30):
    deadline = time.time() + seconds
    while process.poll() is None and time.time() < deadline:
        time.sleep(0.1)
    return process.poll()
