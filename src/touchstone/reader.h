#pragma once

#include <functional>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rf/complex.h"

// Touchstone files (versions 1.0, 1.1 and 2.0) read as the reflection of one chosen port
// across frequency. The text is read line by line and never held whole.
namespace touchstone {

// One frequency of the file: its frequency in Hz and the chosen port's reflection, with the
// other ports terminated in their reference resistances.
struct Point {
  double FreqHz = 0.0;
  rf::TComplex Refl;
};

// Where a file stops making sense, and why. Line and column count from 1; a Line of 0 means
// the fault has no place in the text (a file that cannot be opened).
struct ReadError {
  int Line = 0;
  int Column = 0;
  std::string Message;
};
// "line 12, column 3: expected a number"
std::string ErrorText(const ReadError& e);

struct ReadRequest {
  // The ports of a version 1 file, which only its name tells (PortsFromFileName); 0 when the
  // name does not say. A version 2 file names its own and this is not used.
  int Ports = 0;
  // Whose reflection: 1 reads S11, 2 reads S22, and so on.
  int Port = 1;
};

// 1 for "load.s1p", 2 for "LOAD.S2P", n for ".snp"; 0 for any other name (".ts" included).
int PortsFromFileName(std::string_view name);

// Reads the whole stream, calling sink once per frequency in increasing order. A malformed
// file gives its first fault; sink may have seen the points before it, so a caller that
// streams discards what it received when an error comes back.
std::optional<ReadError> ReadStream(std::istream& in, const ReadRequest& request,
                                    const std::function<void(const Point&)>& sink);

// The points of a whole stream or file; nothing at all when the file is malformed.
struct Loaded {
  std::vector<Point> Points;
  std::optional<ReadError> Error;
};
Loaded ReadPoints(std::istream& in, const ReadRequest& request);
// A file by its path in UTF-8; the ports of a version 1 file from its name.
Loaded ReadFile(const std::string& path, int port);

}  // namespace touchstone
