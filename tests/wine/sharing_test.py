"""Share and unshare end to end: the real window, real adapters with connection names, the
fake netsh in the program's folder and the stand-in of the sharing scripting object in the
prefix. The chain the share button sets going (the shell opens StartShare.vbs, wscript runs
cmd, cmd runs the batch file, cscript runs the sharing script) runs by itself; the test only
waits for the stand-in to log the switches."""

import os
import sys
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools", "fake_cmd"))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools", "fake_ics"))
import fake_ics  # noqa: E402
import fake_log  # noqa: E402
import world  # noqa: E402
import zephyra  # noqa: E402

world.enter_namespace()

# "本地连接 2" holds the provider's name as a part: only a whole-name comparison keeps it
# apart from the provider and disables it.
LOCAL, LOCAL_2, HOSTED = "本地连接", "本地连接 2", "无线网络连接 2"
ADAPTERS = [(LOCAL, "zlan0"), (LOCAL_2, "zlan1"), (HOSTED, "zwifi0")]

PROVIDER_LIST, SHARED_LIST = (105, 137), (105, 164)
BUTTONS = {"share": (345, 125), "unshare": (367, 233)}

SCRIPT, BATCH, LAUNCHER = "Share.vbs", "Share.bat", "StartShare.vbs"
LAUNCHER_BYTES = (b'Set oShell = WScript.CreateObject ("WSCript.shell")\r\n'
                  b'oshell.run "cmd.exe /c C:\\Windows\\Share.bat",vbhide')
UNWRITABLE = "无法写入共享脚本文件，请以管理员身份运行！"
CHAIN_SECONDS = 60

# Each action writes the three files in this order and stops at the first it cannot write.
# Running as root, Wine writes over a read-only file, so a folder of the file's name stands
# in for a file the user may not write.
FILES = (SCRIPT, BATCH, LAUNCHER)
UNWRITABLE_CASES = [("share", SCRIPT), ("share", BATCH), ("share", LAUNCHER),
                    ("unshare", SCRIPT)]


def batch_line(shared, provider, switch):
    line = 'cscript /nologo C:\\Windows\\Share.vbs "%s" "%s" "%s"' % (shared, provider, switch)
    return line.encode("gbk")


def netsh_line(name, state):
    """As netsh receives it: Wine's cmd hands on the line break the program ends it with."""
    return ('netsh interface set interface "%s" "%s"\r\n' % (name, state)).encode("gbk")


class SharingTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.world = world.World("sharing", adapters=ADAPTERS)
        w = cls.world.__enter__()
        cls.addClassCleanup(cls.world.__exit__, None, None, None)
        w.install(*zephyra.PROGRAM_FILES, "bin/netsh.exe", "bin/write_sharing_script.exe")
        w.wine(["write_sharing_script.exe", r"C:\expected_share.vbs"])
        with open(w.file("expected_share.vbs"), "rb") as f:
            cls.script_bytes = f.read()
        fake_ics.register(w)
        cls.program = zephyra.start(w)
        cls.probe = zephyra.Probe(w)

    def setUp(self):
        self.reset()

    def reset(self):
        fake_ics.write_state(self.world, [fake_ics.connection(n) for n, _ in ADAPTERS])
        fake_log.clear(self.world.program_dir)
        for name in (SCRIPT, BATCH, LAUNCHER):
            self.release(name)

    def release(self, name):
        path = self.world.file("windows", name)
        if os.path.isdir(path):
            os.rmdir(path)
        elif os.path.exists(path):
            os.remove(path)

    def choose(self, provider, shared):
        self.probe.run("settext", *PROVIDER_LIST, provider.encode("gbk").hex())
        self.probe.run("settext", *SHARED_LIST, shared.encode("gbk").hex())

    def click(self, button):
        self.probe.run("click", *BUTTONS[button])
        return self.probe.message("ok")

    def windows_file(self, name):
        with open(self.world.file("windows", name), "rb") as f:
            return f.read()

    def netsh_lines(self):
        """The recorded netsh command lines; nothing else may have run."""
        calls = fake_log.read_calls(self.world.program_dir)
        self.assertEqual({c.program for c in calls} - {"netsh"}, set())
        return [c.command_line for c in calls]

    def wait_for_switches(self, expected):
        """Waits for the chain to log the expected switches; answers what it logged."""
        deadline = time.time() + CHAIN_SECONDS
        while time.time() < deadline:
            if fake_ics.switches(self.world) == expected:
                break
            time.sleep(0.25)
        return fake_ics.switches(self.world)

    def sharing_state(self):
        return {c["Name"]: (c["SharingEnabled"], c["SharingConnectionType"])
                for c in fake_ics.read_state(self.world)["connections"]}

    def check_files(self, switch):
        self.assertEqual(self.windows_file(SCRIPT), self.script_bytes)
        self.assertEqual(self.windows_file(BATCH), batch_line(HOSTED, LOCAL, switch))
        self.assertEqual(self.windows_file(LAUNCHER), LAUNCHER_BYTES)
        self.assertEqual(len(LAUNCHER_BYTES), 104)

    def test_share_then_unshare_through_the_whole_chain(self):
        self.assertEqual(self.probe.lists()["provider"]["items"],
                         [name + "\r\n" for name, _ in ADAPTERS])
        self.choose(LOCAL, HOSTED)
        self.assertEqual(self.click("share"), ("恭喜您：", "共享网络成功！"))
        self.assertEqual(self.netsh_lines(), [
            netsh_line(LOCAL_2, "disabled"),
            netsh_line(LOCAL, "enabled"), netsh_line(LOCAL_2, "enabled"),
            netsh_line(HOSTED, "enabled")])
        self.check_files("on")
        shared = ["config[%s].EnableSharing(0)" % LOCAL, "config[%s].EnableSharing(1)" % HOSTED]
        self.assertEqual(self.wait_for_switches(shared), shared)
        self.assertEqual(self.sharing_state(),
                         {LOCAL: ("1", "0"), LOCAL_2: ("0", "0"), HOSTED: ("1", "1")})

        fake_log.clear(self.world.program_dir)
        os.remove(self.world.file(fake_ics.FOLDER, "calls.log"))
        self.assertEqual(self.click("unshare"), ("恭喜您：", "取消共享成功！"))
        self.assertEqual(self.netsh_lines(), [])
        self.check_files("off")
        unshared = ["config[%s].DisableSharing" % LOCAL, "config[%s].DisableSharing" % HOSTED]
        self.assertEqual(self.wait_for_switches(unshared), unshared)
        self.assertEqual(self.sharing_state(),
                         {LOCAL: ("0", "0"), LOCAL_2: ("0", "0"), HOSTED: ("0", "1")})

    def test_unwritable_file_is_reported_and_nothing_runs(self):
        self.choose(LOCAL, HOSTED)
        for button, blocked in UNWRITABLE_CASES:
            with self.subTest(button=button, blocked=blocked):
                self.reset()
                os.mkdir(self.world.file("windows", blocked))
                self.assertEqual(self.click(button), ("提醒：", UNWRITABLE))
                self.assertEqual(self.netsh_lines(), [])
                present = [n for n in FILES if os.path.isfile(self.world.file("windows", n))]
                self.assertEqual(present, list(FILES[:FILES.index(blocked)]))


if __name__ == "__main__":
    unittest.main(verbosity=2)
