// Benchmark launcher: starts a program, measures the time from CreateProcess to its
// window (found by title) being visible, and its memory once shown; then closes it.
//   launcher PROGRAM.exe "WINDOW TITLE"
// prints: startup_ms=... working_set=... private_bytes=...
//   launcher share "WINDOW TITLE" X Y
// clicks the control at client X,Y of the running window and prints the time until a
// message box appears (share_ms=...), then answers it.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>

namespace {

double elapsedMs(const LARGE_INTEGER& start) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

HWND visibleWindow(const char* title) {
  HWND hwnd = FindWindowA(nullptr, title);
  return (hwnd && IsWindowVisible(hwnd)) ? hwnd : nullptr;
}

HWND visibleMessageBox() {
  HWND dialog = nullptr;
  while ((dialog = FindWindowExA(nullptr, dialog, "#32770", nullptr)) != nullptr)
    if (IsWindowVisible(dialog)) return dialog;
  return nullptr;
}

int launch(const char* program, const char* title) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  char line[MAX_PATH];
  lstrcpynA(line, program, MAX_PATH);
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info))
    return 1;
  HWND hwnd = nullptr;
  while (!(hwnd = visibleWindow(title)) && elapsedMs(start) < 30000) Sleep(1);
  double startupMs = elapsedMs(start);
  if (!hwnd) return 2;
  Sleep(300);  // let the first paint settle before reading memory
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(info.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                       sizeof memory);
  // Windows counts private bytes as the pagefile commit; Wine may fill in only the latter.
  SIZE_T privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
  std::printf("startup_ms=%.2f working_set=%llu private_bytes=%llu\n", startupMs,
              static_cast<unsigned long long>(memory.WorkingSetSize),
              static_cast<unsigned long long>(privateBytes));
  TerminateProcess(info.hProcess, 0);
  WaitForSingleObject(info.hProcess, 5000);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return 0;
}

struct Nearest {
  HWND main;
  POINT point;
  HWND found;
  long best;
};

BOOL CALLBACK nearestChild(HWND child, LPARAM param) {
  auto* search = reinterpret_cast<Nearest*>(param);
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, search->main, reinterpret_cast<POINT*>(&rect), 2);
  long distance = labs(rect.left - search->point.x) + labs(rect.top - search->point.y);
  if (distance < search->best) {
    search->best = distance;
    search->found = child;
  }
  return TRUE;
}

int share(const char* title, int x, int y) {
  HWND main = visibleWindow(title);
  if (!main) return 1;
  Nearest search{main, {x, y}, nullptr, 1L << 30};
  EnumChildWindows(main, nearestChild, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return 1;
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  PostMessageA(search.found, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageA(search.found, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  HWND dialog = nullptr;
  while (!(dialog = visibleMessageBox()) && elapsedMs(start) < 120000) Sleep(1);
  double ms = elapsedMs(start);
  if (!dialog) return 2;
  std::printf("share_ms=%.2f\n", ms);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 5 && lstrcmpA(argv[1], "share") == 0)
    return share(argv[2], atoi(argv[3]), atoi(argv[4]));
  if (argc >= 3) return launch(argv[1], argv[2]);
  return 3;
}
