// Where the pipe results workbook puts each PIPE value of the reported pipe.
#include "reports/pipe_results_cells.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace gw::reports {

namespace {

// Written before the fourth previous pipe.
constexpr PipeResultCell kBefore[] = {
    {11, 3, "PIPE_NUMBER"},    {12, 3, "PIPE_LENGTH"},
    {13, 3, "PIPE_ELEIN"},     {14, 3, "PIPE_ELEOUT"},
    {15, 3, "PIPE_SLOPE"},     {12, 6, "PIPE_SHAPE"},
    {13, 6, "PIPE_DIA"},       {14, 6, "SPAN"},
    {15, 6, "RISE"},           {12, 9, "PIPE_MAT"},
    {13, 9, "PIPE_MANN"},      {14, 9, "NUMOFPIPES"},
    {20, 4, "NODEIN_NO"},      {20, 5, "NODEIN_STATION"},
    {20, 6, "NODEIN_OFFSET"},  {20, 7, "NODEIN_OFFLOC"},
    {20, 8, "NODEIN_TOPELE"},  {20, 9, "NODEIN_SHAPING"},
    {21, 4, "NODEOUT_NO"},     {21, 5, "NODEOUT_STATION"},
    {21, 6, "NODEOUT_OFFSET"}, {21, 7, "NODEOUT_OFFLOC"},
    {21, 8, "NODEOUT_TOPELE"}, {25, 9, "PIPE_STORM_FREQ"},
    {26, 3, "STRUCTURE_AREA"}, {26, 6, "STRUCTURE_CA"},
    {29, 2, "PRENODE1"},       {29, 3, "PRECA1"},
    {29, 4, "PRETC1"},         {29, 5, "PREFLOWTIME1"},
    {30, 2, "PRENODE2"},       {30, 3, "PRECA2"},
    {30, 4, "PRETC2"},         {30, 5, "PREFLOWTIME2"},
    {31, 2, "PRENODE3"},       {31, 3, "PRECA3"},
    {31, 4, "PRETC3"},         {31, 5, "PREFLOWTIME3"},
};

// The fourth previous pipe, which only projects of the current kind have.
constexpr PipeResultCell kFourth[] = {
    {32, 2, "PRENODE4"},
    {32, 3, "PRECA4"},
    {32, 4, "PRETC4"},
    {32, 5, "PREFLOWTIME4"},
};

// Written after it.
constexpr PipeResultCell kAfter[] = {
    {30, 8, "LATERAL_DISCHARGE"}, {31, 8, "ACCUMULATED_TC"}, {32, 8, "PIPE_DISCHARGE"},
    {36, 3, "CAPACITY"},          {36, 6, "PIPE_FLOWDEPTH"}, {36, 9, "CRITICAL_DEPTH"},
    {37, 3, "PIPE_AREAFLOW"},     {37, 6, "PIPE_VELOCITY"},  {37, 9, "FLOW_TIME"},
    {38, 3, "PIPE_WP"},           {38, 6, "FROUDE_NO"},      {39, 3, "HYD_RADIUS"},
    {39, 6, "FLOW_TYPE"},
};

// The identifiers and names among them: written as labels.
constexpr std::string_view kLabels[] = {
    "PIPE_NUMBER",   "PIPE_SHAPE",     "PIPE_MAT",   "NODEIN_NO",       "NODEIN_STATION",
    "NODEIN_OFFLOC", "NODEIN_SHAPING", "NODEOUT_NO", "NODEOUT_STATION", "NODEOUT_OFFLOC",
    "PRENODE1",      "PRENODE2",       "PRENODE3",   "PRENODE4",        "FLOW_TYPE",
};

std::vector<PipeResultCell> make_cells(bool legacy_project) {
  std::vector<PipeResultCell> cells(std::begin(kBefore), std::end(kBefore));
  if (!legacy_project) cells.insert(cells.end(), std::begin(kFourth), std::end(kFourth));
  cells.insert(cells.end(), std::begin(kAfter), std::end(kAfter));
  for (PipeResultCell& cell : cells)
    cell.label = std::find(std::begin(kLabels), std::end(kLabels), cell.column) != std::end(kLabels);
  return cells;
}

}  // namespace

const std::vector<PipeResultCell>& pipe_result_cells(bool legacy_project) {
  static const std::vector<PipeResultCell> current = make_cells(false);
  static const std::vector<PipeResultCell> legacy = make_cells(true);
  return legacy_project ? legacy : current;
}

}  // namespace gw::reports
