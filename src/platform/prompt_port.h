#pragma once
#include <string>

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
};

}  // namespace mvx
