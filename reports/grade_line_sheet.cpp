// Form LD347 laid out: the header, then one grade line row per node, branch by branch, each row
// taking its outlet water surface from the grade line of the row downstream.
#include "reports/grade_line_sheet.h"

#include <array>

#include "platform/text/packed_texts.h"

namespace gw::reports {

namespace {

// The texts of a record, packed in this order: first those the walk and the laterals read,
// so that they read no further than their own.
enum Field : int {
  kNumber,
  kNodeOut,
  kNodeIn,
  kVelocity,
  kDischarge,
  kSkew,
  kDia,
  kShape,
  kManningN,
  kSpan,
  kRise,
  kLength,
  kEleOut,
  kEleIn,
  kFlowDepth,
  kBarrels,
  kStormFreq,
  kNodeinType,
  kNodeinShaping,
  kStructureCa,
  kIntensity,
  kNodeinStation,
  kNodeinTop,
  kFields
};
// The leading texts the walk needs (number, node out, node in) and the laterals (number to
// kSkew).
constexpr std::size_t kWalkFields = kNodeIn + 1;
constexpr std::size_t kLateralFields = kSkew + 1;

using Texts = std::array<std::string_view, kFields>;

std::string pack(const GradeLineRecord& r) {
  const GradeLinePipe& p = r.pipe;
  Texts t;
  t[kNumber] = p.number;
  t[kNodeOut] = r.node_out;
  t[kNodeIn] = r.node_in;
  t[kVelocity] = p.velocity;
  t[kDischarge] = p.discharge;
  t[kSkew] = r.skew;
  t[kDia] = p.dia;
  t[kShape] = p.shape;
  t[kManningN] = p.manning_n;
  t[kSpan] = p.span;
  t[kRise] = p.rise;
  t[kLength] = p.length;
  t[kEleOut] = p.ele_out;
  t[kEleIn] = p.ele_in;
  t[kFlowDepth] = p.flow_depth;
  t[kBarrels] = p.barrels;
  t[kStormFreq] = p.storm_freq;
  t[kNodeinType] = p.nodein_type;
  t[kNodeinShaping] = p.nodein_shaping;
  t[kStructureCa] = p.structure_ca;
  t[kIntensity] = p.intensity;
  t[kNodeinStation] = p.nodein_station;
  t[kNodeinTop] = p.nodein_top;
  return text::packed::pack(t);
}

// The texts of a record, read in one pass. A block this file did not pack (none can reach
// here) reads as a record of empty texts.
Texts unpacked(const std::string& packed) {
  Texts t;
  if (!text::packed::unpack(packed, t)) t.fill({});
  return t;
}

// The first `N` texts of a record, read no further; empty texts for a block this file did
// not pack.
template <std::size_t N>
std::array<std::string_view, N> leading(const std::string& packed) {
  std::array<std::string_view, N> t;
  if (!text::packed::unpack_leading(packed, t)) t.fill({});
  return t;
}

// The key under which texts compare without regard to the case of ASCII letters.
std::string folded(std::string_view s) {
  std::string k(s);
  for (char& ch : k)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  return k;
}

char folded(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

bool same_text(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (folded(a[i]) != folded(b[i])) return false;
  return true;
}

}  // namespace

PipeLookup::PipeLookup(std::vector<GradeLineRecord> records) {
  records_.reserve(records.size());
  for (const GradeLineRecord& r : records) add(r);
}

void PipeLookup::add(const GradeLineRecord& record) {
  // A query's equality never matches a null column, read here as the empty text.
  if (!record.node_out.empty()) by_node_out_[folded(record.node_out)].push_back(records_.size());
  records_.push_back(pack(record));
}

std::optional<GradeLinePipe> PipeLookup::pipe(std::size_t index) const {
  if (index >= records_.size()) return std::nullopt;
  const Texts r = unpacked(records_[index]);
  GradeLinePipe p;
  p.number = r[kNumber];
  p.dia = r[kDia];
  p.shape = r[kShape];
  p.manning_n = r[kManningN];
  p.span = r[kSpan];
  p.rise = r[kRise];
  p.length = r[kLength];
  p.ele_out = r[kEleOut];
  p.ele_in = r[kEleIn];
  p.flow_depth = r[kFlowDepth];
  p.discharge = r[kDischarge];
  p.barrels = r[kBarrels];
  p.storm_freq = r[kStormFreq];
  p.nodein_type = r[kNodeinType];
  p.nodein_shaping = r[kNodeinShaping];
  p.structure_ca = r[kStructureCa];
  p.intensity = r[kIntensity];
  p.velocity = r[kVelocity];
  p.nodein_station = r[kNodeinStation];
  p.nodein_top = r[kNodeinTop];
  return p;
}

std::vector<GradeLineLateral> PipeLookup::laterals_into(const std::string& node,
                                                        const std::string& pipe_number) const {
  std::vector<GradeLineLateral> out;
  auto it = by_node_out_.find(folded(node));
  if (it == by_node_out_.end()) return out;
  for (std::size_t i : it->second) {
    const auto r = leading<kLateralFields>(records_[i]);
    if (same_text(r[kNumber], pipe_number)) continue;
    out.push_back({std::string(r[kNumber]), std::string(r[kVelocity]), std::string(r[kDischarge]),
                   std::string(r[kSkew])});
  }
  return out;
}

std::vector<WalkPipe> PipeLookup::walk_pipes() const {
  std::vector<WalkPipe> out;
  out.reserve(records_.size());
  for (const std::string& packed : records_) {
    const auto r = leading<kWalkFields>(packed);
    out.push_back({std::string(r[kNumber]), std::string(r[kNodeOut]), std::string(r[kNodeIn])});
  }
  return out;
}

std::string grade_line_blanks_text(const std::vector<GradeLineBlanks>& blanks) {
  std::string out;
  for (const GradeLineBlanks& b : blanks) {
    if (!out.empty()) out += "\n";
    out += "Pipe " + b.pipe + " (node " + b.node + "): column";
    if (b.columns.size() > 1) out += "s";
    for (std::size_t i = 0; i < b.columns.size(); ++i) out += (i ? ", " : " ") + std::to_string(b.columns[i]);
  }
  return out;
}

GradeLineSheetSummary write_grade_line_sheet(
    const std::vector<Branch>& branches, const GradeLineSource& pipes, const GradeLineHeader& header,
    const Units& units, const std::function<void(int row, int col, const SheetValue& v)>& put) {
  put(1, 9, SheetValue::of_label(header.project_name));
  put(1, 26, SheetValue::of_label(header.designer));
  put(kOutfallRow, 1, SheetValue::of_label(header.outfall));
  put(kOutfallRow, 25, SheetValue::of_text(header.tailwater));

  // Row of each node written (the first row for a node written twice), and the grade line
  // (column 25) of each row from the outfall's on, as the rows upstream read it back.
  std::unordered_map<std::string, int> node_rows{{header.outfall, kOutfallRow}};
  std::vector<SheetValue> grade_lines{SheetValue::of_text(header.tailwater)};
  auto grade_line_of = [&grade_lines](int row) -> const SheetValue& {
    static const SheetValue blank;
    const auto i = static_cast<std::size_t>(row - kOutfallRow);
    return i < grade_lines.size() ? grade_lines[i] : blank;
  };

  GradeLineSheetSummary summary;
  int downstream = kOutfallRow;
  int row = kOutfallRow + 1;
  for (std::size_t b = 0; b < branches.size(); ++b) {
    if (b > 0) {
      auto junction = node_rows.find(branches[b].junction);
      if (junction == node_rows.end()) break;
      downstream = junction->second;
      ++row;  // one empty row between branches
    }
    const Branch& branch = branches[b];
    for (std::size_t k = 0; k < branch.nodes.size(); ++k) {
      const std::string& node = branch.nodes[k];
      const std::optional<GradeLinePipe> pipe =
          k < branch.pipes.size() ? pipes.pipe(branch.pipes[k]) : std::nullopt;
      if (!pipe) break;
      const GradeLineRow cells = grade_line_row(node, *pipe, pipes.laterals_into(node, pipe->number),
                                                grade_line_of(downstream), units);
      for (int col = 1; col <= 27; ++col)
        if (cells[col].written()) put(row, col, cells[col]);
      GradeLineBlanks blank{pipe->number, node, {}};
      for (int col : kComputedGradeLineColumns)
        if (!cells[col].written()) blank.columns.push_back(col);
      if (!blank.columns.empty()) summary.blanks.push_back(std::move(blank));
      grade_lines.resize(static_cast<std::size_t>(row - kOutfallRow + 1));
      grade_lines.back() = cells[25];
      node_rows.emplace(node, row);
      summary.storm_frequency = cells.storm_frequency;
      ++summary.rows_written;
      downstream = row;
      ++row;
    }
  }
  put(4, 4, SheetValue::of_text(summary.storm_frequency));
  return summary;
}

}  // namespace gw::reports
