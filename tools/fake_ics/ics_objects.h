#pragma once
// The scripting objects of the stand-in: manager, sharing configuration, connection
// properties, connection collections and their enumerators, all late-bound (IDispatch).

#include <windows.h>

#include <atomic>

namespace fake_ics {

// Live objects and server locks, for DllCanUnloadNow.
extern std::atomic<long> liveObjects;

// A new manager over a freshly read state file; answers it as `iid`.
HRESULT createManager(REFIID iid, void** out);

}  // namespace fake_ics
