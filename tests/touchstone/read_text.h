#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "touchstone/reader.h"

// A file's text read as the reader reads a stream.
namespace touchstone_test {

inline touchstone::Loaded Read(const std::string& text, int ports, int port = 1) {
  std::istringstream in(text);
  return touchstone::ReadPoints(in, touchstone::ReadRequest{ports, port});
}

inline std::string ErrorOf(const touchstone::Loaded& l) {
  return l.Error ? touchstone::ErrorText(*l.Error) : std::string("no error");
}

// A table row's own name as the test's name.
struct RowName {
  template <class Row>
  std::string operator()(const testing::TestParamInfo<Row>& row) const {
    return row.param.name;
  }
};

}  // namespace touchstone_test
