// fake_ics.dll: an in-process COM server that stands in for the Internet Connection
// Sharing scripting object under the ProgID "HNetCfg.HNetShare.1", for the Wine bench.
// Register it with `regsvr32 fake_ics.dll`; see README.md for its state file and log.

#include <olectl.h>
#include <windows.h>

#include <string>

#include "platform/win32/scoped.h"
#include "tools/fake_ics/ics_objects.h"

namespace {

using zephyra::win32::ScopedKey;

// The stand-in's own class; only the ProgID is the one of Windows.
const CLSID CLSID_FakeIcs = {
    0x138a59a7, 0xd021, 0x465e, {0x83, 0x57, 0x95, 0x66, 0xfb, 0xcd, 0x8a, 0x9b}};
const wchar_t kClsidText[] = L"{138A59A7-D021-465E-8357-9566FBCD8A9B}";
const wchar_t kProgId[] = L"HNetCfg.HNetShare.1";
const wchar_t kDescription[] = L"Zephyra test stand-in for HNetCfg.HNetShare";

HINSTANCE module = nullptr;

class ClassFactory : public IClassFactory {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    bool known = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory);
    *out = known ? static_cast<IClassFactory*>(this) : nullptr;
    return known ? S_OK : E_NOINTERFACE;
  }
  // A static object: its references keep nothing alive.
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (out) *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return fake_ics::createManager(iid, out);
  }
  STDMETHODIMP LockServer(BOOL lock) override {
    fake_ics::liveObjects += lock ? 1 : -1;
    return S_OK;
  }
};

ClassFactory factory;

bool setValue(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value) {
  HKEY raw = nullptr;
  if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &raw, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  ScopedKey key(raw);
  DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        bytes) == ERROR_SUCCESS;
}

std::wstring modulePath() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring();
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!IsEqualCLSID(clsid, CLSID_FakeIcs)) return CLASS_E_CLASSNOTAVAILABLE;
  return factory.QueryInterface(iid, out);
}

STDAPI DllCanUnloadNow() { return fake_ics::liveObjects == 0 ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() {
  std::wstring path = modulePath();
  std::wstring clsidKey = std::wstring(L"CLSID\\") + kClsidText;
  bool ok =
      !path.empty() && setValue(HKEY_CLASSES_ROOT, kProgId, nullptr, kDescription) &&
      setValue(HKEY_CLASSES_ROOT, std::wstring(kProgId) + L"\\CLSID", nullptr, kClsidText) &&
      setValue(HKEY_CLASSES_ROOT, clsidKey, nullptr, kDescription) &&
      setValue(HKEY_CLASSES_ROOT, clsidKey + L"\\ProgID", nullptr, kProgId) &&
      setValue(HKEY_CLASSES_ROOT, clsidKey + L"\\InprocServer32", nullptr, path) &&
      setValue(HKEY_CLASSES_ROOT, clsidKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
  return ok ? S_OK : SELFREG_E_CLASS;
}

STDAPI DllUnregisterServer() {
  std::wstring clsidKey = std::wstring(L"CLSID\\") + kClsidText;
  LSTATUS a = RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId);
  LSTATUS b = RegDeleteTreeW(HKEY_CLASSES_ROOT, clsidKey.c_str());
  bool ok = (a == ERROR_SUCCESS || a == ERROR_FILE_NOT_FOUND) &&
            (b == ERROR_SUCCESS || b == ERROR_FILE_NOT_FOUND);
  return ok ? S_OK : SELFREG_E_CLASS;
}

}  // extern "C"
