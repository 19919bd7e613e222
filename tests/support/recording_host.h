// A host for unit tests: records message boxes and documents, answers from a queue.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/ui/form.h"
#include "platform/ui/host.h"

namespace gw::testing {

class RecordingHost : public ui::Host {
 public:
  ui::Answer message(const ui::Message& m) override {
    messages.push_back(m);
    if (answers.empty()) return m.buttons == ui::Buttons::YesNo ? ui::Answer::Yes : ui::Answer::OK;
    ui::Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  void show_modal(ui::Form& f) override { f.host_set_visible(true, true); }
  void show_modeless(ui::Form& f) override { f.host_set_visible(true, false); }
  bool file_dialog(ui::FileDialog& d, bool) override {
    if (files.empty()) return false;
    d.file_name = files.front();
    files.pop_front();
    return true;
  }
  bool open_document(const std::string& t) override {
    documents.push_back(t);
    return desktop_opens;
  }
  double clock() override { return now; }
  void end_program() override { ended = true; }

  // The texts of the message boxes shown, in order.
  std::vector<std::string> texts() const {
    std::vector<std::string> v;
    for (const auto& m : messages) v.push_back(m.text);
    return v;
  }

  std::vector<ui::Message> messages;
  std::vector<std::string> documents;
  std::deque<ui::Answer> answers;  // answers to the next boxes, in order
  std::deque<std::string> files;   // the next file dialogs' choices; empty: cancel
  bool desktop_opens = true;       // what the desktop answers to open_document
  double now = 0;
  bool ended = false;
};

}  // namespace gw::testing
