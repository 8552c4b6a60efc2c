// The benchmark's baseline: a minimal program of the same toolchain and flags with one
// fixed window of Zephyra's size and frame holding one edit box.
#include <windows.h>

namespace {

LRESULT CALLBACK baselineProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = baselineProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = "ZephyraBaseline";
  RegisterClassA(&windowClass);
  int left = (GetSystemMetrics(SM_CXSCREEN) - 478) / 2;
  int top = (GetSystemMetrics(SM_CYSCREEN) - 386) / 2;
  HWND hwnd = CreateWindowExA(0, "ZephyraBaseline", " Baseline",
                              WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, left, top, 478, 386,
                              nullptr, nullptr, instance, nullptr);
  CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 105, 35,
                  225, 20, hwnd, nullptr, instance, nullptr);
  ShowWindow(hwnd, SW_SHOW);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
