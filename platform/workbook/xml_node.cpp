// Helpers over pugixml for the workbook's XML parts.
#include "platform/workbook/xml_node.h"

#include <sstream>

#include "platform/error/error.h"

namespace gw::wb::xml {

std::string_view local_name(const char* name) {
  std::string_view s(name);
  size_t colon = s.find(':');
  return colon == std::string_view::npos ? s : s.substr(colon + 1);
}

std::string prefix_of(pugi::xml_node n) {
  std::string_view s(n.name());
  size_t colon = s.find(':');
  return colon == std::string_view::npos ? std::string() : std::string(s.substr(0, colon + 1));
}

pugi::xml_node child(pugi::xml_node parent, std::string_view local) {
  for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
    if (c.type() == pugi::node_element && local_name(c.name()) == local) return c;
  return {};
}

pugi::xml_node append(pugi::xml_node parent, std::string_view local) {
  return parent.append_child((prefix_of(parent) + std::string(local)).c_str());
}

pugi::xml_node insert_before(pugi::xml_node parent, std::string_view local, pugi::xml_node before) {
  if (!before) return append(parent, local);
  return parent.insert_child_before((prefix_of(parent) + std::string(local)).c_str(), before);
}

pugi::xml_node insert_after(pugi::xml_node parent, std::string_view local, pugi::xml_node after) {
  if (!after) return parent.prepend_child((prefix_of(parent) + std::string(local)).c_str());
  return parent.insert_child_after((prefix_of(parent) + std::string(local)).c_str(), after);
}

void set_attr(pugi::xml_node n, const char* name, std::string_view value) {
  pugi::xml_attribute a = n.attribute(name);
  if (!a) a = n.append_attribute(name);
  a.set_value(std::string(value).c_str());
}

pugi::xml_attribute attr_local(pugi::xml_node n, std::string_view local) {
  for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute())
    if (local_name(a.name()) == local) return a;
  return {};
}

void parse(pugi::xml_document& doc, const std::string& data, const std::string& part) {
  // Comments and processing instructions are kept: a part goes back as it came.
  const unsigned flags = pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata_single |
                         pugi::parse_comments | pugi::parse_pi;
  pugi::xml_parse_result r = doc.load_buffer(data.data(), data.size(), flags, pugi::encoding_auto);
  if (!r) throw gw::Error("The workbook part '" + part + "' is damaged (" + r.description() + ").");
}

std::string write(const pugi::xml_document& doc) {
  std::ostringstream out;
  doc.save(out, "", pugi::format_raw, pugi::encoding_utf8);
  return out.str();
}

}  // namespace gw::wb::xml
