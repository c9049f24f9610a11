#pragma once
#include <string>

#include "forms/form.h"

namespace mvx {

enum class PromptKind { Information, Warning, Error, Confirmation };
enum class PromptButtons { Ok, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Yes, No, Cancel };

// Message boxes and questions (MessageBoxA). Every text the user reads in a
// box goes through here.
class PromptPort {
 public:
  virtual ~PromptPort() = default;
  virtual PromptAnswer Show(const std::string& text, const std::string& caption, PromptKind kind,
                            PromptButtons buttons) = 0;
  // Shows one of the program's own windows modally over the program's
  // windows and returns how it ended: the form's Result once a button set
  // it, Cancel for Esc or the close box.
  virtual ModalResult ShowModal(TForm& form) = 0;
  // MessageBeep(MB_ICONASTERISK).
  virtual void Beep() = 0;
};

}  // namespace mvx
