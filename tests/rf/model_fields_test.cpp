#include "rf/model_fields.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(ModelFields, ScalarsFollowDeclarationOrderWithReflPartsExpanded) {
  const auto& f = rf::ScalarFields();
  ASSERT_EQ(f.size(), 56u);
  EXPECT_EQ(f[0].Name(), "Va");
  EXPECT_EQ(f[3].Name(), "SrcRfl.Mag");
  EXPECT_EQ(f[7].Name(), "SrcRfl.Mism");
  EXPECT_EQ(f[8].Name(), "LoaRfl.Mag");
  EXPECT_EQ(f[23].Name(), "Interf");
  EXPECT_EQ(f.back().Name(), "PloadMaxRelat");
  std::set<std::string> names;
  for (const auto& s : f) names.insert(s.Name());
  EXPECT_EQ(names.size(), f.size());
}

TEST(ModelFields, FindsScalarsByNameAndRejectsTheRest) {
  rf::ModelState m;
  m.Va = 4350;
  m.CplIdeal = true;
  m.MeaMin.Mag = -0.1;
  m.LoaRfl.Swr = 3.0;
  EXPECT_EQ(rf::FindScalarField("Va")->Value(m), 4350.0);
  EXPECT_TRUE(rf::FindScalarField("Va")->IsInt());
  EXPECT_EQ(rf::FindScalarField("CplIdeal")->Value(m), 1.0);
  EXPECT_TRUE(rf::FindScalarField("CplIdeal")->IsBool());
  EXPECT_EQ(rf::FindScalarField("MeaMin.Mag")->Value(m), -0.1);
  EXPECT_EQ(rf::FindScalarField("LoaRfl.Swr")->Value(m), 3.0);
  for (const char* bad : {"", "LoaRfl", "LoaRfl.", "LoaRfl.Foo", "Va.Mag", "Pinc.", "pinc", "X"}) {
    EXPECT_FALSE(rf::FindScalarField(bad).has_value()) << bad;
  }
}

}  // namespace
