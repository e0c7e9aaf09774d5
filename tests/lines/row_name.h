#pragma once

#include <gtest/gtest.h>

#include <string>

namespace lines_test {

// A table row's own name as the test's name.
struct RowName {
  template <class Row>
  std::string operator()(const testing::TestParamInfo<Row>& row) const {
    return row.param.name;
  }
};

}  // namespace lines_test
