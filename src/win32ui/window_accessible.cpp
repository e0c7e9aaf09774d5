#include "win32ui/window_accessible.h"

#include <commctrl.h>
#include <oleacc.h>

#include <memory>
#include <string>

#include "mainwindow/accessible_names.h"
#include "win32ui/window_basics.h"

namespace win32ui {

namespace {

using mainwindow::AccessibleRole;

// What one control's window answers: the control it shows and what it is.
struct Served {
  const mainwindow::TForm1* Form = nullptr;
  std::string Control;  // the named control (a cell for its value label)
  AccessibleRole Role = AccessibleRole::Input;
  bool ValueLabel = false;  // the label inside a cell, which reads as the whole cell
  std::string Fixed;        // a name of its own, for a control outside the form
};

constexpr UINT_PTR kSubclassId = 0x5A41;

// Interfaces are named by __uuidof throughout: the IID_IAccessible that a static mingw-w64 link
// resolves is not the interface's identifier, and every object asked for it refuses.

BSTR Bstr(const std::string& utf8) {
  const std::wstring w = W(utf8);
  return SysAllocStringLen(w.data(), static_cast<UINT>(w.size()));
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The standard object of the window with its name (and a cell's value and role) replaced. Every
// other question goes to the standard object. A COM object ends in its own Release, never by a
// delete through the interface, which therefore has no virtual destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class NamedAccessible final : public IAccessible {
 public:
  NamedAccessible(IAccessible* standard, HWND hwnd, std::shared_ptr<const Served> served)
      : standard_(standard), hwnd_(hwnd), served_(std::move(served)) {
    standard_->AddRef();
  }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) ||
        riid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    return standard_->QueryInterface(riid, out);  // IEnumVARIANT, IOleWindow, ...
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) {
      standard_->Release();
      delete this;
    }
    return left;
  }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
    return standard_->GetTypeInfoCount(n);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID lcid, ITypeInfo** info) override {
    return standard_->GetTypeInfo(i, lcid, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT n, LCID lcid,
                                          DISPID* ids) override {
    return standard_->GetIDsOfNames(riid, names, n, lcid, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* error,
                                   UINT* arg) override {
    return standard_->Invoke(id, riid, lcid, flags, params, result, error, arg);
  }

  // IAccessible: the texts of the window's own.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (name == nullptr) return E_POINTER;
    const std::string text = NameOf(child);
    if (text.empty()) return standard_->get_accName(child, name);
    *name = Bstr(text);
    return *name != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    if (value == nullptr) return E_POINTER;
    if (!IsSelf(child) || served_->Role != AccessibleRole::Cell || !IsWindow(hwnd_) ||
        served_->Form == nullptr) {
      return standard_->get_accValue(child, value);
    }
    *value = Bstr(mainwindow::AccessibleCellValue(*served_->Form, served_->Control));
    return *value != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (role == nullptr) return E_POINTER;
    if (IsSelf(child) && served_->Role == AccessibleRole::Cell && served_->Form != nullptr) {
      role->vt = VT_I4;
      role->lVal = ROLE_SYSTEM_STATICTEXT;  // a panel's own window would read as a client area
      return S_OK;
    }
    return standard_->get_accRole(child, role);
  }

  // IAccessible: the standard object's answers.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    return standard_->get_accChild(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return standard_->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return standard_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
    return standard_->get_accHelp(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
    return standard_->get_accKeyboardShortcut(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return standard_->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* text) override {
    return standard_->get_accDefaultAction(child, text);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    return standard_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long dir, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(dir, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    return standard_->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return standard_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  ~NamedAccessible() = default;

  // Empty: the standard object's name. An up-down's arrows are its children 1 (up) and 2.
  std::string NameOf(const VARIANT& child) const {
    if (!IsWindow(hwnd_) || child.vt != VT_I4) return {};
    if (!served_->Fixed.empty()) return child.lVal == CHILDID_SELF ? served_->Fixed : "";
    const mainwindow::TForm1& f = *served_->Form;
    const std::string& control = served_->Control;
    if (child.lVal != CHILDID_SELF) {
      if (served_->Role != AccessibleRole::UpDown) return {};
      if (child.lVal == 1) return mainwindow::StepArrowName(f, control, true);
      if (child.lVal == 2) return mainwindow::StepArrowName(f, control, false);
      return {};
    }
    if (served_->Role == AccessibleRole::Cell) return mainwindow::AccessibleValueText(f, control);
    return mainwindow::AccessibleName(f, control);
  }

  IAccessible* standard_;
  HWND hwnd_;
  std::shared_ptr<const Served> served_;
  ULONG refs_ = 1;
};
#pragma GCC diagnostic pop

LRESULT CALLBACK ServedProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                            DWORD_PTR data) {
  auto* served = reinterpret_cast<std::shared_ptr<const Served>*>(data);
  switch (msg) {
    case WM_GETOBJECT:
      if (static_cast<LONG>(lp) == OBJID_CLIENT) {
        IAccessible* standard = nullptr;
        if (SUCCEEDED(CreateStdAccessibleObject(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                                                reinterpret_cast<void**>(&standard)))) {
          auto* named = new NamedAccessible(standard, hwnd, *served);
          standard->Release();
          const LRESULT r = LresultFromObject(__uuidof(IAccessible), wp, named);
          named->Release();
          return r;
        }
      }
      break;
    case WM_SETTEXT: {
      // A new value (or unit) shown: the cell's name and value change with it.
      const LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
      if ((*served)->Role == AccessibleRole::Cell && (*served)->Form != nullptr) {
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, hwnd, OBJID_CLIENT, CHILDID_SELF);
        HWND cell = (*served)->ValueLabel ? GetParent(hwnd) : hwnd;
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, cell, OBJID_CLIENT, CHILDID_SELF);
        if (cell != hwnd) NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, cell, OBJID_CLIENT, CHILDID_SELF);
      }
      return r;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, ServedProc, id);
      delete served;
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

void Serve(HWND hwnd, Served served) {
  if (hwnd == nullptr) return;
  auto* data = new std::shared_ptr<const Served>(std::make_shared<const Served>(std::move(served)));
  if (!SetWindowSubclass(hwnd, ServedProc, kSubclassId, reinterpret_cast<DWORD_PTR>(data))) {
    delete data;
  }
}

}  // namespace

void ServeAccessibleNames(const mainwindow::TForm1& form,
                          const std::function<HWND(std::string_view)>& windowOf) {
  // Handing an object to another process goes through COM; the window's thread is its
  // single apartment (a thread already initialised keeps its own).
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  (void)com;
  for (const mainwindow::AccessibleControl& a : mainwindow::AccessibleControls()) {
    const std::string control(a.Control);
    Serve(windowOf(a.Control), {&form, control, a.Role, false, {}});
    const std::string_view label = mainwindow::ValueLabelOf(a.Control);
    if (!label.empty()) Serve(windowOf(label), {&form, control, a.Role, true, {}});
  }
}

void ServeFixedName(HWND hwnd, std::string_view name) {
  Served served;
  served.Fixed = std::string(name);
  Serve(hwnd, std::move(served));
}

}  // namespace win32ui
