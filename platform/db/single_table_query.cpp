// A small tokenizer that tells a plain one-table query from any other SQL text.
#include "platform/db/single_table_query.h"

#include <string>
#include <vector>

#include "platform/text/ascii_case.h"

namespace gw::db::detail {

namespace {

struct Token {
  enum class Kind { word, quoted_name, literal, symbol } kind;
  std::string_view text;
  std::size_t end;  // offset just after the token
};

bool is_word_char(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         static_cast<unsigned char>(c) >= 0x80;
}

// Splits the text into tokens; no value for an unterminated quote or a comment (a comment is
// legal SQL, but nothing this layer writes has one, so such a text is simply not editable).
std::optional<std::vector<Token>> tokenize(std::string_view sql) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < sql.size()) {
    const char c = sql[i];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      ++i;
      continue;
    }
    if ((c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') ||
        (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*'))
      return std::nullopt;
    const std::size_t start = i;
    if (c == '\'' || c == '"' || c == '`' || c == '[') {
      const char close = c == '[' ? ']' : c;
      ++i;
      for (;;) {
        if (i >= sql.size()) return std::nullopt;
        if (sql[i] == close) {
          // A doubled quote stands for itself inside the quotes.
          if (close != ']' && i + 1 < sql.size() && sql[i + 1] == close) {
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        ++i;
      }
      tokens.push_back(
          {c == '\'' ? Token::Kind::literal : Token::Kind::quoted_name, sql.substr(start, i - start), i});
      continue;
    }
    if (is_word_char(c)) {
      while (i < sql.size() && is_word_char(sql[i])) ++i;
      tokens.push_back({Token::Kind::word, sql.substr(start, i - start), i});
      continue;
    }
    ++i;
    tokens.push_back({Token::Kind::symbol, sql.substr(start, 1), i});
  }
  return tokens;
}

bool is_word(const Token& t, std::string_view word) {
  return t.kind == Token::Kind::word && text::iequals(t.text, word);
}

bool is_name(const Token& t) { return t.kind == Token::Kind::word || t.kind == Token::Kind::quoted_name; }

// Words that end the table part of the FROM clause in a plain query.
bool ends_from_clause(const Token& t) {
  return is_word(t, "WHERE") || is_word(t, "ORDER") || is_word(t, "LIMIT") ||
         (t.kind == Token::Kind::symbol && t.text == ";");
}

}  // namespace

std::optional<std::size_t> single_table_query(std::string_view sql) {
  const auto tokens = tokenize(sql);
  if (!tokens || tokens->empty() || !is_word(tokens->front(), "SELECT")) return std::nullopt;

  static constexpr std::string_view refused[] = {"SELECT",    "DISTINCT", "GROUP", "HAVING", "UNION",
                                                 "INTERSECT", "EXCEPT",   "JOIN",  "WINDOW", "VALUES"};
  std::size_t from = 0;
  for (std::size_t k = 1; k < tokens->size(); ++k) {
    const Token& t = (*tokens)[k];
    for (std::string_view word : refused)
      if (is_word(t, word)) return std::nullopt;
    if (is_word(t, "FROM")) {
      if (from != 0) return std::nullopt;
      from = k;
    }
  }
  if (from == 0) return std::nullopt;

  // FROM table [[AS] alias], then the end or WHERE / ORDER / LIMIT.
  std::size_t k = from + 1;
  if (k >= tokens->size() || !is_name((*tokens)[k])) return std::nullopt;
  ++k;
  if (k < tokens->size() && is_word((*tokens)[k], "AS")) ++k;
  if (k < tokens->size() && is_name((*tokens)[k]) && !ends_from_clause((*tokens)[k])) ++k;
  if (k < tokens->size() && !ends_from_clause((*tokens)[k])) return std::nullopt;
  return tokens->front().end;
}

}  // namespace gw::db::detail
