// Helpers over pugixml for the workbook's XML parts: elements found by their local name
// (whatever namespace prefix the file uses), new elements under the parent's prefix,
// parsing and writing a part.
#pragma once

#include <pugixml.hpp>

#include <string>
#include <string_view>

namespace gw::wb::xml {

// "x:c" and "c" both give "c".
std::string_view local_name(const char* name);
// The prefix of an element's name with its colon ("x:"), or the empty text.
std::string prefix_of(pugi::xml_node n);

// The first child element of that local name; an empty node when none.
pugi::xml_node child(pugi::xml_node parent, std::string_view local);
// A new child element under the parent's prefix, appended or inserted before `before`.
pugi::xml_node append(pugi::xml_node parent, std::string_view local);
pugi::xml_node insert_before(pugi::xml_node parent, std::string_view local, pugi::xml_node before);
pugi::xml_node insert_after(pugi::xml_node parent, std::string_view local, pugi::xml_node after);
// Sets an attribute, adding it when absent.
void set_attr(pugi::xml_node n, const char* name, std::string_view value);
// The attribute whose local name is `local` ("r:id" for "id"); an empty one when none.
pugi::xml_attribute attr_local(pugi::xml_node n, std::string_view local);

// Parses a part; raises gw::Error naming the part when it is no well-formed XML.
void parse(pugi::xml_document& doc, const std::string& data, const std::string& part);
// The part's text, with its XML declaration.
std::string write(const pugi::xml_document& doc);

}  // namespace gw::wb::xml
