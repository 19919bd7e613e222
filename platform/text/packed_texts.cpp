// A row of texts packed into one block.
#include "platform/text/packed_texts.h"

#include <cstddef>
#include <cstring>
#include <limits>

namespace gw::text::packed {

namespace {

void put_length(std::string& out, std::size_t n) {
  while (n >= 0x80) {
    out.push_back(static_cast<char>((n & 0x7F) | 0x80));
    n >>= 7;
  }
  out.push_back(static_cast<char>(n));
}

void put(std::string& out, std::string_view text) {
  put_length(out, text.size());
  out.append(text);
}

// The text that starts at `at`: its length read, then the text itself. Moves `at` past it.
// False, leaving `text` empty, when the length is cut off by the end of the block, holds more
// bits than a length can, or gives a text that would run past the end.
inline bool next_text(std::string_view row, std::size_t& at, std::string_view& text) {
  text = {};
  // Most texts are shorter than 128 bytes: one byte of length.
  if (at < row.size() && static_cast<unsigned char>(row[at]) < 0x80) {
    const auto n = static_cast<std::size_t>(row[at]);
    if (n > row.size() - at - 1) return false;
    text = row.substr(at + 1, n);
    at += n + 1;
    return true;
  }
  std::size_t n = 0;
  for (int shift = 0; at < row.size(); shift += 7) {
    const auto b = static_cast<unsigned char>(row[at++]);
    const auto bits = static_cast<std::size_t>(b & 0x7F);
    if (shift >= std::numeric_limits<std::size_t>::digits || ((bits << shift) >> shift) != bits) return false;
    n |= bits << shift;
    if ((b & 0x80) == 0) {
      if (n > row.size() - at) return false;
      text = row.substr(at, n);
      at += n;
      return true;
    }
  }
  return false;
}

// Up to `cols` texts from the start of a row, as many as can be read.
std::vector<std::string_view> leading_texts(std::string_view row, int cols) {
  std::vector<std::string_view> out;
  out.reserve(static_cast<std::size_t>(cols > 0 ? cols : 0));
  std::size_t at = 0;
  std::string_view text;
  for (int c = 0; c < cols && at < row.size() && next_text(row, at, text); ++c) out.push_back(text);
  return out;
}

std::string_view text_or_empty(const std::vector<std::string_view>& texts, int c) {
  return static_cast<std::size_t>(c) < texts.size() ? texts[static_cast<std::size_t>(c)] : std::string_view();
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

std::string pack(std::span<const std::string_view> texts) {
  std::size_t size = 0;
  for (std::string_view t : texts) {
    std::size_t length_bytes = 1;
    for (std::size_t n = t.size(); n >= 0x80; n >>= 7) ++length_bytes;
    size += length_bytes + t.size();
  }
  // Written in place: the block is sized once and each text copied where it goes.
  std::string out(size, '\0');
  char* at = out.data();
  for (std::string_view t : texts) {
    std::size_t n = t.size();
    for (; n >= 0x80; n >>= 7) *at++ = static_cast<char>((n & 0x7F) | 0x80);
    *at++ = static_cast<char>(n);
    if (!t.empty()) std::memcpy(at, t.data(), t.size());
    at += t.size();
  }
  return out;
}

std::string empty(int cols) { return std::string(static_cast<std::size_t>(cols > 0 ? cols : 0), '\0'); }

bool unpack(std::string_view row, std::span<std::string_view> out) {
  std::size_t at = 0;
  for (std::string_view& text : out)
    if (!next_text(row, at, text)) return false;
  return at == row.size();
}

bool unpack_leading(std::string_view row, std::span<std::string_view> out) {
  std::size_t at = 0;
  for (std::string_view& text : out)
    if (!next_text(row, at, text)) return false;
  return true;
}

std::string_view field(std::string_view row, int col) {
  std::size_t at = 0;
  std::string_view text;
  for (int c = 0; at < row.size(); ++c) {
    if (!next_text(row, at, text)) return {};
    if (c == col) return text;
  }
  return {};
}

std::string resized(std::string_view row, int old_cols, int cols) {
  const std::vector<std::string_view> texts = leading_texts(row, old_cols);
  std::string out;
  for (int c = 0; c < cols; ++c) put(out, text_or_empty(texts, c));
  return out;
}

std::string with_field(std::string_view row, int cols, int col, std::string_view text) {
  const std::vector<std::string_view> texts = leading_texts(row, cols);
  std::string out;
  for (int c = 0; c < cols; ++c) put(out, c == col ? text : text_or_empty(texts, c));
  return out;
}

}  // namespace gw::text::packed
