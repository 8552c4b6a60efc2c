#include "tools/fake_ics/ics_objects.h"

#include <oleauto.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "tools/fake_ics/session.h"

namespace fake_ics {

std::atomic<long> liveObjects{0};

namespace {

// Answered only by the stand-in's own connection objects: how a method taking a
// connection finds out which one it was given.
const IID IID_FakeConnection = {
    0x6f0d2a1c, 0x8e4b, 0x4d57, {0x9a, 0x3e, 0x21, 0xc4, 0x7b, 0x50, 0xe9, 0x18}};

std::string hexCode(HRESULT hr) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
  return text;
}

BSTR toBstr(const std::string& utf8) {
  int size = static_cast<int>(utf8.size());
  int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  BSTR text = SysAllocStringLen(nullptr, length);
  if (text && length > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text, length);
  return text;
}

HRESULT answerLong(VARIANT& result, long value) {
  V_VT(&result) = VT_I4;
  V_I4(&result) = value;
  return S_OK;
}

HRESULT answerBool(VARIANT& result, bool value) {
  V_VT(&result) = VT_BOOL;
  V_BOOL(&result) = value ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT answerText(VARIANT& result, const std::string& utf8) {
  BSTR text = toBstr(utf8);
  if (!text) return E_OUTOFMEMORY;
  V_VT(&result) = VT_BSTR;
  V_BSTR(&result) = text;
  return S_OK;
}

HRESULT answerObject(VARIANT& result, IDispatch* object) {  // takes over the reference
  V_VT(&result) = VT_DISPATCH;
  V_DISPATCH(&result) = object;
  return S_OK;
}

HRESULT noArguments(const DISPPARAMS& params) {
  return params.cArgs == 0 ? S_OK : DISP_E_BADPARAMCOUNT;
}

// The argument of a one-argument method, by reference or not, converted to `type`.
HRESULT onlyArgument(const DISPPARAMS& params, VARTYPE type, VARIANT& out) {
  if (params.cArgs != 1) return DISP_E_BADPARAMCOUNT;
  VARIANT plain;
  VariantInit(&plain);
  HRESULT hr = VariantCopyInd(&plain, &params.rgvarg[0]);
  if (SUCCEEDED(hr)) hr = VariantChangeType(&out, &plain, 0, type);
  VariantClear(&plain);
  return FAILED(hr) ? DISP_E_TYPEMISMATCH : S_OK;
}

HRESULT longArgument(const DISPPARAMS& params, long& value) {
  VARIANT number;
  VariantInit(&number);
  HRESULT hr = onlyArgument(params, VT_I4, number);
  if (SUCCEEDED(hr)) value = V_I4(&number);
  return hr;
}

// Reference counting and QueryInterface for one interface; the object starts owned once.
template <typename Interface>
class ComObject : public Interface {
 public:
  ComObject() { ++liveObjects; }
  virtual ~ComObject() { --liveObjects; }
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = find(iid);
    if (!*out) return E_NOINTERFACE;
    this->AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  virtual void* find(REFIID iid) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(Interface))) {
      return static_cast<Interface*>(this);
    }
    return nullptr;
  }

 private:
  std::atomic<ULONG> references_{1};
};

struct Member {
  const wchar_t* name;
  DISPID id;
};

// Late binding by a fixed member table: names compare without regard to case, as
// VBScript's do; a member is read or called alike.
class DispatchObject : public ComObject<IDispatch> {
 public:
  template <size_t N>
  DispatchObject(std::shared_ptr<Session> session, std::string label, const Member (&members)[N])
      : session_(std::move(session)), label_(std::move(label)), members_(members), count_(N) {}

  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
  }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (count == 0) return S_OK;
    if (!names || !ids) return E_POINTER;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;  // no named arguments
    for (size_t m = 0; m < count_; ++m) {
      if (_wcsicmp(names[0], members_[m].name) == 0) ids[0] = members_[m].id;
    }
    return ids[0] != DISPID_UNKNOWN && count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
  }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO*, UINT*) override {
    if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) return DISP_E_MEMBERNOTFOUND;
    if (!params) return E_INVALIDARG;
    if (params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    VARIANT scratch;
    VariantInit(&scratch);
    VARIANT& out = result ? *result : scratch;
    VariantInit(&out);
    HRESULT hr;
    try {
      hr = call(id, *params, out);
    } catch (const std::bad_alloc&) {
      hr = E_OUTOFMEMORY;
    }
    VariantClear(&scratch);
    return hr;
  }

 protected:
  virtual HRESULT call(DISPID id, const DISPPARAMS& params, VARIANT& result) = 0;
  void log(const std::string& what) const { session_->log(label_ + "." + what); }
  std::string memberName(DISPID id) const {  // the table's names are ASCII
    for (size_t m = 0; m < count_; ++m) {
      const wchar_t* name = members_[m].name;
      if (members_[m].id == id) return std::string(name, name + wcslen(name));
    }
    return "?";
  }
  Session& session() const { return *session_; }
  const std::shared_ptr<Session>& sharedSession() const { return session_; }

 private:
  std::shared_ptr<Session> session_;
  std::string label_;
  const Member* members_;
  size_t count_;
};

constexpr Member kNoMembers[] = {{L"", DISPID_UNKNOWN}};

// A connection as the collections hand it out: the script only passes it back.
class ConnectionObject : public DispatchObject {
 public:
  ConnectionObject(std::shared_ptr<Session> session, size_t index)
      : DispatchObject(std::move(session), "connection", kNoMembers), index_(index) {}
  size_t index() const { return index_; }

 protected:
  void* find(REFIID iid) override {
    if (IsEqualIID(iid, IID_FakeConnection)) return static_cast<IDispatch*>(this);
    return DispatchObject::find(iid);
  }
  HRESULT call(DISPID, const DISPPARAMS&, VARIANT&) override { return DISP_E_MEMBERNOTFOUND; }

 private:
  size_t index_;
};

// Which of the session's connections a script passed in.
HRESULT connectionArgument(const DISPPARAMS& params, const State& state, size_t& index) {
  VARIANT argument;
  VariantInit(&argument);
  HRESULT hr = onlyArgument(params, VT_UNKNOWN, argument);
  if (FAILED(hr)) return hr;
  void* found = nullptr;
  IUnknown* unknown = V_UNKNOWN(&argument);
  hr = unknown ? unknown->QueryInterface(IID_FakeConnection, &found) : E_NOINTERFACE;
  if (SUCCEEDED(hr)) {
    auto* connection = static_cast<ConnectionObject*>(static_cast<IDispatch*>(found));
    index = connection->index();
    connection->Release();
    if (index >= state.connections.size()) hr = E_INVALIDARG;
  } else {
    hr = E_INVALIDARG;
  }
  VariantClear(&argument);
  return hr;
}

class ConnectionEnumerator : public ComObject<IEnumVARIANT> {
 public:
  ConnectionEnumerator(std::shared_ptr<Session> session, std::vector<size_t> indices)
      : session_(std::move(session)), indices_(std::move(indices)) {}

  STDMETHODIMP Next(ULONG wanted, VARIANT* items, ULONG* fetched) override {
    if (!items) return E_POINTER;
    ULONG given = 0;
    for (; given < wanted && position_ < indices_.size(); ++given, ++position_) {
      VariantInit(&items[given]);
      auto* connection = new (std::nothrow) ConnectionObject(session_, indices_[position_]);
      if (!connection) break;
      answerObject(items[given], connection);
    }
    if (fetched) *fetched = given;
    return given == wanted ? S_OK : S_FALSE;
  }
  STDMETHODIMP Skip(ULONG count) override {
    position_ = std::min<size_t>(indices_.size(), position_ + count);
    return position_ < indices_.size() ? S_OK : S_FALSE;
  }
  STDMETHODIMP Reset() override {
    position_ = 0;
    return S_OK;
  }
  STDMETHODIMP Clone(IEnumVARIANT** copy) override {
    if (!copy) return E_POINTER;
    *copy = nullptr;
    try {
      auto* twin = new ConnectionEnumerator(session_, indices_);
      twin->position_ = position_;
      *copy = twin;
      return S_OK;
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    }
  }

 private:
  std::shared_ptr<Session> session_;
  std::vector<size_t> indices_;
  size_t position_ = 0;
};

constexpr Member kCollectionMembers[] = {{L"Count", 1}, {L"_NewEnum", DISPID_NEWENUM}};

// A snapshot of the connections that matched when the script asked.
class CollectionObject : public DispatchObject {
 public:
  CollectionObject(std::shared_ptr<Session> session, std::string label, std::vector<size_t> indices)
      : DispatchObject(std::move(session), std::move(label), kCollectionMembers),
        indices_(std::move(indices)) {}

 protected:
  HRESULT call(DISPID id, const DISPPARAMS& params, VARIANT& result) override {
    if (FAILED(noArguments(params))) return DISP_E_BADPARAMCOUNT;
    if (id == 1) {
      log("Count");
      return answerLong(result, static_cast<long>(indices_.size()));
    }
    if (id != DISPID_NEWENUM) return DISP_E_MEMBERNOTFOUND;
    log("_NewEnum");
    V_VT(&result) = VT_UNKNOWN;
    V_UNKNOWN(&result) = new ConnectionEnumerator(sharedSession(), indices_);
    return S_OK;
  }

 private:
  std::vector<size_t> indices_;
};

constexpr Member kConfigurationMembers[] = {{L"SharingEnabled", 1},
                                            {L"SharingConnectionType", 2},
                                            {L"EnableSharing", 3},
                                            {L"DisableSharing", 4}};

class ConfigurationObject : public DispatchObject {
 public:
  ConfigurationObject(std::shared_ptr<Session> session, size_t index)
      : DispatchObject(session, "config[" + session->state().connections[index].name + "]",
                       kConfigurationMembers),
        index_(index) {}

 protected:
  HRESULT call(DISPID id, const DISPPARAMS& params, VARIANT& result) override {
    Connection& connection = session().state().connections[index_];
    if (id == 3) return enableSharing(params, connection);
    if (FAILED(noArguments(params))) return DISP_E_BADPARAMCOUNT;
    switch (id) {
      case 1: log("SharingEnabled"); return answerBool(result, connection.sharingEnabled);
      case 2: log("SharingConnectionType"); return answerLong(result, connection.sharingType);
      case 4:
        log("DisableSharing");
        connection.sharingEnabled = false;
        session().save();
        return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
  }

 private:
  HRESULT enableSharing(const DISPPARAMS& params, Connection& connection) {
    long type = -1;
    HRESULT hr = longArgument(params, type);
    if (FAILED(hr)) return hr;
    if (type != 0 && type != 1) hr = E_INVALIDARG;
    if (SUCCEEDED(hr) && session().state().enableSharingFails) hr = E_FAIL;
    log("EnableSharing(" + std::to_string(type) + ")" + (FAILED(hr) ? " -> " + hexCode(hr) : ""));
    if (FAILED(hr)) return hr;
    connection.sharingEnabled = true;
    connection.sharingType = type;
    session().save();
    return S_OK;
  }

  size_t index_;
};

constexpr Member kPropertiesMembers[] = {
    {L"Name", 1}, {L"Guid", 2}, {L"DeviceName", 3}, {L"Status", 4}, {L"MediaType", 5}};

class PropertiesObject : public DispatchObject {
 public:
  PropertiesObject(std::shared_ptr<Session> session, size_t index)
      : DispatchObject(session, "props[" + session->state().connections[index].name + "]",
                       kPropertiesMembers),
        index_(index) {}

 protected:
  HRESULT call(DISPID id, const DISPPARAMS& params, VARIANT& result) override {
    if (FAILED(noArguments(params))) return DISP_E_BADPARAMCOUNT;
    const Connection& connection = session().state().connections[index_];
    log(memberName(id));
    switch (id) {
      case 1: return answerText(result, connection.name);
      case 2: return answerText(result, connection.guid);
      case 3: return answerText(result, connection.deviceName);
      case 4: return answerLong(result, connection.status);
      case 5: return answerLong(result, connection.mediaType);
    }
    return DISP_E_MEMBERNOTFOUND;
  }

 private:
  size_t index_;
};

constexpr Member kManagerMembers[] = {{L"SharingInstalled", 1},
                                      {L"EnumPublicConnections", 2},
                                      {L"EnumPrivateConnections", 3},
                                      {L"EnumEveryConnection", 4},
                                      {L"INetSharingConfigurationForINetConnection", 5},
                                      {L"NetConnectionProps", 6}};

class ManagerObject : public DispatchObject {
 public:
  explicit ManagerObject(std::shared_ptr<Session> session)
      : DispatchObject(std::move(session), "manager", kManagerMembers) {}

 protected:
  HRESULT call(DISPID id, const DISPPARAMS& params, VARIANT& result) override {
    switch (id) {
      case 1: return sharingInstalled(params, result);
      case 2: return sharedConnections(params, result, "EnumPublicConnections", "public", 0);
      case 3: return sharedConnections(params, result, "EnumPrivateConnections", "private", 1);
      case 4: return everyConnection(params, result);
      case 5:
      case 6: return connectionObject(id, params, result);
    }
    return DISP_E_MEMBERNOTFOUND;
  }

 private:
  HRESULT sharingInstalled(const DISPPARAMS& params, VARIANT& result) {
    if (FAILED(noArguments(params))) return DISP_E_BADPARAMCOUNT;
    log("SharingInstalled");
    if (!session().state().sharingInstalledNull) return answerBool(result, true);
    V_VT(&result) = VT_NULL;
    return S_OK;
  }

  HRESULT sharedConnections(const DISPPARAMS& params, VARIANT& result, const char* member,
                            const char* label, long type) {
    long flags = 0;
    HRESULT hr = longArgument(params, flags);
    if (FAILED(hr)) return hr;
    log(std::string(member) + "(" + std::to_string(flags) + ")");
    return answerObject(
        result, new CollectionObject(sharedSession(), label, sharedAs(session().state(), type)));
  }

  HRESULT everyConnection(const DISPPARAMS& params, VARIANT& result) {
    if (FAILED(noArguments(params))) return DISP_E_BADPARAMCOUNT;
    log("EnumEveryConnection");
    std::vector<size_t> all(session().state().connections.size());
    for (size_t i = 0; i < all.size(); ++i) all[i] = i;
    return answerObject(result, new CollectionObject(sharedSession(), "every", all));
  }

  HRESULT connectionObject(DISPID id, const DISPPARAMS& params, VARIANT& result) {
    size_t index = 0;
    HRESULT hr = connectionArgument(params, session().state(), index);
    const char* member =
        id == 5 ? "INetSharingConfigurationForINetConnection" : "NetConnectionProps";
    std::string name = SUCCEEDED(hr) ? session().state().connections[index].name : "?";
    log(std::string(member) + "(" + name + ")" + (FAILED(hr) ? " -> " + hexCode(hr) : ""));
    if (FAILED(hr)) return hr;
    if (id == 5) return answerObject(result, new ConfigurationObject(sharedSession(), index));
    return answerObject(result, new PropertiesObject(sharedSession(), index));
  }
};

}  // namespace

HRESULT createManager(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  try {
    auto session = std::make_shared<Session>();
    session->log("create manager");
    auto* manager = new ManagerObject(session);
    HRESULT hr = manager->QueryInterface(iid, out);
    manager->Release();
    return hr;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace fake_ics
