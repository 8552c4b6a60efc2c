#pragma once
// RAII owners of Win32 handles: nothing in the program closes a handle by hand.

#include <windows.h>

#include <utility>

namespace zephyra::win32 {

template <typename Handle, typename Traits>
class Scoped {
 public:
  Scoped() = default;
  explicit Scoped(Handle handle) : handle_(handle) {}
  ~Scoped() { reset(); }
  Scoped(const Scoped&) = delete;
  Scoped& operator=(const Scoped&) = delete;
  Scoped(Scoped&& other) noexcept : handle_(std::exchange(other.handle_, Traits::invalid())) {}
  Scoped& operator=(Scoped&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, Traits::invalid());
    }
    return *this;
  }
  void reset(Handle handle = Traits::invalid()) {
    if (handle_ != Traits::invalid()) Traits::close(handle_);
    handle_ = handle;
  }
  Handle get() const { return handle_; }
  Handle release() { return std::exchange(handle_, Traits::invalid()); }
  explicit operator bool() const { return handle_ != Traits::invalid(); }

 private:
  Handle handle_ = Traits::invalid();
};

struct KernelHandleTraits {
  static HANDLE invalid() { return nullptr; }
  static void close(HANDLE h) { CloseHandle(h); }
};
struct FileHandleTraits {
  static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
  static void close(HANDLE h) { CloseHandle(h); }
};
struct RegistryKeyTraits {
  static HKEY invalid() { return nullptr; }
  static void close(HKEY h) { RegCloseKey(h); }
};
template <typename T>
struct GdiObjectTraits {
  static T invalid() { return nullptr; }
  static void close(T h) { DeleteObject(h); }
};

using ScopedHandle = Scoped<HANDLE, KernelHandleTraits>;
using ScopedFile = Scoped<HANDLE, FileHandleTraits>;
using ScopedKey = Scoped<HKEY, RegistryKeyTraits>;
template <typename T>
using ScopedGdi = Scoped<T, GdiObjectTraits<T>>;

// A window's DC from GetDC, released on scope exit.
class ScopedGetDC {
 public:
  explicit ScopedGetDC(HWND hwnd) : hwnd_(hwnd), hdc_(GetDC(hwnd)) {}
  ~ScopedGetDC() {
    if (hdc_) ReleaseDC(hwnd_, hdc_);
  }
  ScopedGetDC(const ScopedGetDC&) = delete;
  ScopedGetDC& operator=(const ScopedGetDC&) = delete;
  HDC get() const { return hdc_; }

 private:
  HWND hwnd_;
  HDC hdc_;
};

// A memory DC from CreateCompatibleDC, deleted on scope exit.
class ScopedMemoryDC {
 public:
  explicit ScopedMemoryDC(HDC reference) : hdc_(CreateCompatibleDC(reference)) {}
  ~ScopedMemoryDC() {
    if (hdc_) DeleteDC(hdc_);
  }
  ScopedMemoryDC(const ScopedMemoryDC&) = delete;
  ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;
  HDC get() const { return hdc_; }

 private:
  HDC hdc_;
};

// Selects an object into a DC and puts the previous one back on scope exit.
class ScopedSelectObject {
 public:
  ScopedSelectObject(HDC hdc, HGDIOBJ object) : hdc_(hdc), previous_(SelectObject(hdc, object)) {}
  ~ScopedSelectObject() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(hdc_, previous_);
  }
  ScopedSelectObject(const ScopedSelectObject&) = delete;
  ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

 private:
  HDC hdc_;
  HGDIOBJ previous_;
};

}  // namespace zephyra::win32
