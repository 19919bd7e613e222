// The program's failure type: an exception carrying the description shown to the user.
#pragma once

#include <stdexcept>

namespace gw {

struct Error : std::runtime_error {
  using runtime_error::runtime_error;
};

// Descriptions of the run-time failures the number layer raises, worded as the users know them.
namespace runtime_message {
inline constexpr const char* type_mismatch = "Type mismatch";
inline constexpr const char* overflow = "Overflow";
inline constexpr const char* division_by_zero = "Division by zero";
inline constexpr const char* invalid_call = "Invalid procedure call or argument";
}  // namespace runtime_message

}  // namespace gw
