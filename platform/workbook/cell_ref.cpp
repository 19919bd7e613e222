// Cell references in A1 form and the moving of a formula's relative references.
#include "platform/workbook/cell_ref.h"

#include <cctype>

namespace gw::wb {

namespace {

bool is_alpha(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool is_digit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
// Characters that continue a name or a number: a reference cannot touch them.
bool is_name_char(char c) { return is_alpha(c) || is_digit(c) || c == '_' || c == '.' || c == '\\'; }

// A reference starting at `i`: [$]letters[$]digits. Sets the parts and the end.
struct RefParts {
  bool col_abs = false, row_abs = false;
  int col = 0, row = 0;
  size_t end = 0;
};

std::optional<RefParts> read_ref(std::string_view s, size_t i) {
  RefParts p;
  if (i < s.size() && s[i] == '$') {
    p.col_abs = true;
    ++i;
  }
  size_t letters = 0;
  long col = 0;
  while (i < s.size() && is_alpha(s[i])) {
    if (++letters > 3) return std::nullopt;
    col = col * 26 + (std::toupper(static_cast<unsigned char>(s[i])) - 'A' + 1);
    ++i;
  }
  if (letters == 0) return std::nullopt;
  if (i < s.size() && s[i] == '$') {
    p.row_abs = true;
    ++i;
  }
  size_t digits = 0;
  long row = 0;
  while (i < s.size() && is_digit(s[i])) {
    if (++digits > 7) return std::nullopt;
    row = row * 10 + (s[i] - '0');
    ++i;
  }
  if (digits == 0 || row < 1 || row > kMaxRow || col > kMaxCol) return std::nullopt;
  p.col = static_cast<int>(col);
  p.row = static_cast<int>(row);
  p.end = i;
  return p;
}

}  // namespace

std::string column_name(int col) {
  std::string s;
  while (col > 0) {
    int r = (col - 1) % 26;
    s.insert(s.begin(), static_cast<char>('A' + r));
    col = (col - 1) / 26;
  }
  return s;
}

std::string cell_name(int row, int col) { return column_name(col) + std::to_string(row); }

std::optional<CellPos> parse_cell(std::string_view ref) {
  auto p = read_ref(ref, 0);
  if (!p || p->end != ref.size()) return std::nullopt;
  return CellPos{p->row, p->col};
}

std::string move_formula(std::string_view f, int rows, int cols) {
  std::string out;
  out.reserve(f.size() + 8);
  size_t i = 0;
  while (i < f.size()) {
    char c = f[i];
    if (c == '"' || c == '\'') {  // a text or a quoted sheet name, doubled quotes inside
      size_t j = i + 1;
      while (j < f.size()) {
        if (f[j] == c) {
          if (j + 1 < f.size() && f[j + 1] == c) {
            j += 2;
            continue;
          }
          break;
        }
        ++j;
      }
      size_t end = j < f.size() ? j + 1 : j;
      out.append(f.substr(i, end - i));
      i = end;
      continue;
    }
    bool starts_token = i == 0 || !is_name_char(f[i - 1]);
    if (starts_token && (c == '$' || is_alpha(c))) {
      auto p = read_ref(f, i);
      bool followed_ok =
          p && (p->end >= f.size() || (!is_name_char(f[p->end]) && f[p->end] != '(' && f[p->end] != '!'));
      if (followed_ok) {
        int col = p->col_abs ? p->col : p->col + cols;
        int row = p->row_abs ? p->row : p->row + rows;
        if (col < 1 || col > kMaxCol || row < 1 || row > kMaxRow) {
          out += "#REF!";
        } else {
          if (p->col_abs) out += '$';
          out += column_name(col);
          if (p->row_abs) out += '$';
          out += std::to_string(row);
        }
        i = p->end;
        continue;
      }
      // A name or function: copy it whole so that its tail is not taken for a reference.
      size_t j = i;
      while (j < f.size() && (is_name_char(f[j]) || f[j] == '$')) ++j;
      out.append(f.substr(i, j - i));
      i = j;
      continue;
    }
    out += c;
    ++i;
  }
  return out;
}

}  // namespace gw::wb
