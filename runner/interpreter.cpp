// The interpreter's line loop, modal blocks, and how lines name windows and controls.
#include "runner/interpreter.h"

#include <algorithm>
#include <cstdio>
#include <exception>

#include "runner/host_access.h"

namespace gw::runner {

namespace {

// Keeps the line being run on the stack of current lines, also when a failure unwinds.
class CurrentLine {
 public:
  CurrentLine(std::vector<const Line*>& stack, const Line* line) : stack_(stack) { stack_.push_back(line); }
  ~CurrentLine() { stack_.pop_back(); }
  CurrentLine(const CurrentLine&) = delete;
  CurrentLine& operator=(const CurrentLine&) = delete;

 private:
  std::vector<const Line*>& stack_;
};

template <class T>
class Pushed {
 public:
  Pushed(std::vector<T*>& stack, T* item) : stack_(stack) { stack_.push_back(item); }
  ~Pushed() { stack_.pop_back(); }
  Pushed(const Pushed&) = delete;
  Pushed& operator=(const Pushed&) = delete;

 private:
  std::vector<T*>& stack_;
};

}  // namespace

bool is_program_word(std::string_view word) {
  return word == "message" || word == "save" || word == "open" || word == "modal" || word == "document";
}

const CommandTable& builtin_commands() {
  static const CommandTable table = [] {
    CommandTable t;
    add_user_commands(t);
    add_check_commands(t);
    add_setup_commands(t);
    return t;
  }();
  return table;
}

Interpreter::Interpreter(Script script, Paths paths)
    : script_(std::move(script)), paths_(std::move(paths)), host_(*this) {}

void Interpreter::attach(Session session) { session_ = std::move(session); }

ui::Forms& Interpreter::forms() const { return *session_.forms; }

void Interpreter::fail(const Line& at, std::string actual) const {
  throw Failure{script_.file, at.number, at.source, std::move(actual)};
}

void Interpreter::print(const std::string& text) const {
  const std::string out = script_.file + ":" + text;
  if (printer) {
    printer(out);
    return;
  }
  std::printf("%s\n", out.c_str());
  std::fflush(stdout);
}

void Interpreter::run() {
  if (!session_.forms) throw Failure{script_.file, 0, "a program to drive", "no program is attached"};
  // Every command word must be known before anything runs, so that a misspelt line late
  // in a transcript does not go unnoticed until then.
  for (const Line& ln : script_.lines) {
    const std::string& w = ln.command();
    if (w != "end" && !is_program_word(w) && !builtin_commands().count(w)) fail(ln, "unknown command " + w);
  }
  pos_ = 0;
  while (const Line* ln = peek()) {
    ++pos_;
    execute(*ln);
  }
}

void Interpreter::execute(const Line& line) {
  CurrentLine guard(current_, &line);
  clock_reads_ = 0;
  const std::string& word = line.command();
  if (word == "end") fail(line, "no modal window is open");
  if (is_program_word(word)) fail(line, "the program showed nothing");
  const Command& cmd = builtin_commands().find(word)->second;
  try {
    cmd(*this, line);
  } catch (const std::exception& e) {
    // A program failure that no handler caught, or a runner step that failed: either way
    // the scenario stops here.
    fail(line, std::string("unhandled error: ") + e.what());
  }
  // The program has come back to this level with a modal block left open. While a show
  // of that block is still under way further out, the block's opener decides: it may
  // show the window again.
  if (pending_ && std::none_of(frames_.begin(), frames_.end(),
                               [this](const Frame* f) { return f->block == pending_->block; }))
    fail_pending();
}

void Interpreter::run_modal(ui::Form& f, Block& block) {
  Frame frame{&f, &block};
  Pushed<Frame> guard(frames_, &frame);
  for (;;) {
    // Ended, or closed by an inner show of the same block and waiting to be shown again.
    if (block.ended || (pending_ && pending_->block == &block)) return;
    const Line* next = peek();
    if (frame.closed) {
      if (next && next->command() == "end") {
        ++pos_;
        block.ended = true;
      } else {
        // Either the program shows the window again at once (a rebuild), continuing this
        // block, or it goes on with something else, which fails.
        pending_ = Pending{&block, next ? next->number : script_.lines.back().number};
      }
      return;
    }
    if (!next) {
      throw Failure{script_.file, block.line, "modal " + block.window,
                    "the transcript ends with " + block.window + " still open"};
    }
    if (next->command() == "end") {
      ++pos_;
      // An ended program has no windows left: its blocks end as the transcript says.
      if (ended_) {
        block.ended = true;
        return;
      }
      fail(*next, block.window + " is still open");
    }
    ++pos_;
    execute(*next);
  }
}

void Interpreter::fail_unexpected(const std::string& actual) const {
  const Line* next = peek();
  // The line that made the program act is where the transcript needs a new line after it.
  if (!current_.empty() && next)
    fail(*current_.back(), actual + " before line " + std::to_string(next->number) + ": " + next->source);
  if (next) fail(*next, actual);
  int at = !current_.empty()       ? current_.back()->number
           : script_.lines.empty() ? 0
                                   : script_.lines.back().number;
  throw Failure{script_.file, at, "end of transcript", actual};
}

void Interpreter::fail_pending() const {
  const std::string& w = pending_->block->window;
  throw Failure{script_.file, pending_->line, "end of the modal " + w + " block",
                w + " closed but block not ended"};
}

void Interpreter::require_running(const Line& at) const {
  if (!session_.forms) fail(at, "no program is attached");
  if (ended_) fail(at, "the program has ended");
}

ui::Form* Interpreter::form_if_loaded(const Line& at, const std::string& window) const {
  if (!forms().knows(window)) fail(at, "the program has no window " + window);
  ui::Form* f = forms().existing(window);
  return f && f->is_loaded() ? f : nullptr;
}

ui::Form& Interpreter::form_for_check(const Line& at, const std::string& window) const {
  ui::Form* f = form_if_loaded(at, window);
  if (!f) fail(at, window + " is not loaded");
  return *f;
}

Target Interpreter::control_for_check(const Line& at, const Ref& ref) const {
  ui::Form& f = form_for_check(at, ref.window);
  Target t{&f, nullptr, 0, ref.text()};
  if (ref.index >= 0) {
    ui::Control* whole = f.find(host_key, ref.control);
    if (whole && (whole->kind() == ui::Kind::StatusBar || whole->kind() == ui::Kind::Toolbar)) {
      int count = whole->kind() == ui::Kind::StatusBar ? whole->panel_count()
                                                       : static_cast<int>(whole->buttons().size());
      if (ref.index < 1 || ref.index > count)
        fail(at, ref.window + "." + ref.control + " has " + std::to_string(count) +
                     (whole->kind() == ui::Kind::StatusBar ? " panels" : " buttons") + " (counted from 1)");
      t.control = whole;
      t.item = ref.index;
      return t;
    }
  }
  t.control = f.find(host_key, ref.control, ref.index);
  if (!t.control) {
    std::string key = ref.control + (ref.index >= 0 ? "(" + std::to_string(ref.index) + ")" : "");
    // The layouts name a control array's member "Area_9" (a widget's name cannot hold
    // parentheses); a transcript names it as the window does.
    if (const size_t u = ref.control.rfind('_');
        ref.index < 0 && u != std::string::npos && u > 0 && u + 1 < ref.control.size() &&
        u + 7 > ref.control.size() &&
        ref.control.find_first_not_of("0123456789", u + 1) == std::string::npos) {
      const std::string member = ref.control.substr(0, u) + "(" + ref.control.substr(u + 1) + ")";
      if (f.find(host_key, ref.control.substr(0, u), std::stoi(ref.control.substr(u + 1))))
        fail(at, ref.window + " has no control " + key + "; the member of the control array is written " +
                     ref.window + "." + member);
    }
    fail(at, ref.window + " has no control " + key);
  }
  return t;
}

ui::Form& Interpreter::form_for_user(const Line& at, const std::string& window) const {
  require_running(at);
  ui::Form& f = form_for_check(at, window);
  if (!f.is_visible()) fail(at, window + " is not shown");
  return f;
}

namespace {

// What a failure calls the container that holds a control.
std::string container_word(const ui::Control& container) {
  switch (container.kind()) {
    case ui::Kind::Frame:
      return "frame";
    case ui::Kind::TabStrip:
      return "tab strip";
    default:
      return "container";
  }
}

}  // namespace

Target Interpreter::control_for_user(const Line& at, const Ref& ref) const {
  form_for_user(at, ref.window);
  Target t = control_for_check(at, ref);
  ui::Control& c = *t.control;
  bool enabled = c.enabled();
  bool visible = c.visible();
  if (t.item > 0 && c.kind() == ui::Kind::Toolbar) {
    const ui::ToolButton& b = c.buttons()[static_cast<size_t>(t.item - 1)];
    enabled = enabled && b.enabled;
    visible = visible && b.visible;
  }
  if (!visible) fail(at, t.name + " is hidden");
  if (!enabled) fail(at, t.name + " is disabled");
  // The toolkit refuses the user a control inside a hidden or disabled frame, whatever the
  // control's own flags say.
  int page = 0;
  if (const ui::Control* s = t.form->strip_showing_another_page(c, &page))
    fail(at, t.name + " is hidden: its page " + std::to_string(page) + " of " + s->key() + " is");
  if (const ui::Control* h = t.form->hidden_container(c))
    fail(at, t.name + " is hidden: its " + container_word(*h) + " " + h->key() + " is");
  if (const ui::Control* d = t.form->disabled_container(c))
    fail(at, t.name + " is disabled: its " + container_word(*d) + " " + d->key() + " is");
  return t;
}

void Interpreter::program_clock_read() {
  if (++clock_reads_ <= kMaxClockReads) return;
  const Line* at = current_.empty() ? nullptr : current_.back();
  throw Failure{script_.file, at ? at->number : 0, at ? at->source : "a transcript line",
                "the program read the clock " + std::to_string(kMaxClockReads) + " times without end"};
}

void Interpreter::note_shown(const ui::Form& f) {
  shown_.erase(std::remove(shown_.begin(), shown_.end(), f.name()), shown_.end());
  shown_.push_back(f.name());
}

ui::Form* Interpreter::topmost() const {
  for (auto it = shown_.rbegin(); it != shown_.rend(); ++it) {
    ui::Form* f = forms().existing(*it);
    if (f && f->is_visible()) return f;
  }
  return nullptr;
}

}  // namespace gw::runner
