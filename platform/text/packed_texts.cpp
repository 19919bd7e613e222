// A row of texts packed into one block.
#include "platform/text/packed_texts.h"

#include <cstddef>

namespace gw::text::packed {

namespace {

// A length as seven bits a byte, low bits first, the high bit set on every byte but the last.
void put_length(std::string& out, std::size_t n) {
  while (n >= 0x80) {
    out.push_back(static_cast<char>((n & 0x7F) | 0x80));
    n >>= 7;
  }
  out.push_back(static_cast<char>(n));
}

std::size_t get_length(const std::string& row, std::size_t& at) {
  std::size_t n = 0;
  int shift = 0;
  while (at < row.size()) {
    const auto b = static_cast<unsigned char>(row[at++]);
    n |= static_cast<std::size_t>(b & 0x7F) << shift;
    if ((b & 0x80) == 0) break;
    shift += 7;
  }
  return n;
}

void put(std::string& out, std::string_view text) {
  put_length(out, text.size());
  out.append(text);
}

std::vector<std::string_view> fields(const std::string& row, int cols) {
  std::vector<std::string_view> out;
  out.reserve(static_cast<std::size_t>(cols));
  std::size_t at = 0;
  for (int c = 0; c < cols && at < row.size(); ++c) {
    const std::size_t n = get_length(row, at);
    out.emplace_back(row.data() + at, n);
    at += n;
  }
  return out;
}

}  // namespace

std::string pack(const std::vector<std::string>& texts, int cols) {
  std::size_t size = 0;
  for (const std::string& t : texts) size += t.size() + 1;
  std::string out;
  out.reserve(size + static_cast<std::size_t>(cols));
  for (int c = 0; c < cols; ++c)
    put(out, static_cast<std::size_t>(c) < texts.size() ? std::string_view(texts[static_cast<std::size_t>(c)])
                                                        : std::string_view());
  return out;
}

std::string empty(int cols) { return std::string(static_cast<std::size_t>(cols > 0 ? cols : 0), '\0'); }

std::string_view field(const std::string& row, int col) {
  std::size_t at = 0;
  for (int c = 0; at < row.size(); ++c) {
    const std::size_t n = get_length(row, at);
    if (c == col) return std::string_view(row).substr(at, n);
    at += n;
  }
  return {};
}

std::string resized(const std::string& row, int old_cols, int cols) {
  const std::vector<std::string_view> texts = fields(row, old_cols);
  std::string out;
  for (int c = 0; c < cols; ++c)
    put(out,
        static_cast<std::size_t>(c) < texts.size() ? texts[static_cast<std::size_t>(c)] : std::string_view());
  return out;
}

std::string with_field(const std::string& row, int cols, int col, std::string_view text) {
  const std::vector<std::string_view> texts = fields(row, cols);
  std::string out;
  for (int c = 0; c < cols; ++c)
    put(out, c == col                                     ? text
             : static_cast<std::size_t>(c) < texts.size() ? texts[static_cast<std::size_t>(c)]
                                                          : std::string_view());
  return out;
}

}  // namespace gw::text::packed
