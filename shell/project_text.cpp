// Telling and removing control characters in the texts of the project details.
#include "shell/project_text.h"

namespace gw::shell {

namespace {

// The length of the UTF-8 sequence that starts at s[i], 0 when no valid one does; its code
// point in `cp`.
size_t sequence_at(const std::string& s, size_t i, char32_t& cp) {
  const auto b = static_cast<unsigned char>(s[i]);
  if (b < 0x80) {
    cp = b;
    return 1;
  }
  size_t len = (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
  if (len == 0 || b == 0xC0 || b == 0xC1 || b > 0xF4 || i + len > s.size()) return 0;
  cp = b & (0x7F >> len);
  for (size_t k = 1; k < len; ++k) {
    const auto c = static_cast<unsigned char>(s[i + k]);
    if ((c & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (c & 0x3F);
  }
  // Overlong forms, surrogates and values past U+10FFFF are no UTF-8.
  static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kLeast[len] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return 0;
  return len;
}

// Calls `f(i, len, cp)` for each valid UTF-8 sequence of `s` in turn (at offset `i`, `len`
// bytes, code point `cp`), passing over each byte that starts none, until `f` returns false.
template <class F>
void for_each_character(const std::string& s, F f) {
  char32_t cp = 0;
  for (size_t i = 0; i < s.size();) {
    const size_t len = sequence_at(s, i, cp);
    if (len == 0) {
      ++i;
      continue;
    }
    if (!f(i, len, cp)) return;
    i += len;
  }
}

bool is_line_break(char32_t cp) { return cp == '\n' || cp == '\r'; }

bool is_control(char32_t cp) {
  return (cp < 0x20 && cp != '\t' && !is_line_break(cp)) || (cp >= 0x7F && cp <= 0x9F);
}

}  // namespace

bool valid_text(const std::string& s) {
  char32_t cp = 0;
  for (size_t i = 0; i < s.size();) {
    const size_t len = sequence_at(s, i, cp);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

bool has_control_characters(const std::string& s) {
  bool found = false;
  for_each_character(s, [&found](size_t, size_t, char32_t cp) {
    found = is_control(cp);
    return !found;
  });
  return found;
}

std::string without_control_characters(const std::string& s, bool multi_line) {
  std::string out;
  out.reserve(s.size());
  for_each_character(s, [&](size_t i, size_t len, char32_t cp) {
    if (!is_control(cp) && (multi_line || (cp != '\t' && !is_line_break(cp)))) out.append(s, i, len);
    return true;
  });
  return out;
}

}  // namespace gw::shell
