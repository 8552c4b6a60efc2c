// probe: looks at and drives the running program's main window from outside, for the
// end-to-end tests. Texts are printed as hex bytes, so no code page gets in the way.
//
//   probe window [ms]          wait until the main window is visible; prints its handle
//   probe lists                both lists: count, selection, text and items
//   probe prop                 the single-instance property of the main window
//   probe state                iconic / foreground / visible of the main window
//   probe minimize             minimises the main window
//   probe click X Y            left click at client point X,Y of the main window
//   probe settext X Y HEX      sets the window text of the control at client X,Y
//   probe message [ok|cancel] [ms]  waits for a message box; prints title and text; answers it
//   probe nomessage [ms]       fails if a message box appears within ms
//   probe close                posts WM_CLOSE to the main window
//   probe press X Y            posts BM_CLICK to the control at client X,Y
//   probe key esc|altf4        posts Esc (WM_KEYDOWN) or Alt+F4 (WM_SYSKEYDOWN with the Alt
//                              bit) to the control that has the focus, as the keyboard would
//   probe sysclose             posts the system menu's Close (WM_SYSCOMMAND SC_CLOSE)

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char kTitle[] = " Zephyra";
const char kPropName[] = "3D72E324-3CE0-459d-813C-A646E5C0F2ED";

std::string hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

std::string unhex(const char* text) {
  std::string out;
  for (size_t i = 0; text[i] && text[i + 1]; i += 2) {
    char pair[3] = {text[i], text[i + 1], 0};
    out += static_cast<char>(strtol(pair, nullptr, 16));
  }
  return out;
}

std::string windowText(HWND hwnd) {
  int length = GetWindowTextLengthA(hwnd);
  std::string text(length + 1, '\0');
  int got = GetWindowTextA(hwnd, &text[0], length + 1);
  text.resize(got > 0 ? got : 0);
  return text;
}

HWND mainWindow() { return FindWindowA(nullptr, kTitle); }

HWND waitFor(HWND (*find)(), DWORD ms) {
  DWORD start = GetTickCount();
  for (;;) {
    HWND hwnd = find();
    if (hwnd) return hwnd;
    if (GetTickCount() - start > ms) return nullptr;
    Sleep(50);
  }
}

HWND visibleMainWindow() {
  HWND hwnd = mainWindow();
  return (hwnd && IsWindowVisible(hwnd)) ? hwnd : nullptr;
}

struct ChildSearch {
  HWND main;
  const char* className;  // null: any
  POINT point;            // in the main window's client coordinates
  HWND found;
  long bestDistance;
};

BOOL CALLBACK nearestChild(HWND child, LPARAM param) {
  auto* search = reinterpret_cast<ChildSearch*>(param);
  char className[64] = {};
  GetClassNameA(child, className, sizeof className);
  if (search->className && lstrcmpiA(className, search->className) != 0) return TRUE;
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, search->main, reinterpret_cast<POINT*>(&rect), 2);
  long distance = labs(rect.left - search->point.x) + labs(rect.top - search->point.y);
  if (distance < search->bestDistance) {
    search->bestDistance = distance;
    search->found = child;
  }
  return TRUE;
}

// The control whose top-left corner is nearest to a client point.
HWND controlAt(HWND main, const char* className, int x, int y) {
  ChildSearch search{main, className, {x, y}, nullptr, 1L << 30};
  EnumChildWindows(main, nearestChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void printList(const char* name, HWND combo) {
  DWORD_PTR result = 0;
  auto ask = [&](UINT message, WPARAM w, LPARAM l) {
    SendMessageTimeoutA(combo, message, w, l, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
  };
  int count = static_cast<int>(ask(CB_GETCOUNT, 0, 0));
  int selection = static_cast<int>(ask(CB_GETCURSEL, 0, 0));
  // WM_GETTEXT asks the combo box itself, so a typed text is seen too.
  wchar_t typed[1024] = {};
  SendMessageTimeoutW(combo, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(typed), SMTO_ABORTIFHUNG,
                      5000, &result);
  char typedAnsi[2048] = {};
  WideCharToMultiByte(CP_ACP, 0, typed, -1, typedAnsi, sizeof typedAnsi, nullptr, nullptr);
  std::printf("%s count=%d sel=%d text=%s items=", name, count, selection,
              hex(typedAnsi).c_str());
  // Items are read as UTF-16 and turned into the ANSI code page here: Wine carries the
  // wide form of a list text across processes intact.
  for (int i = 0; i < count; ++i) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, i, 0, SMTO_ABORTIFHUNG, 5000, &length);
    std::wstring wide(length + 1, L'\0');
    SendMessageTimeoutW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&wide[0]),
                        SMTO_ABORTIFHUNG, 5000, &length);
    wide.resize(length);
    std::string item(wide.size() * 2 + 1, '\0');
    int bytes = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()),
                                    &item[0], static_cast<int>(item.size()), nullptr, nullptr);
    item.resize(bytes > 0 ? bytes : 0);
    std::printf("%s%s", i ? "," : "", hex(item).c_str());
  }
  std::printf("\n");
}

HWND messageBox() {
  HWND dialog = nullptr;
  while ((dialog = FindWindowExA(nullptr, dialog, "#32770", nullptr)) != nullptr) {
    if (IsWindowVisible(dialog)) return dialog;
  }
  return nullptr;
}

int cmdMessage(const char* answer, DWORD ms) {
  HWND dialog = waitFor(messageBox, ms);
  if (!dialog) {
    std::printf("no message\n");
    return 1;
  }
  Sleep(100);  // let the box finish laying itself out
  HWND textControl = GetDlgItem(dialog, 0xFFFF);
  std::printf("title=%s text=%s\n", hex(windowText(dialog)).c_str(),
              hex(textControl ? windowText(textControl) : std::string()).c_str());
  std::fflush(stdout);
  int button = lstrcmpiA(answer, "cancel") == 0 ? IDCANCEL : IDOK;
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
  return 0;
}

int cmdClick(HWND main, int x, int y) {
  HWND child = controlAt(main, nullptr, x, y);
  if (!child) return 1;
  RECT rect;
  GetWindowRect(child, &rect);
  POINT point = {x, y};
  ClientToScreen(main, &point);
  LPARAM at = MAKELPARAM(point.x - rect.left + 2, point.y - rect.top + 2);
  PostMessageA(child, WM_MOUSEMOVE, 0, at);
  PostMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(child, WM_LBUTTONUP, 0, at);
  return 0;
}

// The window of the main window's thread that has the keyboard focus, else the main window.
HWND focusOf(HWND main) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info) && info.hwndFocus)
    return info.hwndFocus;
  return main;
}

// Keys go where the focus is; a message box just answered may hold it a moment longer.
HWND waitForFocusIn(HWND main, DWORD ms) {
  DWORD start = GetTickCount();
  for (;;) {
    HWND focus = focusOf(main);
    if (focus == main || IsChild(main, focus)) return focus;
    if (GetTickCount() - start > ms) return nullptr;
    Sleep(50);
  }
}

int cmdKey(HWND main, const std::string& key) {
  constexpr LPARAM kAltDown = 1L << 29;  // the context code: Alt held
  HWND target = waitForFocusIn(main, 5000);
  if (!target) {
    std::printf("focus not in the window\n");
    return 1;
  }
  if (key == "esc") return PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, 1) ? 0 : 1;
  if (key == "altf4") return PostMessageA(target, WM_SYSKEYDOWN, VK_F4, 1 | kAltDown) ? 0 : 1;
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::string command = argv[1];
  auto number = [&](int i, long fallback) { return argc > i ? strtol(argv[i], nullptr, 0) : fallback; };
  if (command == "window") {
    HWND hwnd = waitFor(visibleMainWindow, static_cast<DWORD>(number(2, 20000)));
    if (!hwnd) return 1;
    std::printf("%p\n", static_cast<void*>(hwnd));
    return 0;
  }
  if (command == "message") return cmdMessage(argc > 2 ? argv[2] : "ok", number(3, 20000));
  if (command == "nomessage") return waitFor(messageBox, number(2, 1000)) ? 1 : 0;
  HWND main = mainWindow();
  if (!main) {
    std::printf("no window\n");
    return 1;
  }
  if (command == "lists") {
    printList("provider", controlAt(main, "ComboBox", 105, 137));
    printList("shared", controlAt(main, "ComboBox", 105, 164));
    return 0;
  }
  if (command == "prop") {
    std::printf("%lld\n", static_cast<long long>(reinterpret_cast<INT_PTR>(GetPropA(main, kPropName))));
    return 0;
  }
  if (command == "state") {
    std::printf("iconic=%d foreground=%d visible=%d\n", IsIconic(main) ? 1 : 0,
                GetForegroundWindow() == main ? 1 : 0, IsWindowVisible(main) ? 1 : 0);
    return 0;
  }
  if (command == "minimize") return ShowWindow(main, SW_MINIMIZE), 0;
  if (command == "click" && argc >= 4) return cmdClick(main, number(2, 0), number(3, 0));
  if (command == "settext" && argc >= 5) {
    HWND control = controlAt(main, nullptr, number(2, 0), number(3, 0));
    std::string text = unhex(argv[4]);
    return control && SetWindowTextA(control, text.c_str()) ? 0 : 1;
  }
  if (command == "close") return PostMessageA(main, WM_CLOSE, 0, 0) ? 0 : 1;
  if (command == "press" && argc >= 4) {
    HWND control = controlAt(main, nullptr, number(2, 0), number(3, 0));
    return control && PostMessageA(control, BM_CLICK, 0, 0) ? 0 : 1;
  }
  if (command == "key" && argc >= 3) return cmdKey(main, argv[2]);
  if (command == "sysclose") return PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
  return 2;
}
