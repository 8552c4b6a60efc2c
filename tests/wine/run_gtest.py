"""Runs a cross-built GoogleTest program under Wine in a world of its own.

usage: run_gtest.py TEST.exe [OTHER.exe ...]   (paths relative to the win64 build tree)
The programs are installed into C:\\Zephyra, which is their current directory."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import world  # noqa: E402

world.enter_namespace()


def main():
    test_program, *others = sys.argv[1:]
    with world.World(os.path.splitext(os.path.basename(test_program))[0]) as w:
        w.install(test_program, *others)
        result = w.wine([os.path.basename(test_program)], timeout=240, check=False)
        sys.stdout.write(result.stdout.decode("utf-8", "replace"))
        sys.stderr.write(result.stderr.decode("utf-8", "replace")[-4000:])
        return result.returncode


if __name__ == "__main__":
    sys.exit(main())
