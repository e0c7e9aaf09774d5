#include "views/caption.h"

#include "lines/frequency.h"
#include "views/texts.h"

namespace views {

std::string WindowCaption(std::string_view caption, std::string_view caseName,
                          std::string_view measuredLoad) {
  std::string title;
  if (!caseName.empty()) {
    title.append(caseName);
    title.append(kCaptionCaseSeparator);
  }
  title.append(caption);
  if (!measuredLoad.empty()) {
    title.append(kCaptionCaseSeparator);
    title.append(measuredLoad);
  }
  return title;
}

std::string MeasuredLoadNote(std::string_view fileName, double hz) {
  if (fileName.empty()) return {};
  std::string note(fileName);
  note.append(kCaptionLoadAt);
  note.append(lines::FormatFrequency(hz));
  return note;
}

}  // namespace views
