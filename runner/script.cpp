// Splitting transcripts into lines and words, and reading control references.
#include "runner/script.h"

#include <cctype>
#include <fstream>
#include <sstream>

#include "runner/failure.h"

namespace gw::runner {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool is_name_char(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

[[noreturn]] void bad_line(const std::string& file, int number, std::string_view source,
                           const std::string& why) {
  throw Failure{file, number, std::string(source), "malformed line: " + why};
}

// Splits one line; returns false when it holds only blanks or a comment.
bool split_line(std::string_view raw, int number, const std::string& file, const Paths& paths, Line& out) {
  std::vector<Word> words;
  size_t i = 0;
  size_t end_of_text = raw.size();  // where the comment starts
  while (i < raw.size()) {
    char c = raw[i];
    if (is_blank(c)) {
      ++i;
      continue;
    }
    if (c == '#') {
      end_of_text = i;
      break;
    }
    Word w;
    if (c == '"') {
      w.quoted = true;
      ++i;
      bool closed = false;
      while (i < raw.size()) {
        char d = raw[i++];
        if (d == '"') {
          closed = true;
          break;
        }
        if (d == '\\') {
          if (i >= raw.size()) break;
          char e = raw[i++];
          if (e == '"' || e == '\\')
            w.text += e;
          else if (e == 'n')
            w.text += '\n';
          else if (e == 't')
            w.text += '\t';
          else
            bad_line(file, number, raw, std::string("unknown escape \\") + e);
          continue;
        }
        w.text += d;
      }
      if (!closed) bad_line(file, number, raw, "unterminated string");
      if (i < raw.size() && !is_blank(raw[i]) && raw[i] != '#')
        bad_line(file, number, raw, "a quoted string must be followed by a blank");
    } else {
      while (i < raw.size() && !is_blank(raw[i]) && raw[i] != '#') {
        if (raw[i] == '"') bad_line(file, number, raw, "a quote inside the word " + w.text);
        w.text += raw[i++];
      }
    }
    w.text = expand(w.text, paths);
    words.push_back(std::move(w));
  }
  if (words.empty()) return false;
  if (words.front().quoted) bad_line(file, number, raw, "a line starts with a command word, not a string");
  std::string_view src = raw.substr(0, end_of_text);
  while (!src.empty() && is_blank(src.back())) src.remove_suffix(1);
  while (!src.empty() && is_blank(src.front())) src.remove_prefix(1);
  out.number = number;
  out.source = std::string(src);
  out.words = std::move(words);
  return true;
}

}  // namespace

std::string expand(std::string_view word, const Paths& paths) {
  static constexpr std::pair<const char*, std::string Paths::*> vars[] = {
      {"$TMP", &Paths::tmp}, {"$PROGRAM", &Paths::program}, {"$FIXTURES", &Paths::fixtures}};
  std::string out;
  size_t i = 0;
  while (i < word.size()) {
    bool replaced = false;
    if (word[i] == '$') {
      for (auto& [name, member] : vars) {
        std::string_view n(name);
        if (word.substr(i, n.size()) == n &&
            (i + n.size() == word.size() || !is_name_char(word[i + n.size()]))) {
          out += paths.*member;
          i += n.size();
          replaced = true;
          break;
        }
      }
    }
    if (!replaced) out += word[i++];
  }
  return out;
}

Script parse_script(std::string_view text, const std::string& file, const Paths& paths) {
  Script s;
  s.file = file;
  int number = 0;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t nl = text.find('\n', pos);
    if (nl == std::string_view::npos) nl = text.size();
    ++number;
    Line line;
    if (split_line(text.substr(pos, nl - pos), number, file, paths, line)) s.lines.push_back(std::move(line));
    pos = nl + 1;
  }
  return s;
}

Script load_script(const std::string& path, const Paths& paths) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Failure{path, 0, "a transcript file", "cannot read the file"};
  std::ostringstream ss;
  ss << in.rdbuf();
  return parse_script(ss.str(), path, paths);
}

std::string quote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string Ref::text() const {
  std::string t = window;
  if (!control.empty()) t += "." + control;
  if (index >= 0) t += "(" + std::to_string(index) + ")";
  return t;
}

std::optional<Ref> parse_ref(std::string_view word) {
  auto is_name = [](std::string_view s) {
    if (s.empty() || std::isdigit(static_cast<unsigned char>(s.front()))) return false;
    for (char c : s)
      if (!is_name_char(c)) return false;
    return true;
  };
  Ref r;
  size_t dot = word.find('.');
  if (dot == std::string_view::npos) {
    if (!is_name(word)) return std::nullopt;
    r.window = std::string(word);
    return r;
  }
  std::string_view win = word.substr(0, dot);
  std::string_view ctl = word.substr(dot + 1);
  if (!is_name(win)) return std::nullopt;
  if (!ctl.empty() && ctl.back() == ')') {
    size_t open = ctl.find('(');
    if (open == std::string_view::npos) return std::nullopt;
    std::string_view digits = ctl.substr(open + 1, ctl.size() - open - 2);
    if (digits.empty() || digits.size() > 6) return std::nullopt;
    for (char c : digits)
      if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    r.index = std::stoi(std::string(digits));
    ctl = ctl.substr(0, open);
  }
  if (!is_name(ctl)) return std::nullopt;
  r.window = std::string(win);
  r.control = std::string(ctl);
  return r;
}

}  // namespace gw::runner
