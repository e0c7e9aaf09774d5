#pragma once

#include <string>

// A value or the message that says why there is none.
namespace lines {

template <class T>
struct Result {
  T Value{};
  std::string Error;  // empty when Value holds
  bool Ok() const { return Error.empty(); }
};

}  // namespace lines
