"""Checks the shipped Zephyra.exe: a 32-bit GUI program that imports only Windows' own
DLLs, carries its manifest, and stays small."""

import re
import subprocess
import sys

# DLLs that every Windows from 7 on carries in its system folder.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll",
               "iphlpapi.dll", "winmm.dll", "msimg32.dll", "msvcrt.dll", "comctl32.dll",
               "ole32.dll", "ws2_32.dll"}
MAX_SIZE = 512 * 1024


def main(exe, objdump):
    dump = subprocess.run([objdump or "i686-w64-mingw32-objdump", "-p", exe], check=True,
                          stdout=subprocess.PIPE).stdout.decode("latin-1")
    failures = []
    if "file format pei-i386" not in dump:
        failures.append("not a 32-bit PE executable")
    if not re.search(r"^Subsystem\s+00000002", dump, re.M):
        failures.append("not a GUI subsystem program")
    imports = sorted({m.lower() for m in re.findall(r"DLL Name: (\S+)", dump)})
    foreign = [dll for dll in imports if dll not in SYSTEM_DLLS]
    if foreign:
        failures.append("imports DLLs outside Windows: %s" % ", ".join(foreign))
    data = open(exe, "rb").read()
    if b"requireAdministrator" not in data:
        failures.append("no manifest asking for administrator rights")
    if b"Microsoft.Windows.Common-Controls" in data:
        failures.append("the manifest depends on Common Controls 6")
    if len(data) > MAX_SIZE:
        failures.append("%d bytes, over %d" % (len(data), MAX_SIZE))
    print("Zephyra.exe: %d bytes, imports %s" % (len(data), ", ".join(imports)))
    for failure in failures:
        print("FAIL: " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else None))
