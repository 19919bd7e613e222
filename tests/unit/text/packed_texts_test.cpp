// The packed rows: texts on each side of the length encoding's byte boundaries come back whole
// through every way of changing a row, and a malformed block is refused without a read past
// its end.
#include "platform/text/packed_texts.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

namespace {

using namespace gw::text;

// A text of `n` bytes that shows where it was cut: 'a', 'b', 'c'... over and over.
std::string text_of(std::size_t n) {
  std::string t(n, ' ');
  for (std::size_t i = 0; i < n; ++i) t[i] = static_cast<char>('a' + i % 26);
  return t;
}

TEST(PackedTexts, TextsAtTheLengthsByteBoundariesComeBackWhole) {
  struct Case {
    std::size_t size;
    std::size_t length_bytes;  // seven bits a byte
  };
  const Case cases[] = {{0, 1}, {127, 1}, {128, 2}, {16383, 2}, {16384, 3}};
  for (const Case& c : cases) {
    const std::string t = text_of(c.size);
    const std::string row = packed::pack({"P1", t}, 3);
    // "P1" (1 + 2 bytes), the text, and an empty third text (1 byte).
    EXPECT_EQ(row.size(), 3 + c.length_bytes + c.size + 1) << c.size;
    const std::array<std::string_view, 3> views{"P1", t, ""};
    EXPECT_EQ(packed::pack(views), row) << c.size;
    std::array<std::string_view, 3> texts;
    ASSERT_TRUE(packed::unpack(row, texts)) << c.size;
    EXPECT_EQ(texts[0], "P1") << c.size;
    EXPECT_EQ(texts[1], t) << c.size;
    EXPECT_EQ(texts[2], "") << c.size;
    EXPECT_EQ(packed::field(row, 1), t) << c.size;
    std::array<std::string_view, 2> first_two;
    ASSERT_TRUE(packed::unpack_leading(row, first_two)) << c.size;
    EXPECT_EQ(first_two[1], t) << c.size;
    EXPECT_EQ(packed::field(row, 2), "") << c.size;

    // Written into a row, and behind a text that grows past a boundary, it stays whole.
    const std::string written = packed::with_field(packed::empty(3), 3, 2, t);
    EXPECT_EQ(packed::field(written, 2), t) << c.size;
    const std::string behind = packed::with_field(row, 3, 0, text_of(200));
    EXPECT_EQ(packed::field(behind, 0), text_of(200)) << c.size;
    EXPECT_EQ(packed::field(behind, 1), t) << c.size;
    const std::string wider = packed::resized(row, 3, 4);
    std::array<std::string_view, 4> four;
    ASSERT_TRUE(packed::unpack(wider, four)) << c.size;
    EXPECT_EQ(four[1], t) << c.size;
    EXPECT_EQ(four[3], "") << c.size;
    EXPECT_EQ(packed::field(packed::resized(row, 3, 2), 1), t) << c.size;
  }
}

TEST(PackedTexts, AMalformedBlockIsRefusedAndNothingPastItsEndIsRead) {
  // Each block lies at the front of a larger buffer whose bytes past the block spell "XYZ...": a
  // read past the block's end would return them.
  struct Case {
    const char* what;
    std::string block;
    int texts;
  };
  const std::string too_large = std::string(10, '\xFF') + '\x01';  // more than 64 bits of length
  const Case cases[] = {
      {"text past the end", std::string("\x05" "ab"), 1},
      {"second text past the end", std::string("\x01" "a" "\x03" "b"), 2},
      {"length cut off", std::string("\x01" "a" "\x85"), 2},
      {"length past what a length holds", too_large, 1},
      {"length near the largest size", std::string(9, '\xFF') + '\x01', 1},
      {"fewer texts than the row has", std::string("\x01" "a"), 2},
      {"bytes after the last text", std::string("\x01" "a" "\x01" "b"), 1},
  };
  for (const Case& c : cases) {
    const std::string buffer = c.block + "XYZXYZXYZXYZ";
    const std::string_view block = std::string_view(buffer).substr(0, c.block.size());
    std::array<std::string_view, 2> texts;
    const auto wanted = std::span(texts).first(static_cast<std::size_t>(c.texts));
    EXPECT_FALSE(packed::unpack(block, wanted)) << c.what;
    // Reading only the leading texts, a fault among them is refused too, and a longer block is not.
    if (std::string_view(c.what) != "bytes after the last text")
      EXPECT_FALSE(packed::unpack_leading(block, wanted)) << c.what;
    else
      EXPECT_TRUE(packed::unpack_leading(block, wanted)) << c.what;
    for (int col = 0; col < 3; ++col) {
      const std::string_view f = packed::field(block, col);
      EXPECT_TRUE(f.empty() || (f.data() >= block.data() && f.data() + f.size() <= block.data() + block.size()))
          << c.what << ", text " << col;
      EXPECT_EQ(f.find('X'), std::string_view::npos) << c.what << ", text " << col;
    }
  }
  // The texts before the fault still read; the faulty one and any after it are empty.
  const std::string buffer = std::string("\x01" "a" "\x05" "b") + "XYZXYZ";
  const std::string_view block = std::string_view(buffer).substr(0, 4);
  EXPECT_EQ(packed::field(block, 0), "a");
  EXPECT_EQ(packed::field(block, 1), "");
  EXPECT_EQ(packed::field(packed::with_field(block, 2, 0, "c"), 1), "");
}

}  // namespace
