#pragma once

#include <string>
#include <utility>
#include <vector>

// The theory document's worked example: the program's default inputs run through the model.
namespace docgen {

// Ordered name/text pairs. Names are the template's placeholders ("Pinc", "in:Va",
// "show:lbPinc2", ...) and "caption:<control>" for each window text the example quotes.
using ExampleValues = std::vector<std::pair<std::string, std::string>>;

ExampleValues ComputeExample(const std::string& version);

// Replaces every {{name}} in `text`; unknown or unterminated placeholders are listed in
// `errors` and left in place, so a template typo cannot slip into a document.
std::string ExpandTemplate(const std::string& text, const ExampleValues& values,
                           std::vector<std::string>& errors);

}  // namespace docgen
