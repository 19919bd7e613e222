// Text and number views of a database value.
#include "platform/db/value.h"

#include <sqlite3.h>

namespace gw::db {

Value::Value(const char* text) {
  if (text != nullptr) v_ = std::string(text);
}

std::string Value::text() const {
  switch (kind()) {
    case Kind::null:
      return {};
    case Kind::integer:
      return std::to_string(std::get<long long>(v_));
    case Kind::real: {
      // The engine's own rendering, so a real reads the same whether it came from a query
      // or was converted here.
      char buf[64];
      sqlite3_snprintf(sizeof buf, buf, "%!.15g", std::get<double>(v_));
      return buf;
    }
    case Kind::text:
      return std::get<std::string>(v_);
  }
  return {};
}

long long Value::integer() const {
  if (kind() == Kind::integer) return std::get<long long>(v_);
  return 0;
}

double Value::real() const {
  if (kind() == Kind::real) return std::get<double>(v_);
  if (kind() == Kind::integer) return static_cast<double>(std::get<long long>(v_));
  return 0.0;
}

}  // namespace gw::db
