"""Start-up end to end: the connection lists from real adapters, and the single-instance
guard between two real processes."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import world  # noqa: E402
import zephyra  # noqa: E402

world.enter_namespace()


class StartupTest(unittest.TestCase):
    def test_lists_hold_every_adapter_in_order_without_selection(self):
        adapters = [("本地连接", "zlan0"), ("无线网络连接 2", "zwifi0")]
        with world.World("lists", adapters=adapters) as w:
            w.install(*zephyra.PROGRAM_FILES)
            zephyra.start(w)
            lists = zephyra.Probe(w).lists()
            for name in ("provider", "shared"):
                self.assertEqual(lists[name]["items"], ["本地连接\r\n", "无线网络连接 2\r\n"])
                self.assertEqual(lists[name]["sel"], -1)
                self.assertEqual(lists[name]["text"], "")

    def test_adapter_without_name_and_no_adapters(self):
        with world.World("noname", adapters=[(None, "zanon0")]) as w:
            w.install(*zephyra.PROGRAM_FILES)
            zephyra.start(w)
            self.assertEqual(zephyra.Probe(w).lists()["shared"]["items"], ["\r\n"])
        with world.World("none") as w:
            w.install(*zephyra.PROGRAM_FILES)
            zephyra.start(w)
            lists = zephyra.Probe(w).lists()
            self.assertEqual((lists["provider"]["count"], lists["shared"]["count"]), (0, 0))

    def test_second_copy_tells_restores_the_first_and_ends(self):
        with world.World("guard", adapters=[("本地连接", "zlan0")]) as w:
            w.install(*zephyra.PROGRAM_FILES)
            first = zephyra.start(w)
            probe = zephyra.Probe(w)
            self.assertEqual(probe.run("prop"), "147258369")
            probe.run("minimize")
            self.assertEqual(probe.state()["iconic"], 1)
            second = w.start([zephyra.PROGRAM])
            title, text = probe.message("ok")
            self.assertEqual((title, text), ("提醒：", "【Zephyra】已在运行中，请勿重复运行！"))
            self.assertEqual(zephyra.wait_exit(second), 0)
            state = probe.state()
            self.assertEqual((state["iconic"], state["visible"]), (0, 1))
            self.assertEqual(state["foreground"], 1)
            self.assertIsNone(first.poll())


if __name__ == "__main__":
    unittest.main(verbosity=2)
