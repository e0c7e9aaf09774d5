#include <string>

#include "mainwindow/form.h"
#include "mainwindow/texts.h"

// The Show Note button, the help and document buttons, and the Close button.
namespace mainwindow {

namespace {

constexpr std::uint8_t kHelpModeHtml = 1;
constexpr std::uint8_t kHelpModeChm = 2;

}  // namespace

void TForm1::bShowNoteClick() {
  std::string_view note;
  if (pcResults.ActivePage == "tsTransm") {
    note = kNoteTransm;
  } else if (pcResults.ActivePage == "tsPowMeas") {
    note = kNotePowMeas;
  } else if (pcResults.ActivePage == "tsLoadMeas") {
    note = kNoteLoadMeas;
  } else {
    return;  // no sheet active: there is nothing to explain
  }
  platform_.ShowMessage(std::string(kAppTitle), std::string(note));
}

void TForm1::bCloseClick() { Close(); }

void TForm1::bHelpHtmClick() {
  MyHelp.SetMode(kHelpModeHtml);
  MyHelp.ShowTopic(platform_, std::string(kHelpStartTopic));
}

void TForm1::bHelpChmClick() {
  MyHelp.SetMode(kHelpModeChm);
  MyHelp.ShowTopic(platform_, std::string(kHelpStartTopic));
}

void TForm1::bHelpPdfClick() { platform_.OpenDocument(PdfHelpFile); }

void TForm1::bTheoryClick() { platform_.OpenDocument(TheoryFile); }

}  // namespace mainwindow
