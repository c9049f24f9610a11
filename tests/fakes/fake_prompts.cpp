#include "fakes/fake_prompts.h"

namespace mvx::fakes {

PromptAnswer FakePrompts::Show(const std::string& text, const std::string& caption, PromptKind kind,
                               PromptButtons buttons) {
  shown.push_back({text, caption, kind, buttons});
  if (whileOpen) whileOpen();
  if (!answers_.empty()) {
    PromptAnswer a = answers_.front();
    answers_.pop_front();
    return a;
  }
  return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Yes;
}

ModalResult FakePrompts::ShowModal(TForm& form) {
  modalCaptions.push_back(form.Caption());
  form.Result = ModalResult::None;
  form.Show();
  ModalResult result = ModalResult::Cancel;
  if (!modalUsers_.empty()) {
    ModalUser user = std::move(modalUsers_.front());
    modalUsers_.pop_front();
    result = user(form);
  }
  form.Hide();
  form.Result = result;
  return result;
}

std::vector<std::string> FakePrompts::Texts() const {
  std::vector<std::string> out;
  for (const auto& s : shown) out.push_back(s.text);
  return out;
}

}  // namespace mvx::fakes
