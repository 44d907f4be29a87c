// Answers for the coming modal prompts, given in advance: what scripted
// sessions (numplace-cli, the window's --screenshot) and tests answer.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "board/ports.h"

namespace numplace {

// Answers queued for the coming prompts; an empty queue gives the default.
class AnswerQueue {
 public:
  void push(std::optional<std::string> answer) { answers_.push_back(std::move(answer)); }
  // The answer for a prompt with this default; nothing stands for a cancel.
  std::optional<std::string> next(const std::string &defaultAnswer);

 private:
  std::deque<std::optional<std::string>> answers_;
};

// A prompt that takes the next queued answer and never opens a dialog.
class QueuedPrompt : public Prompt {
 public:
  // Told of every prompt with the answer it got, before the run goes on.
  using Listener = std::function<void(const PromptRequest &request, const std::optional<std::string> &answer)>;

  explicit QueuedPrompt(AnswerQueue &answers) : answers_(answers) {}
  std::optional<std::string> ask(const PromptRequest &request) override;
  void setListener(Listener listener) { listener_ = std::move(listener); }
  int asked() const { return asked_; }

 private:
  AnswerQueue &answers_;
  Listener listener_;
  int asked_ = 0;
};

}  // namespace numplace
