// Texts of cells as the workbook's XML holds them.
#include "platform/workbook/cell_text.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace gw::wb {

namespace {

bool is_hex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// "_xHHHH_" at position i.
bool escape_at(std::string_view s, size_t i) {
  if (i + 7 > s.size() || s[i] != '_' || s[i + 1] != 'x' || s[i + 6] != '_') return false;
  for (size_t k = 2; k < 6; ++k)
    if (!is_hex(s[i + k])) return false;
  return true;
}

void append_utf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Length of the valid UTF-8 sequence at i (0 when invalid) and its code point.
size_t utf8_at(std::string_view s, size_t i, uint32_t& cp) {
  auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  unsigned char c = b(i);
  size_t len;
  uint32_t min;
  if (c < 0x80) {
    cp = c;
    return 1;
  }
  if ((c & 0xE0) == 0xC0) {
    len = 2;
    cp = c & 0x1F;
    min = 0x80;
  } else if ((c & 0xF0) == 0xE0) {
    len = 3;
    cp = c & 0x0F;
    min = 0x800;
  } else if ((c & 0xF8) == 0xF0) {
    len = 4;
    cp = c & 0x07;
    min = 0x10000;
  } else
    return 0;
  if (i + len > s.size()) return 0;
  for (size_t k = 1; k < len; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b(i + k) & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

}  // namespace

std::string encode_cell_text(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    uint32_t cp = 0;
    size_t len = utf8_at(s, i, cp);
    if (len == 0) {
      append_utf8(out, 0xFFFD);
      ++i;
      continue;
    }
    // A carriage return is an XML character, but readers turn a stored one into a line
    // feed: it is escaped like the characters XML cannot hold, so that it comes back.
    bool xml_char = cp == 0x9 || cp == 0xA || (cp >= 0x20 && cp != 0xFFFE && cp != 0xFFFF);
    if (!xml_char) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "_x%04X_", static_cast<unsigned>(cp));
      out += buf;
    } else if (cp == '_' && escape_at(s, i)) {
      out += "_x005F_";
    } else {
      out.append(s.substr(i, len));
    }
    i += len;
  }
  return out;
}

std::string decode_cell_text(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    if (escape_at(s, i)) {
      auto cp = static_cast<uint32_t>(std::stoul(std::string(s.substr(i + 2, 4)), nullptr, 16));
      append_utf8(out, cp >= 0xD800 && cp <= 0xDFFF ? 0xFFFD : cp);
      i += 7;
    } else {
      out += s[i++];
    }
  }
  return out;
}

}  // namespace gw::wb
