// What text a project detail may hold: valid UTF-8 without control characters.
#pragma once

#include <string>

namespace gw::shell {

// Whether `s` is valid UTF-8 (a text at all, rather than bytes of something else).
bool valid_text(const std::string& s);

// Whether `s` holds a control character: C0 controls other than tab, line feed and carriage
// return, DEL, and C1 controls (U+0080 to U+009F). Only valid UTF-8 is examined.
bool has_control_characters(const std::string& s);

// `s` without control characters and without bytes that are not UTF-8. A multi-line field
// keeps its line breaks (carriage return and line feed) and tabs; a single-line field loses
// them too.
std::string without_control_characters(const std::string& s, bool multi_line);

}  // namespace gw::shell
