"""The Wine test world: a prefix copied from a cached booted one, an Xvfb display and
network adapters of the test's own choosing, all inside the test's network namespace.

A test file calls `world.enter_namespace()` first: it re-executes the file under
`unshare -n` so that Wine sees exactly the veth adapters the test adds. The prefix is
64-bit: this machine cannot run 32-bit x86 code, so the bench runs the 64-bit build of
the same sources.
"""

import contextlib
import fcntl
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver64"
NETWORK_CLASS_KEY = (r"HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Network"
                     r"\{4D36E972-E325-11CE-BFC1-08002BE10318}")
# The window fonts the program asks for; Wine maps them to the installed Chinese font.
FONT_REPLACEMENTS = {"宋体": "WenQuanYi Zen Hei", "SimSun": "WenQuanYi Zen Hei",
                     "NSimSun": "WenQuanYi Zen Hei", "MS Shell Dlg": "WenQuanYi Zen Hei",
                     "Tahoma": "WenQuanYi Zen Hei"}


def build_dir():
    """The win64 build tree: ZEPHYRA_WIN_BUILD, else build/win64 beside the sources."""
    here = os.path.dirname(os.path.abspath(__file__))
    default = os.path.join(here, "..", "..", "build", "win64")
    return os.path.abspath(os.environ.get("ZEPHYRA_WIN_BUILD", default))


def base_env(prefix):
    env = dict(os.environ)
    env.update({"WINEPREFIX": prefix, "WINEARCH": "win64", "WINEDEBUG": "-all",
                "LANG": "zh_CN.UTF-8", "LC_ALL": "zh_CN.UTF-8",
                "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d"})
    return env


def enter_namespace():
    """Re-executes the running script in a fresh network namespace (once)."""
    if os.environ.get("ZEPHYRA_IN_NETNS") == "1":
        return
    if shutil.which("unshare") is None or os.geteuid() != 0:
        sys.exit("the Wine tests need root and unshare for their network namespace")
    env = dict(os.environ, ZEPHYRA_IN_NETNS="1")
    os.execvpe("unshare", ["unshare", "-n", sys.executable] + sys.argv, env)


def template_prefix():
    """A booted win64 prefix cached in the build tree, made once under a lock."""
    root = os.path.join(build_dir(), "wine")
    os.makedirs(root, exist_ok=True)
    template = os.path.join(root, "template")
    with open(os.path.join(root, "template.lock"), "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if not os.path.exists(os.path.join(template, ".booted")):
            shutil.rmtree(template, ignore_errors=True)
            env = base_env(template)
            subprocess.run([WINE, "wineboot", "-i"], env=env, check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)
            _import_reg(env, template, _font_replacements_reg())
            subprocess.run([WINESERVER, "-w"], env=env, check=True, timeout=120)
            open(os.path.join(template, ".booted"), "w").close()
    return template


def _font_replacements_reg():
    lines = [r"[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]"]
    lines += ['"%s"="%s"' % (k, v) for k, v in FONT_REPLACEMENTS.items()]
    return lines


def _import_reg(env, prefix, lines):
    """Imports registry lines with regedit (a UTF-16 .reg file keeps any text intact)."""
    text = "Windows Registry Editor Version 5.00\r\n\r\n" + "\r\n".join(lines) + "\r\n"
    path = os.path.join(prefix, "drive_c", "import.reg")
    with open(path, "wb") as f:
        f.write(b"\xff\xfe" + text.encode("utf-16-le"))
    subprocess.run([WINE, "regedit", "/S", r"C:\import.reg"], env=env, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
    os.remove(path)


def _reg_escape(text):
    return text.replace("\\", "\\\\").replace('"', '\\"')


class World:
    """One test's Windows: `with World("name", adapters=[("本地连接", "zA")]) as w:`.

    adapters: (connection name or None, Linux interface name) in the order they are made;
    None writes no registry name for that adapter. display: start Xvfb. Programs go to
    C:\\Zephyra (`install`), which is the program's folder and current directory."""

    _display_counter = 0

    def __init__(self, name, adapters=(), display=True):
        self.name = name
        self.initial_adapters = list(adapters)
        self.want_display = display
        self.adapters = []  # (connection name, interface, adapter GUID name)
        self._processes = []

    # ---- setting up and tearing down ----
    def __enter__(self):
        try:
            return self._set_up()
        except BaseException:
            self.__exit__(None, None, None)
            raise

    def _set_up(self):
        self.env = None
        runs = os.path.join(build_dir(), "wine", "runs")
        os.makedirs(runs, exist_ok=True)
        template = template_prefix()
        self.root = tempfile.mkdtemp(prefix=self.name + "-", dir=runs)
        self.prefix = os.path.join(self.root, "prefix")
        subprocess.run(["cp", "-a", "--reflink=auto", template, self.prefix], check=True)
        self.env = base_env(self.prefix)
        self.drive_c = os.path.join(self.prefix, "drive_c")
        self.program_dir = os.path.join(self.drive_c, "Zephyra")
        os.makedirs(self.program_dir, exist_ok=True)
        self._peer_holder = None
        if self.want_display:
            self._start_display()
        # A persistent server and one finished program first: two programs that start
        # together in a prefix nobody has run yet can stall each other.
        subprocess.run([WINESERVER, "-p"], env=self.env, check=True)
        subprocess.run([WINE, "cmd", "/c", "exit"], env=self.env, check=False, timeout=120,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for connection, interface in self.initial_adapters:
            self.add_adapter(connection, interface)
        return self

    def __exit__(self, *exc):
        if self.env is not None:
            subprocess.run([WINESERVER, "-k"], env=self.env, check=False,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for process in reversed(self._processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    process.kill()
            process.wait()
        for _, interface, _ in self.adapters:
            subprocess.run(["ip", "link", "del", interface], check=False,
                           stderr=subprocess.DEVNULL)
        if os.environ.get("ZEPHYRA_KEEP_WORLD") != "1" and hasattr(self, "root"):
            shutil.rmtree(self.root, ignore_errors=True)
        return False

    def _start_display(self):
        for _ in range(50):
            World._display_counter += 1
            number = 100 + (os.getpid() % 500) * 10 + World._display_counter % 10
            if not os.path.exists("/tmp/.X11-unix/X%d" % number) and \
                    not os.path.exists("/tmp/.X%d-lock" % number):
                break
        process = subprocess.Popen(["Xvfb", ":%d" % number, "-screen", "0", "1024x768x24",
                                    "-nolisten", "tcp"],
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self._processes.append(process)
        for _ in range(100):
            if os.path.exists("/tmp/.X11-unix/X%d" % number):
                break
            time.sleep(0.05)
        self.display = ":%d" % number
        self.env["DISPLAY"] = self.display

    # ---- adapters ----
    def add_adapter(self, connection, interface):
        """Adds a veth adapter (its peer lives outside the test's namespace) and writes its
        connection name; answers the adapter's GUID name as GetAdaptersInfo gives it."""
        if self._peer_holder is None:
            # Peers go to a namespace of their own, so the test's namespace holds one end only.
            self._peer_holder = subprocess.Popen(["unshare", "-n", "sleep", "100000"])
            self._processes.append(self._peer_holder)
            self._wait_for_own_namespace(self._peer_holder.pid)
        subprocess.run(["ip", "link", "add", interface, "type", "veth", "peer", "name",
                        interface + "p", "netns", str(self._peer_holder.pid)], check=True)
        # sysfs shows the namespace it was mounted in, so ask ip for the index.
        shown = subprocess.run(["ip", "-o", "link", "show", "dev", interface], check=True,
                               stdout=subprocess.PIPE).stdout.decode()
        index = int(shown.split(":", 1)[0])
        guid = "{%08X-0000-0000-0000-4E6574446576}" % index
        if connection is not None:
            self.write_registry([r"[%s\%s\Connection]" % (NETWORK_CLASS_KEY, guid),
                                 '"Name"="%s"' % _reg_escape(connection)])
        self.adapters.append((connection, interface, guid))
        return guid

    @staticmethod
    def _wait_for_own_namespace(pid):
        # unshare enters the new namespace a moment after it starts.
        ours = os.readlink("/proc/self/ns/net")
        for _ in range(200):
            try:
                if os.readlink("/proc/%d/ns/net" % pid) != ours:
                    return
            except OSError:
                pass
            time.sleep(0.01)
        raise RuntimeError("the peer namespace did not come up")

    def remove_adapter(self, interface):
        subprocess.run(["ip", "link", "del", interface], check=True)
        self.adapters = [a for a in self.adapters if a[1] != interface]

    def write_registry(self, lines):
        _import_reg(self.env, self.prefix, lines)

    # ---- programs ----
    def install(self, *names):
        """Copies built programs (paths relative to the build tree, or absolute) into C:\\Zephyra."""
        for name in names:
            source = name if os.path.isabs(name) else os.path.join(build_dir(), name)
            shutil.copy2(source, self.program_dir)

    def windows_path(self, unix_path):
        relative = os.path.relpath(unix_path, self.drive_c)
        return "C:\\" + relative.replace("/", "\\")

    def wine(self, args, timeout=60, check=True, cwd=None, **kwargs):
        """Runs a Windows program to its end; answers the CompletedProcess."""
        return subprocess.run([WINE] + list(args), env=self.env, timeout=timeout,
                              check=check, cwd=cwd or self.program_dir,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, **kwargs)

    def start(self, args, cwd=None):
        """Starts a Windows program without waiting; ended with the world."""
        log = open(os.path.join(self.root, "started-%d.log" % len(self._processes)), "wb")
        with log:
            process = subprocess.Popen([WINE] + list(args), env=self.env,
                                       cwd=cwd or self.program_dir, stdout=log,
                                       stderr=subprocess.STDOUT)
        self._processes.append(process)
        return process

    def file(self, *windows_parts):
        """The Unix path of a file under drive C, e.g. w.file("windows", "Share.vbs") (the prefix's folders are lower-case)."""
        return os.path.join(self.drive_c, *windows_parts)


def screenshot(world, png_path):
    """A PNG of the whole virtual screen (needs xwd and ImageMagick)."""
    xwd = subprocess.run(["xwd", "-root", "-silent", "-display", world.display],
                         stdout=subprocess.PIPE, check=True).stdout
    convert = "/usr/bin/convert" if os.path.exists("/usr/bin/convert") else "convert"
    subprocess.run([convert, "xwd:-", png_path], input=xwd, check=True)
