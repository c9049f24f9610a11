#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/prompt_port.h"

namespace mvx::fakes {

// Records every box shown and answers with scripted answers (Ok, or Yes for
// questions, when none is scripted).
class FakePrompts : public PromptPort {
 public:
  struct Shown {
    std::string text;
    std::string caption;
    PromptKind kind;
    PromptButtons buttons;
  };
  PromptAnswer Show(const std::string& text, const std::string& caption, PromptKind kind,
                    PromptButtons buttons) override;
  void Script(PromptAnswer answer) { answers_.push_back(answer); }
  std::vector<Shown> shown;
  std::vector<std::string> Texts() const;
  // Runs while a box is "open", as a nested message loop would let things run.
  std::function<void()> whileOpen;

 private:
  std::deque<PromptAnswer> answers_;
};

}  // namespace mvx::fakes
