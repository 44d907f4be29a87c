#include "script/answers.h"

namespace numplace {

std::optional<std::string> AnswerQueue::next(const std::string &defaultAnswer) {
  if (answers_.empty()) return defaultAnswer;
  std::optional<std::string> answer = std::move(answers_.front());
  answers_.pop_front();
  return answer;
}

std::optional<std::string> QueuedPrompt::ask(const PromptRequest &request) {
  ++asked_;
  std::optional<std::string> answer = answers_.next(request.defaultAnswer);
  if (listener_) listener_(request, answer);
  return answer;
}

}  // namespace numplace
