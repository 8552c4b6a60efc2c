"""The fake netsh, sc and net under Wine: one record per run holding the exact command
line, line breaks included, and the exit code that fake_exit.ini gives."""

import os
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "..", "tests", "wine"))
import fake_log  # noqa: E402
import world  # noqa: E402

Call = fake_log.Call


class FakeCommandsTest(unittest.TestCase):
    def test_records_each_run_exactly_and_exits_as_told(self):
        with world.World("fake_cmd", display=False) as w:
            w.install("bin/netsh.exe", "bin/sc.exe", "bin/net.exe")
            fake_log.set_exit_codes(w.program_dir, {"netsh": 1, "net": 2})
            # Wine's cmd hands a line feed inside a /c text on to the program.
            runs = [("netsh wlan start hostednetwork", 1), ("sc config  MpsSvc start= AUTO", 0),
                    ("net start  MpsSvc", 2), ("netsh a\nnet b", 1)]
            codes = [w.wine(["cmd", "/c", line], check=False).returncode for line, _ in runs]
            self.assertEqual(codes, [code for _, code in runs])
            self.assertEqual(fake_log.read_calls(w.program_dir), [
                Call("netsh", b"netsh wlan start hostednetwork"),
                Call("sc", b"sc config  MpsSvc start= AUTO"),
                Call("net", b"net start  MpsSvc"),
                Call("netsh", b"netsh a\nnet b"),
            ])
            calls = fake_log.read_calls(w.program_dir)
            self.assertEqual(fake_log.arguments(calls[1]), b"config  MpsSvc start= AUTO")

            fake_log.clear(w.program_dir)
            os.remove(os.path.join(w.program_dir, fake_log.EXIT_CODES_NAME))
            self.assertEqual(w.wine(["cmd", "/c", "netsh x"], check=False).returncode, 0)
            self.assertEqual(fake_log.read_calls(w.program_dir), [Call("netsh", b"netsh x")])


if __name__ == "__main__":
    unittest.main()
