"""The sharing scripting object's stand-in in a test World (tests/wine/world.py).

    import fake_ics
    fake_ics.register(w)                      # installs and registers bin/fake_ics.dll
    fake_ics.write_state(w, [fake_ics.connection("LAN"), ...], sharing_installed=True)
    ... run the script ...
    fake_ics.switches(w)                      # ["config[LAN].EnableSharing(0)", ...]
    fake_ics.read_state(w)["connections"]     # as written back after every change

State and log live in C:\\fake_ics (state.txt, calls.log); README.md gives the format."""

import os

DLL = "bin/fake_ics.dll"
FOLDER = "fake_ics"  # under drive C


def register(world):
    """Copies the DLL into C:\\Zephyra and registers it as "HNetCfg.HNetShare.1"."""
    world.install(DLL)
    world.wine(["regsvr32", "/s", world.windows_path(os.path.join(world.program_dir, "fake_ics.dll"))])
    os.makedirs(world.file(FOLDER), exist_ok=True)


def connection(name, guid="{00000000-0000-0000-0000-000000000000}", device="Network Adapter",
               status=2, media=3, shared=None):
    """One connection; shared is None (not shared), 0 (public), 1 (private) or another type."""
    return {"Name": name, "Guid": guid, "DeviceName": device, "Status": status,
            "MediaType": media, "SharingEnabled": 0 if shared is None else 1,
            "SharingConnectionType": 0 if shared is None else shared}


def write_state(world, connections, sharing_installed=True, enable_sharing_fails=False):
    """Writes the state file and empties the log, ready for the next run."""
    lines = ["SharingInstalled=" + ("true" if sharing_installed else "null"),
             "EnableSharing=" + ("fail" if enable_sharing_fails else "ok")]
    for c in connections:
        lines.append("[connection]")
        lines += ["%s=%s" % (key, value) for key, value in c.items()]
    with open(world.file(FOLDER, "state.txt"), "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")
    log = world.file(FOLDER, "calls.log")
    if os.path.exists(log):
        os.remove(log)


def read_state(world):
    """{"SharingInstalled": ..., "EnableSharing": ..., "connections": [dict, ...]}"""
    state = {"connections": []}
    with open(world.file(FOLDER, "state.txt"), encoding="utf-8") as f:
        for line in f.read().splitlines():
            if line == "[connection]":
                state["connections"].append({})
            elif "=" in line:
                key, value = line.split("=", 1)
                (state["connections"][-1] if state["connections"] else state)[key] = value
    return state


def calls(world):
    """Every call the stand-in answered since write_state, in order."""
    path = world.file(FOLDER, "calls.log")
    if not os.path.exists(path):
        return []
    with open(path, encoding="utf-8") as f:
        return f.read().splitlines()


def switches(world):
    """Only the calls that change sharing: EnableSharing and DisableSharing."""
    return [c for c in calls(world) if ".EnableSharing(" in c or c.endswith(".DisableSharing")]
