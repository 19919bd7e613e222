// The stored inputs of the time-of-concentration calculator: three comma lists kept with
// each pipe (segments 1 and 2; segments 3, 5, 4 and the total; the five switches).
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace gw::design::tc_inputs {

// Field counts of the lists and the position (0-based) of the one free list text in each
// value list: the land cover of segment 1 and the soil type of segment 3.
inline constexpr std::size_t kFirstListFields = 15;
inline constexpr std::size_t kSecondListFields = 21;
inline constexpr std::size_t kSwitchFields = 5;
inline constexpr std::size_t kLandCoverField = 4;
inline constexpr std::size_t kSoilTypeField = 4;
inline constexpr std::size_t kSurfaceTypeField = 9;

// Joins the fields with "," (no blanks, no quoting, no trailing separator).
std::string join_fields(const std::vector<std::string>& fields);

// Splits a value list of `count` fields whose field `text_field` is a free text that may
// hold commas. Pieces beyond the count belong to that field: with count + k pieces, pieces
// text_field .. text_field + k are joined again with "," and the rest follow in order.
// A list with fewer pieces gives fewer fields (the caller assigns them by position). The
// empty text gives one empty field.
std::vector<std::string> split_fields(std::string_view text, std::size_t count, std::size_t text_field);

// Splits the second value list (segments 3, 5 and 4, then the total). It holds two free
// texts, the soil type (field 5) and the surface type (field 10), with four numbers between
// them. Pieces beyond the count belong to one or both texts: the split is the one that
// leaves a number (or nothing) in each of those four fields, preferring the one that
// brings back `known_surface` whole, then the one that gives the soil type the most.
// A list with fewer pieces gives fewer fields.
std::vector<std::string> split_second_list(std::string_view text, std::string_view known_surface);

// The switch list: each switch's value as "0" (off) or "1" (on); any other value counts
// as on when it is not 0, so what is written is always "0" or "1".
std::string encode_switches(const std::array<int, kSwitchFields>& values);

// Reads the switch list by position: only a piece "1" is on (1), any other piece is off (0).
// Gives at most five values, fewer when the list is shorter.
std::vector<int> decode_switches(std::string_view text);

}  // namespace gw::design::tc_inputs
