// A database value as the program passes it in and reads it out: NULL, integer, real or text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

namespace gw::db {

// One value of a statement parameter or of a record's field.
//
// Values convert implicitly from texts, numbers and nullptr, so a parameter list reads
// naturally: conn.execute("UPDATE PIPE SET PIPE_NUMBER = ? WHERE PIPE_NUMBER = ?", {to, from}).
// A default-constructed Value is NULL.
class Value {
 public:
  enum class Kind { null, integer, real, text };

  Value() = default;
  Value(std::nullptr_t) {}
  Value(std::string text) : v_(std::move(text)) {}
  Value(std::string_view text) : v_(std::string(text)) {}
  Value(const char* text);  // a null pointer gives NULL
  Value(int number) : v_(static_cast<long long>(number)) {}
  Value(long number) : v_(static_cast<long long>(number)) {}
  Value(long long number) : v_(number) {}
  Value(double number) : v_(number) {}

  Kind kind() const { return static_cast<Kind>(v_.index()); }
  bool is_null() const { return kind() == Kind::null; }

  // The value as text: NULL gives the empty text, an integer its decimal digits, a real the
  // text the database engine writes for it (at most 15 significant digits, "5.0" for 5).
  std::string text() const;

  // The stored number: integer() for the kind integer, real() for integer and real;
  // 0 for any other kind.
  long long integer() const;
  double real() const;

  // Same kind and same value (texts compared exactly, case included).
  bool operator==(const Value& other) const = default;

 private:
  std::variant<std::monostate, long long, double, std::string> v_;
};

}  // namespace gw::db
