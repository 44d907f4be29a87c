// The modal dialog with which the window asks the user at a run's prompt.
#pragma once

#include <QDialog>

#include "board/ports.h"

class QLabel;
class QLineEdit;

namespace numplace::app {

// The input box: the prompt text above a line with the default answer, OK
// and Cancel at the side.
class PromptDialog : public QDialog {
 public:
  explicit PromptDialog(const PromptRequest &request, QWidget *parent = nullptr);
  QString answer() const;
  QLabel *promptLabel() const { return label_; }
  QLineEdit *answerEdit() const { return edit_; }

 private:
  QLabel *label_;
  QLineEdit *edit_;
};

class DialogPrompt : public Prompt {
 public:
  // `owner` is the window whose drawing the user must see while answering.
  explicit DialogPrompt(QWidget *owner) : owner_(owner) {}
  std::optional<std::string> ask(const PromptRequest &request) override;

 private:
  QWidget *owner_;
};

}  // namespace numplace::app
