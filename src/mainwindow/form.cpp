#include <string>
#include <type_traits>

#include "mainwindow/design.h"
#include "mainwindow/form.h"
#include "mainwindow/texts.h"
#include "rf/reflection.h"

namespace mainwindow {

namespace {

template <class T>
ControlRef Ref(std::string_view name, T& control) {
  return ControlRef{name, KindOf(&control), ControlPtr{&control}};
}

std::vector<std::string> ToStrings(const std::vector<std::string_view>& items) {
  return {items.begin(), items.end()};
}

// Copies one design entry into the control it describes. Indexes and Checked go through
// their setters while no handler is bound yet, so applying the design raises nothing.
struct DesignApplier {
  const DesignEntry& d;

  void Base(ControlBase& c) const {
    c.Enabled = true;
    c.Visible = d.Visible;
    c.Hint = std::string(d.Hint);
  }
  void operator()(FormProps*) const {}
  void operator()(GroupBox* c) const {
    Base(*c);
    c->Caption = std::string(d.Caption);
    c->Color = d.Color;
  }
  void operator()(Label* c) const {
    Base(*c);
    c->Caption = std::string(d.Caption);
    c->Color = d.Color;
  }
  void operator()(Panel* c) const {
    Base(*c);
    c->Caption = std::string(d.Caption);
    c->Color = d.Color;
  }
  void operator()(Edit* c) const {
    Base(*c);
    c->Text = std::string(d.Caption);
    c->Color = d.Color;
  }
  void operator()(DropDown* c) const {
    Base(*c);
    c->Items = ToStrings(d.Items);
    c->Color = d.Color;
    c->SetItemIndex(d.ItemIndex);
  }
  void operator()(UpDown* c) const {
    Base(*c);
    c->Min = d.Min;
    c->Max = d.Max;
    c->Increment = d.Increment;
    c->Wrap = d.Wrap;
    c->Associate = std::string(d.Associate);
    c->SetPosition(d.Position);
  }
  void operator()(CheckBox* c) const {
    Base(*c);
    c->Caption = std::string(d.Caption);
    c->SetChecked(d.Checked);
  }
  void operator()(RadioGroup* c) const {
    Base(*c);
    c->Caption = std::string(d.Caption);
    c->Items = ToStrings(d.Items);
    c->Columns = d.Columns;
    c->SetItemIndex(d.ItemIndex);
  }
  void operator()(Button* c) const {
    Base(*c);
    c->Caption = std::string(d.Caption);
    c->Default = d.Default;
  }
  void operator()(PageControl* c) const {
    Base(*c);
    c->ActivePage = std::string(d.ActivePage);
  }
  void operator()(TabSheet* c) const {
    Base(*c);
    c->Caption = std::string(d.Caption);
  }
};

}  // namespace

TForm1::TForm1(env::Platform& platform) : platform_(platform) {
  BuildRegistry();
  ApplyDesign();
  BindEvents();
}

void TForm1::BuildRegistry() {
  registry_ = {Ref("Form1", Form1),
#define ZEPHLANE_REGISTER_CONTROL(Kind, name) Ref(#name, name),
               ZEPHLANE_FORM_CONTROLS(ZEPHLANE_REGISTER_CONTROL)
#undef ZEPHLANE_REGISTER_CONTROL
  };
}

void TForm1::ApplyDesign() {
  const FormDesign& fd = Form1Design();
  Form1.Caption = std::string(fd.Caption);
  Form1.Left = fd.Left;
  Form1.Top = fd.Top;
  Form1.ClientWidth = fd.ClientWidth;
  Form1.ClientHeight = fd.ClientHeight;
  Form1.Color = TColor::clBtnFace;
  Form1.Resizable = true;
  for (const ControlRef& ref : registry_) {
    if (ref.Kind == ControlKind::Form) continue;
    // The design table's own test proves it covers every control; a gap leaves defaults.
    if (const DesignEntry* d = FindDesign(ref.Name)) std::visit(DesignApplier{*d}, ref.Ptr);
  }
}

const ControlBase* BaseOf(const ControlPtr& ptr) {
  return std::visit(
      [](auto* p) -> const ControlBase* {
        if constexpr (std::is_base_of_v<ControlBase, std::remove_pointer_t<decltype(p)>>) {
          return p;
        } else {
          return nullptr;
        }
      },
      ptr);
}

std::span<const ControlRef> TForm1::Controls() const { return registry_; }

const ControlRef* TForm1::FindControl(std::string_view name) const {
  for (const ControlRef& ref : registry_) {
    if (ref.Name == name) return &ref;
  }
  return nullptr;
}

void TForm1::PrepareForShow() {
  pcResults.ActivePage = "tsTransm";
  TreatEdDire();
  NaplnFactors();
  ShowPowMeas();
  // The client area ends 4 pixels right of the Magnetron Output group and 2 pixels below
  // the result pages; from here on the window keeps that size.
  const DesignEntry* out = FindDesign("gbMgOutput");
  const DesignEntry* pages = FindDesign("pcResults");
  if (out != nullptr) Form1.ClientWidth = out->Left + out->Width + 4;
  if (pages != nullptr) Form1.ClientHeight = pages->Top + pages->Height + 2;
  Form1.Resizable = false;
  // The first reading of the reflection edits falls back to these forms when their text is
  // not a number.
  rf::ReflFromMag(SrcRfl);
  rf::ReflFromMag(LoaRfl);
  bEvaluateClick();
  SetInitialFocus("edAnodeV");
}

}  // namespace mainwindow
