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

  // A modal window: the scripted user acts on the form's controls (typing,
  // clicking) and ends it with a result. With nothing scripted the window
  // is cancelled, as Esc would.
  using ModalUser = std::function<ModalResult(TForm&)>;
  ModalResult ShowModal(TForm& form) override;
  void ScriptModal(ModalUser user) { modalUsers_.push_back(std::move(user)); }
  // The captions of the modal windows shown, in order.
  std::vector<std::string> modalCaptions;
  void Beep() override { ++beeps; }
  int beeps = 0;
  std::vector<Shown> shown;
  std::vector<std::string> Texts() const;
  // Runs while a box is "open", as a nested message loop would let things run.
  std::function<void()> whileOpen;

 private:
  std::deque<PromptAnswer> answers_;
  std::deque<ModalUser> modalUsers_;
};

}  // namespace mvx::fakes
