"""The sharing script, as the program writes it, under Wine's own cscript against the
stand-in of the sharing scripting object (tools/fake_ics): its console report, the
sharing calls it makes, and what it leaves alone.

Wine's cscript overruns its heap when it echoes non-ASCII text into a pipe, so every run
goes through a batch file that sends the report to a file; and a runtime error ends a
script silently there, so the checks look at the report and the calls, not exit codes."""

import os
import sys
import unittest
from collections import namedtuple

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "wine"))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools", "fake_ics"))
import fake_ics  # noqa: E402
import world  # noqa: E402
from fake_ics import connection  # noqa: E402

CRLF = "\r\n"
SCRIPT = r"C:\Windows\Share.vbs"
ENABLE_PRIVATE = "Not Shared... Enabling private connection share..."
ENABLE_PUBLIC = "Not Shared... Enabling public connection share..."
DISABLE_PRIVATE = "Shared... DisEnabling private connection share..."
DISABLE_PUBLIC = "Shared... DisEnabling public connection share..."
USAGE = ("To share your internet connection, please provide the name of the private and public "
         "connections as the argument.\r\n\r\nUsage:\r\n"
         '       Share.vbs "Private Connection Name" "Public Connection Name"\r\n\r\n\r\n')
WALK = CRLF * 3  # the walk's opening echo of two line ends
NOT_AVAILABLE = "Sharing isn't available on this platform.\r\n"

LAN = connection("LAN", "{4E6F7201-0000-0000-0000-000000000001}",
                 "Realtek PCIe GbE Family Controller")
WIFI = connection("Wireless 2", "{4E6F7202-0000-0000-0000-000000000002}",
                  "Microsoft Virtual WiFi Miniport Adapter")
BT = connection("Bluetooth Network Connection", "{4E6F7203-0000-0000-0000-000000000003}",
                "Bluetooth Device (Personal Area Network)", status=7, media=3)
TYPE_WORDS = {0: "public", 1: "private"}


def shared(c, sharing_type):
    return dict(c, SharingEnabled=1, SharingConnectionType=sharing_type)


def counts(public, private, every):
    return "".join("%d objects for connection type %s\r\n" % pair
                   for pair in ((public, "public"), (private, "private"), (every, "all")))


def block(c):
    lines = ["Name: " + c["Name"], "Guid: " + c["Guid"], "DeviceName: " + c["DeviceName"],
             "Status: %d" % c["Status"], "MediaType: %d" % c["MediaType"]]
    if c["SharingEnabled"]:
        kind = c["SharingConnectionType"]
        lines += ["SharingEnabled", "SharingType: " + TYPE_WORDS.get(kind, "Unknown: %d" % kind)]
    return CRLF.join(lines)


def echo(text):
    return text + CRLF


def report(text):  # a connection's closing echo: its text and two line ends
    return text + CRLF * 3


def plain(*conns):
    return "".join(report(block(c)) for c in conns)


def switched_on(c, line):
    return echo(block(c) + CRLF + line) + report(" Shared!")


def switched_off(c, *lines):
    """One disabling echo per line (each appended to the last), then the whole once more."""
    out, text = "", block(c)
    for line in lines:
        text += CRLF + line
        out += echo(text)
    return out + report(text)


def not_found(name):
    return 'Connection "%s" was not found\r\n' % name


Case = namedtuple("Case", "what args connections expected switches knobs after",
                  defaults=({}, None))
CONNS = [LAN, WIFI, BT]
ON = '"Wireless 2" "LAN" on'
ON_REPORT = (counts(0, 0, 3) + WALK + switched_on(LAN, ENABLE_PUBLIC) +
             switched_on(WIFI, ENABLE_PRIVATE) + plain(BT))
LISTED = [shared(LAN, 0), WIFI, shared(BT, 7)]
LISTING = counts(1, 0, 3) + WALK + plain(*LISTED) + USAGE

LISTING_CASES = [
    Case("no argument", "", LISTED, LISTING, []),
    Case("one argument", '"Wireless 2"', LISTED, LISTING, []),
    Case("two arguments", '"Wireless 2" "LAN"', LISTED, LISTING, []),
    Case("four arguments", '"Wireless 2" "LAN" on extra', LISTED, LISTING, []),
    Case("four arguments, off", '"Wireless 2" "LAN" off extra', LISTED, LISTING, []),
]

SWITCH_CASES = [
    Case("on: private first argument, public second", ON, CONNS, ON_REPORT,
         ["config[LAN].EnableSharing(0)", "config[Wireless 2].EnableSharing(1)"],
         after={"LAN": 0, "Wireless 2": 1, "Bluetooth Network Connection": None}),
    Case("off while shared", '"Wireless 2" "LAN" off', [shared(LAN, 0), shared(WIFI, 1), BT],
         counts(1, 1, 3) + WALK + switched_off(shared(LAN, 0), DISABLE_PUBLIC) +
         switched_off(shared(WIFI, 1), DISABLE_PRIVATE) + plain(BT),
         ["config[LAN].DisableSharing", "config[Wireless 2].DisableSharing"],
         after={"LAN": None, "Wireless 2": None}),
    Case("off while not shared still disables", '"Wireless 2" "LAN" off', CONNS,
         counts(0, 0, 3) + WALK + switched_off(LAN, DISABLE_PUBLIC) +
         switched_off(WIFI, DISABLE_PRIVATE) + plain(BT),
         ["config[LAN].DisableSharing", "config[Wireless 2].DisableSharing"]),
    Case("switch ON in capitals", '"Wireless 2" "LAN" ON', CONNS,
         counts(0, 0, 3) + WALK + plain(*CONNS), []),
    Case("switch Off", '"Wireless 2" "LAN" Off', [shared(LAN, 0), WIFI, BT],
         counts(1, 0, 3) + WALK + plain(shared(LAN, 0), WIFI, BT), []),
    Case("switch x", '"Wireless 2" "LAN" x', CONNS, counts(0, 0, 3) + WALK + plain(*CONNS), []),
    Case("switch with a trailing space", '"Wireless 2" "LAN" "on "', CONNS,
         counts(0, 0, 3) + WALK + plain(*CONNS), []),
    Case("private name list: switched, nothing reported missing", '"list" "LAN" on', CONNS,
         counts(0, 0, 3) + WALK + switched_on(LAN, ENABLE_PUBLIC) + plain(WIFI, BT),
         ["config[LAN].EnableSharing(0)"]),
    Case("same name, on: private only", '"Wireless 2" "Wireless 2" on', CONNS,
         counts(0, 0, 3) + WALK + plain(LAN) + switched_on(WIFI, ENABLE_PRIVATE) + plain(BT),
         ["config[Wireless 2].EnableSharing(1)"], after={"Wireless 2": 1}),
    Case("same name, off: disabled twice, private line first",
         '"Wireless 2" "Wireless 2" off', [LAN, shared(WIFI, 1), BT],
         counts(0, 1, 3) + WALK + plain(LAN) +
         switched_off(shared(WIFI, 1), DISABLE_PRIVATE, DISABLE_PUBLIC) + plain(BT),
         ["config[Wireless 2].DisableSharing"] * 2),
    Case("on while already shared: no call", ON, [shared(LAN, 0), shared(WIFI, 1), BT],
         counts(1, 1, 3) + WALK + plain(shared(LAN, 0), shared(WIFI, 1), BT), []),
    Case("on while shared as the other types: no call", ON, [shared(LAN, 1), shared(WIFI, 0), BT],
         counts(1, 1, 3) + WALK + plain(shared(LAN, 1), shared(WIFI, 0), BT), []),
    Case("two public connections: the walk still runs", ON, [shared(LAN, 0), WIFI, shared(BT, 0)],
         counts(2, 0, 3) + WALK + plain(shared(LAN, 0)) + switched_on(WIFI, ENABLE_PRIVATE) +
         plain(shared(BT, 0)),
         ["config[Wireless 2].EnableSharing(1)"]),
    Case("private name missing: public still switched", '"Wireless 9" "LAN" on', CONNS,
         counts(0, 0, 3) + WALK + switched_on(LAN, ENABLE_PUBLIC) + plain(WIFI, BT) +
         not_found("Wireless 9"),
         ["config[LAN].EnableSharing(0)"]),
    Case("public name missing: private still switched", '"Wireless 2" "WAN" on', CONNS,
         counts(0, 0, 3) + WALK + plain(LAN) + switched_on(WIFI, ENABLE_PRIVATE) + plain(BT) +
         not_found("WAN"),
         ["config[Wireless 2].EnableSharing(1)"]),
    Case("case and trailing space match nothing, private reported first",
         '"wireless 2" "LAN " on', CONNS,
         counts(0, 0, 3) + WALK + plain(*CONNS) + not_found("wireless 2") + not_found("LAN "),
         []),
    Case("failing EnableSharing is still reported as shared", ON, CONNS, ON_REPORT,
         ["config[LAN].EnableSharing(0) -> 0x80004005",
          "config[Wireless 2].EnableSharing(1) -> 0x80004005"],
         knobs={"enable_sharing_fails": True},
         after={"LAN": None, "Wireless 2": None}),
]

LOCAL = connection("本地连接", "{4E6F7211-0000-0000-0000-000000000011}", "Realtek 网卡")
HOSTED = connection("无线网络连接 2", "{4E6F7212-0000-0000-0000-000000000012}",
                    "Microsoft 托管网络虚拟适配器")
CHINESE = Case("Chinese names", '"无线网络连接 2" "本地连接" on', [LOCAL, HOSTED],
               counts(0, 0, 2) + WALK + switched_on(LOCAL, ENABLE_PUBLIC) +
               switched_on(HOSTED, ENABLE_PRIVATE),
               ["config[本地连接].EnableSharing(0)", "config[无线网络连接 2].EnableSharing(1)"])


class SharingScriptTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.world = world.World("sharing-script", display=False)
        w = cls.world.__enter__()
        cls.addClassCleanup(cls.world.__exit__, None, None, None)
        w.install("bin/write_sharing_script.exe")
        w.wine(["write_sharing_script.exe", SCRIPT])
        fake_ics.register(w)

    def run_script(self, args, connections, **knobs):
        """Runs the script with the batch-file argument text `args`; answers its report."""
        w = self.world
        fake_ics.write_state(w, connections, **knobs)
        output = w.file("out.txt")
        if os.path.exists(output):
            os.remove(output)
        line = "@cscript //nologo %s %s > C:\\out.txt\r\n" % (SCRIPT, args)
        with open(w.file("case.bat"), "wb") as f:
            f.write(line.encode("gbk"))
        w.wine(["cmd", "/c", r"C:\case.bat"])
        with open(output, "rb") as f:
            return f.read().decode("gbk")

    def check(self, case):
        with self.subTest(case.what):
            self.assertEqual(self.run_script(case.args, case.connections, **case.knobs),
                             case.expected)
            self.assertEqual(fake_ics.switches(self.world), case.switches)
            if case.after is not None:
                state = {c["Name"]: None if c["SharingEnabled"] == "0"
                         else int(c["SharingConnectionType"])
                         for c in fake_ics.read_state(self.world)["connections"]}
                for name, sharing in case.after.items():
                    self.assertEqual(state[name], sharing, name)

    def test_listing_mode_lists_every_connection_and_the_usage(self):
        for case in LISTING_CASES:
            self.check(case)

    def test_three_arguments_switch_the_named_connections(self):
        for case in SWITCH_CASES:
            self.check(case)

    def test_chinese_names_through_a_file(self):
        self.check(CHINESE)

    def test_sharing_not_available_stops_before_any_look_up(self):
        for args, expected in (('"Wireless 2" "LAN" on', NOT_AVAILABLE),
                               ("", NOT_AVAILABLE + USAGE)):
            with self.subTest(args=args):
                self.assertEqual(self.run_script(args, CONNS, sharing_installed=False), expected)
                self.assertEqual(fake_ics.calls(self.world),
                                 ["create manager", "manager.SharingInstalled"])


if __name__ == "__main__":
    unittest.main(verbosity=2)
