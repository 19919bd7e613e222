// Tests of the pipe geometry rules: the slope from length and elevations, Manning's n from the
// material or the arch shape, and the standard-size tables with their pickers.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "design/pipe_shape_rules.h"
#include "design/pipe_size_tables.h"
#include "design/pipe_slope.h"

namespace gw::design {
namespace {

TEST(PipeSlope, Cases) {
  struct Case {
    const char* length;
    const char* elein;
    const char* eleout;
    SlopeStatus status;
    const char* text;
  };
  const Case cases[] = {
      {"200", "100.5", "99.5", SlopeStatus::computed, "0.00500"},
      {"200.000", "100.500", "99.500", SlopeStatus::computed, "0.00500"},
      {"100", "-2.5", "-3.0", SlopeStatus::computed, "0.00500"},
      {"175.5", "1498.5", "1496.25", SlopeStatus::computed, "0.01282"},
      // Five decimals, half away from zero on the decimal text: 0.000125 -> 0.00013.
      {"80", "1.01", "1", SlopeStatus::computed, "0.00013"},
      {"", "100.5", "99.5", SlopeStatus::blank, "0.0"},
      {"200", "", "99.5", SlopeStatus::blank, "0.0"},
      {"200", "100.5", "", SlopeStatus::blank, "0.0"},
      {"200", "100", "100", SlopeStatus::wrong_order, "0.0"},
      {"200", "99.5", "100.5", SlopeStatus::wrong_order, "0.0"},
      // The order is tested before the length is read.
      {"x", "99.5", "100.5", SlopeStatus::wrong_order, "0.0"},
      {"0", "100.5", "99.5", SlopeStatus::input_error, ""},
      {"0.000", "100.5", "99.5", SlopeStatus::input_error, ""},
      {".", "100.5", "99.5", SlopeStatus::input_error, ""},
      {"200", "-", "99.5", SlopeStatus::input_error, ""},
      {"200", "100.5", ".", SlopeStatus::input_error, ""},
      {"200", "1e400", "99.5", SlopeStatus::input_error, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.length) + " / " + c.elein + " / " + c.eleout);
    const SlopeResult r = compute_pipe_slope(c.length, c.elein, c.eleout);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.text, c.text);
  }
}

TEST(ManningN, MaterialOrArchShapeInTableOrder) {
  struct Case {
    const char* material;
    const char* shape;
    const char* n;  // nullptr: none
  };
  const Case cases[] = {
      {"Concrete", "Circular", "0.013"},
      {"CMP (Small Corr.)", "Box", "0.024"},
      {"CMP (Medium Corr.)", "Elliptical", "0.027"},
      {"CMP (Large Corr.)", "Circular", "0.033"},
      {"Plastic", "Circular", "0.012"},
      {"Vitrified Clay", "Circular", "0.014"},
      {"Cast Iron", "Circular", "0.013"},
      {"Brick", "Circular", "0.017"},
      {"Other", "Circular", "0.017"},
      // The arch shape wins over a later material rule, a material over a later shape rule.
      {"Plastic", "Arch-Conc", "0.013"},
      {"Brick", "Arch-L-Cor", "0.033"},
      {"CMP (Small Corr.)", "Arch-L-Cor", "0.024"},
      // Exact texts only.
      {"concrete", "Circular", nullptr},
      {"", "", nullptr},
      {"CMP", "Box", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.material) + " / " + c.shape);
    auto n = manning_n_for(c.material, c.shape);
    if (c.n) {
      ASSERT_TRUE(n);
      EXPECT_EQ(*n, c.n);
    } else {
      EXPECT_FALSE(n);
    }
  }
}

TEST(ArchMaterial, OnlyTheFourArches) {
  EXPECT_EQ(arch_material("Arch-Conc")->material, "Concrete");
  EXPECT_EQ(arch_material("Arch-S-Cor")->material, "CMP (Small Corr.)");
  EXPECT_EQ(arch_material("Arch-M-Cor")->manning_n, "0.027");
  EXPECT_EQ(arch_material("Arch-L-Cor")->material, "CMP (Large Corr.)");
  EXPECT_EQ(arch_material("Arch-L-Cor")->manning_n, "0.033");
  for (const char* shape : {"Circular", "Elliptical", "Box", "Rectangulr", "", "arch-conc"})
    EXPECT_FALSE(arch_material(shape)) << shape;
}

TEST(SizeTables, RowCountsAndEveryRowComplete) {
  const std::vector<std::pair<std::string, size_t>> counts = {
      {"frmEPipeSize", 30},   {"frmPipeSizeM", 29},   {"frmPA_C_E", 17},      {"frmPA_C_M", 17},
      {"frmPA_CMP_SC_E", 12}, {"frmPA_CMP_SC_M", 12}, {"frmPA_CMP_MC_E", 15}, {"frmPA_CMP_MC_M", 15},
      {"frmPA_CMP_LC_E", 34}, {"frmPA_CMP_LC_M", 34}};
  ASSERT_EQ(size_pickers().size(), counts.size());
  std::set<std::string> names;
  for (size_t i = 0; i < counts.size(); ++i) {
    const SizePickerLayout& p = size_pickers()[i];
    EXPECT_EQ(p.window, counts[i].first);
    EXPECT_EQ(p.rows.size(), counts[i].second) << p.window;
    names.insert(std::string(p.window));
    for (const SizeRow& r : p.rows) {
      EXPECT_FALSE(r.span.empty() || r.rise.empty() || r.area.empty() || r.radius.empty()) << p.window;
      // Each row is written back field by field as it stands.
      const std::vector<std::string> fields = split_size_row(size_row_text(r));
      EXPECT_EQ(fields, (std::vector<std::string>{std::string(r.span), std::string(r.rise),
                                                  std::string(r.area), std::string(r.radius)}));
    }
  }
  EXPECT_EQ(names.size(), counts.size());
}

TEST(SizeTables, RowsAsListed) {
  auto row = [](const char* window, size_t i) {
    for (const SizePickerLayout& p : size_pickers())
      if (p.window == window) return size_row_text(p.rows[i]);
    return std::string("?");
  };
  EXPECT_EQ(row("frmEPipeSize", 0), "23\t14\t1.757\t0.363");
  EXPECT_EQ(row("frmEPipeSize", 29), "68\t106\t39.329\t1.726");
  // The metric elliptical table has 1535 by 975 only horizontal.
  EXPECT_EQ(row("frmPipeSizeM", 16), "1535\t975\t1.176\t0.298");
  EXPECT_EQ(row("frmPipeSizeM", 17), "1730\t1095\t1.488\t0.335");
  EXPECT_EQ(row("frmPA_C_E", 5), "43.75\t26.62\t6.4\t0.68");
  EXPECT_EQ(row("frmPA_C_M", 16), "4286\t2705\t9.16\t0.814");
  EXPECT_EQ(row("frmPA_CMP_SC_E", 11), "83\t57\t26.0\t1.380");
  EXPECT_EQ(row("frmPA_CMP_MC_M", 0), "1016\t787\t0.65\t0.205");
  EXPECT_EQ(row("frmPA_CMP_LC_E", 33), "199\t121\t131\t2.98");
  // The fourth metric large-corrugation row keeps its listed span.
  EXPECT_EQ(row("frmPA_CMP_LC_M", 3), "2388\t1549\t2.60\t0.442");
}

TEST(SizeTables, PickerByShapeAndUnits) {
  struct Case {
    const char* shape;
    const char* units;
    const char* window;  // nullptr: none
  };
  const Case cases[] = {
      {"Elliptical", "ENGLISH", "frmEPipeSize"},
      {"Elliptical", "METRIC", "frmPipeSizeM"},
      {"Arch-Conc", "ENGLISH", "frmPA_C_E"},
      {"Arch-Conc", "METRIC", "frmPA_C_M"},
      {"Arch-S-Cor", "ENGLISH", "frmPA_CMP_SC_E"},
      {"Arch-S-Cor", "METRIC", "frmPA_CMP_SC_M"},
      {"Arch-M-Cor", "ENGLISH", "frmPA_CMP_MC_E"},
      {"Arch-M-Cor", "", "frmPA_CMP_MC_M"},
      {"Arch-L-Cor", "English", "frmPA_CMP_LC_M"},
      {"Arch-L-Cor", "ENGLISH", "frmPA_CMP_LC_E"},
      {"Circular", "ENGLISH", nullptr},
      {"Box", "METRIC", nullptr},
      {"Rectangulr", "ENGLISH", nullptr},
      {"", "ENGLISH", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.shape) + " / " + c.units);
    const SizePickerLayout* p = size_picker_for(c.shape, unit_system_named(c.units));
    if (c.window) {
      ASSERT_NE(p, nullptr);
      EXPECT_EQ(p->window, c.window);
    } else {
      EXPECT_EQ(p, nullptr);
    }
  }
}

TEST(SizeTables, SplitKeepsFurtherTabsInTheFourthField) {
  EXPECT_EQ(split_size_row("a\tb\tc\td\te"), (std::vector<std::string>{"a", "b", "c", "d\te"}));
  EXPECT_EQ(split_size_row("a\tb"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(split_size_row(""), (std::vector<std::string>{""}));
}

}  // namespace
}  // namespace gw::design
