// The dialog with which the window asks the user at a run's prompt.
#pragma once

#include <QDialog>
#include <functional>

#include "board/ports.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace numplace::app {

// The input box: the prompt text above a line with the default answer, OK,
// Cancel and 中止 at the side.
class PromptDialog : public QDialog {
 public:
  // The result of a dialog closed with 中止.
  static constexpr int kStopped = 2;

  // Placed where the request says, in twips from the screen's top-left
  // corner, the twips counted at the window's `scale`, and kept on the screen.
  explicit PromptDialog(const PromptRequest &request, QWidget *parent = nullptr, double scale = 1);
  QString answer() const;
  QLineEdit *answerEdit() const { return edit_; }
  QPushButton *stopButton() const { return stop_; }

 private:
  QLabel *label_;
  QLineEdit *edit_;
  QPushButton *stop_;
};

// What ask() throws when the prompt was abandoned: the run that asked ends
// there, unwound to the click that started it.
struct RunAbandoned {};

// What ask() throws when the user ended the run with 中止: the run ends
// there, its picture and the controls left as they are.
struct RunStopped {};

// Asks with a PromptDialog and waits for the answer. The dialog is not
// modal, since a window blocked by a modal dialog ignores its own close
// button; the owner's input is held back instead, so that no other run can
// start, and a close of the owner abandons the prompt.
class DialogPrompt : public Prompt {
 public:
  // `owner` is the window whose drawing the user must see while answering;
  // `scale` tells how large it is drawn, for the prompt's place.
  explicit DialogPrompt(QWidget *owner, std::function<double()> scale = {}) : owner_(owner), scale_(std::move(scale)) {}
  std::optional<std::string> ask(const PromptRequest &request) override;

  // Closes the open prompt; its ask() then throws RunAbandoned.
  // (中止 makes it throw RunStopped.)
  void abandon();

 private:
  QWidget *owner_;
  std::function<double()> scale_;
  QDialog *open_ = nullptr;
  bool abandoned_ = false;
};

}  // namespace numplace::app
