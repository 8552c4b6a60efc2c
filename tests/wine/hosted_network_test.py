"""The hosted network buttons end to end: the real window clicked through the probe, the
fake netsh, sc and net in the program's folder recording what reached them through cmd,
the messages as the user sees them and the account file byte for byte."""

import os
import sys
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools", "fake_cmd"))
import fake_log  # noqa: E402
import world  # noqa: E402
import zephyra  # noqa: E402

world.enter_namespace()

FAKES = ("bin/netsh.exe", "bin/sc.exe", "bin/net.exe")
NAME_BOX, KEY_BOX = (105, 35), (105, 62)
CREATE, START, STOP, REMOVE = (345, 23), (17, 233), (134, 233), (253, 233)

WARNING, SUCCESS = "提醒：", "恭喜您："
CREATED = "创建Zephyra成功！\r\n名称及密码信息保存在运行目录【Zephyra.txt】中。"
CREATE_FAILED = ("创建Zephyra失败！\r\n请以管理员身份运行，并确认无线网卡支持承载网络、"
                 "密码为8至63个字符。")
UNSAFE = "WiFi名称和密码不能包含双引号、百分号或换行符！"
START_FAILED = "启用WiFi失败！\r\n请先创建Zephyra，并确认无线网卡已打开。"

START_LINES = [b"netsh wlan start hostednetwork", b"sc config  MpsSvc start= AUTO",
               b"net start  MpsSvc"]
STOP_LINE = b"netsh wlan stop hostednetwork"
REMOVE_LINE = b"netsh wlan set hostednetwork mode=disallow"


def create_line(name, key):
    return ('netsh wlan set hostednetwork mode=allow ssid="%s" key="%s"' % (name, key)).encode("gbk")


def account_bytes(name, key):
    return ("[Zephyra帐户信息]\r\nWiFi名称　=　%s\r\nWiFi密码　=　%s\r\n" % (name, key)).encode("gbk")


class Session:
    """The running program in a World, with the fakes beside it."""

    def __init__(self, w):
        self.w = w
        w.install(*zephyra.PROGRAM_FILES, *FAKES)
        self.process = zephyra.start(w)
        self.probe = zephyra.Probe(w)
        self.account = os.path.join(w.program_dir, "Zephyra.txt")

    def type(self, box, text):
        self.probe.run("settext", box[0], box[1], text.encode("gbk").hex())

    def create(self, name, key):
        self.type(NAME_BOX, name)
        self.type(KEY_BOX, key)
        return self.click(CREATE)

    def click(self, button, answer="ok"):
        """Clicks a picture button; answers and returns its message."""
        fake_log.clear(self.w.program_dir)
        self.probe.run("click", *button)
        return self.probe.message(answer)

    def lines(self):
        return [c.command_line for c in fake_log.read_calls(self.w.program_dir)]

    def account_file(self):
        if not os.path.exists(self.account):
            return None
        with open(self.account, "rb") as f:
            return f.read()

    def wait_message_shown(self):
        # nomessage fails as soon as a box is up; the box stays unanswered.
        self.probe.run("nomessage", 30000, check=False, timeout=60)

    def wait_lists(self, predicate, seconds=20):
        deadline = time.time() + seconds
        while True:
            lists = self.probe.lists()
            if predicate(lists) or time.time() > deadline:
                return lists
            time.sleep(0.2)


class HostedNetworkTest(unittest.TestCase):
    def test_buttons_run_their_lines_and_create_writes_the_account(self):
        with world.World("hosted", adapters=[("本地连接", "zlan0")]) as w:
            s = Session(w)
            # The second create replaces both values; a space and "&" stay inside quotes.
            for name, key in (("ZephyraNet", "12345678"), ("我的 WiFi", "a&b c&&d")):
                with self.subTest(name=name, key=key):
                    self.assertEqual(s.create(name, key), (SUCCESS, CREATED))
                    self.assertEqual(s.lines(), [create_line(name, key)])
                    self.assertEqual(s.account_file(), account_bytes(name, key))
            for button, text, lines in ((START, "启用WiFi成功！", START_LINES),
                                        (STOP, "停用WiFi成功！", [STOP_LINE]),
                                        (REMOVE, "卸载WiFi成功！", [REMOVE_LINE])):
                with self.subTest(text=text):
                    self.assertEqual(s.click(button), (SUCCESS, text))
                    self.assertEqual(s.lines(), lines)

    def test_netsh_failing_is_reported_and_nothing_follows(self):
        with world.World("hosted_fail", adapters=[("本地连接", "zlan0")]) as w:
            s = Session(w)
            fake_log.set_exit_codes(w.program_dir, {"netsh": 1})
            self.assertEqual(s.create("ZephyraNet", "12345678"), (WARNING, CREATE_FAILED))
            self.assertEqual(s.lines(), [create_line("ZephyraNet", "12345678")])
            self.assertIsNone(s.account_file())
            # A start that failed leaves the firewall service alone.
            for button, text, lines in ((START, START_FAILED, START_LINES[:1]),
                                        (STOP, "停用WiFi失败！", [STOP_LINE]),
                                        (REMOVE, "卸载WiFi失败！", [REMOVE_LINE])):
                with self.subTest(text=text):
                    self.assertEqual(s.click(button), (WARNING, text))
                    self.assertEqual(s.lines(), lines)

    def test_refused_inputs_run_nothing_and_write_nothing(self):
        with world.World("hosted_refuse", adapters=[("本地连接", "zlan0")]) as w:
            s = Session(w)
            for name, key, text in (('say "hi"', "12345678", UNSAFE),
                                    ("ZephyraNet", '1234"5678', UNSAFE),
                                    ("", "12345678", "请设置好WiFi名称！"),
                                    ("ZephyraNet", "", "请设置好WiFi密码！")):
                with self.subTest(name=name, key=key):
                    self.assertEqual(s.create(name, key), (WARNING, text))
                    self.assertEqual(s.lines(), [])
                    self.assertIsNone(s.account_file())

    def test_other_sections_of_the_account_file_survive(self):
        with world.World("hosted_keep", adapters=[("本地连接", "zlan0")]) as w:
            s = Session(w)
            other = "[其他设置]\r\n语言=中文\r\n".encode("gbk")
            with open(s.account, "wb") as f:
                f.write(other)
            self.assertEqual(s.create("ZephyraNet", "12345678"), (SUCCESS, CREATED))
            self.assertEqual(s.account_file(),
                             other + account_bytes("ZephyraNet", "12345678"))

    def test_lists_show_the_adapters_as_they_are_after_ok(self):
        with world.World("hosted_lists", adapters=[("本地连接", "zlan0")]) as w:
            s = Session(w)
            before = ["本地连接\r\n"]
            after = ["本地连接\r\n", "无线网络连接 2\r\n"]
            s.type(NAME_BOX, "ZephyraNet")
            s.type(KEY_BOX, "12345678")
            s.probe.run("click", *CREATE)
            s.wait_message_shown()
            w.add_adapter("无线网络连接 2", "zwifi0")
            self.assertEqual(s.probe.lists()["shared"]["items"], before)  # no refresh yet
            self.assertEqual(s.probe.message("ok"), (SUCCESS, CREATED))
            lists = s.wait_lists(lambda l: l["shared"]["items"] == after)
            self.assertEqual((lists["provider"]["items"], lists["shared"]["items"]),
                             (after, after))

            # Wine keeps listing an interface that is gone, so the remove's refresh is shown
            # by a connection renamed while its message is open.
            renamed = ["本地连接\r\n", "无线网络连接 3\r\n"]
            s.probe.run("click", *REMOVE)
            s.wait_message_shown()
            guid = w.adapters[-1][2]
            w.write_registry([r"[%s\%s\Connection]" % (world.NETWORK_CLASS_KEY, guid),
                              '"Name"="无线网络连接 3"'])
            self.assertEqual(s.probe.lists()["shared"]["items"], after)
            self.assertEqual(s.probe.message("ok"), (SUCCESS, "卸载WiFi成功！"))
            lists = s.wait_lists(lambda l: l["shared"]["items"] == renamed)
            self.assertEqual((lists["provider"]["items"], lists["shared"]["items"]),
                             (renamed, renamed))


if __name__ == "__main__":
    unittest.main(verbosity=2)
