// Tests of the stored time-of-concentration lists: land-cover and soil-type texts holding
// commas, empty fields, short lists and the switch list.
#include "design/tc_inputs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gw::design::tc_inputs {
namespace {

using Fields = std::vector<std::string>;

Fields first_list(const std::string& land_cover) {
  return {"100.000", "10.500", "10.000", "0.500", land_cover, "0.152", "9.453", "0.0",
          "0.0",     "0.0",    "",       "0.016", "0.0",      "0.0",   "0.0"};
}

TEST(TcInputs, FirstListRoundTripsWhateverTheLandCoverHolds) {
  for (const std::string land_cover :
       {"Forest Overland flow (0.076)", "Fallow,Contour cropped,woodland (0.152)",
        "typed, with, three, commas", ",", ""}) {
    const Fields fields = first_list(land_cover);
    const std::string stored = join_fields(fields);
    EXPECT_EQ(split_fields(stored, kFirstListFields, kLandCoverField), fields) << stored;
  }
}

TEST(TcInputs, JoinsWithBareCommasAndKeepsEmptyFields) {
  const Fields fields = first_list("Paved - shallow (0.619)");
  EXPECT_EQ(join_fields(fields),
            "100.000,10.500,10.000,0.500,Paved - shallow (0.619),0.152,9.453,0.0,0.0,0.0,,0.016,0.0,0.0,0.0");
  EXPECT_EQ(join_fields({}), "");
  EXPECT_EQ(join_fields({"", ""}), ",");
}

TEST(TcInputs, SecondListKeepsASoilTypeWithCommasWhole) {
  Fields fields(kSecondListFields, "0.0");
  fields[kSoilTypeField] = "Grass, dense, typed";
  fields[9] = "Natural basin with well defined channel";
  fields[20] = "12.345";
  EXPECT_EQ(split_fields(join_fields(fields), kSecondListFields, kSoilTypeField), fields);
}

TEST(TcInputs, SecondListKeepsCommasInBothFreeTextsWithTheirFields) {
  constexpr const char* kKnown = "Natural basin with well defined channel";
  struct Case {
    const char* soil;
    const char* surface;
    const char* c_value;
  } cases[] = {
      {"Paved", kKnown, "0.90"},
      {"Clay, sandy", kKnown, "0.47"},
      {"Grass, 2, dense", kKnown, "0.21"},  // a number inside the soil type
      {"Paved", "Basin, shallow", "0.90"},
      {"Clay, sandy", "Basin, shallow, wide", "0.47"},
      {",", kKnown, ""},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    Fields fields = {"200.000", "10.000",   "6.000",   "0.0200", c.soil,  c.c_value, "20.855",
                     "10.000",  "1000.000", c.surface, "1.0",    "9.701", "300.000", "5.000",
                     "2.000",   "0.0100",   "0.016",   "1.500",  "4.830", "0.0",     "32.227"};
    EXPECT_EQ(split_second_list(join_fields(fields), kKnown), fields) << c.soil << " | " << c.surface;
  }
  EXPECT_EQ(split_second_list("1.000,2.000", kKnown), (Fields{"1.000", "2.000"}));
}

TEST(TcInputs, ShortOrEmptyListsGiveTheFieldsThereAre) {
  EXPECT_EQ(split_fields("1.000,2.000,3.000", kFirstListFields, kLandCoverField),
            (Fields{"1.000", "2.000", "3.000"}));
  EXPECT_EQ(split_fields("", kFirstListFields, kLandCoverField), (Fields{""}));
}

TEST(TcInputs, SwitchList) {
  EXPECT_EQ(encode_switches({0, 0, 0, 0, 0}), "0,0,0,0,0");
  EXPECT_EQ(encode_switches({1, 0, 1, 0, 0}), "1,0,1,0,0");
  EXPECT_EQ(encode_switches({2, 0, 0, 0, 1}), "1,0,0,0,1");  // a grayed box counts as on

  struct Case {
    const char* stored;
    std::vector<int> values;
  } cases[] = {
      {"1,0,1,0,0", {1, 0, 1, 0, 0}},
      {"0,0,0,0,0", {0, 0, 0, 0, 0}},
      {"1,0", {1, 0}},                     // short: the rest stay as they are
      {"1,x,,-1,0.5", {1, 0, 0, 0, 0}},    // only "1" is on
      {"2,01,1.0, 1,1", {0, 0, 0, 0, 1}},  // other numbers, other forms of one: off
      {"1,1,1,1,1,1,1", {1, 1, 1, 1, 1}},  // surplus ignored
  };
  for (const Case& c : cases) EXPECT_EQ(decode_switches(c.stored), c.values) << c.stored;
}

}  // namespace
}  // namespace gw::design::tc_inputs
