#include "app/prompts.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "app/fonts.h"
#include "app/text.h"
#include "board/layout.h"

namespace numplace::app {
namespace {

constexpr double kPromptFontSize = 9;  // the size of the system's message font
constexpr int kPromptWidth = 440;      // pixels; the step prompt then takes two lines

// While a prompt is open, the user's input to its owner is dropped, as a
// modal dialog would have it, and a press there brings the prompt forward.
class InputHold : public QObject {
 public:
  InputHold(QWidget *owner, QWidget *prompt) : owner_(owner), prompt_(prompt) {
    if (owner_ != nullptr) QCoreApplication::instance()->installEventFilter(this);
  }
  ~InputHold() override {
    if (owner_ != nullptr) QCoreApplication::instance()->removeEventFilter(this);
  }
  InputHold(const InputHold &) = delete;
  InputHold &operator=(const InputHold &) = delete;

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (!isUserInput(event->type())) return false;
    const auto *widget = qobject_cast<const QWidget *>(watched);
    // The owner may be the central part of a larger window: its menus wait too.
    if (widget == nullptr || widget->window() != owner_->window()) return false;
    if (event->type() == QEvent::MouseButtonPress) {
      prompt_->raise();
      prompt_->activateWindow();
    }
    return true;
  }

 private:
  static bool isUserInput(QEvent::Type type) {
    switch (type) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::Wheel:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
      case QEvent::Shortcut:
      case QEvent::ContextMenu:
      case QEvent::DragEnter:
      case QEvent::DragMove:
      case QEvent::Drop:
      case QEvent::TouchBegin:
      case QEvent::TouchUpdate:
      case QEvent::TouchEnd:
      case QEvent::InputMethod:
        return true;
      default:
        return false;
    }
  }

  QWidget *owner_;
  QWidget *prompt_;
};

}  // namespace

PromptDialog::PromptDialog(const PromptRequest &request, QWidget *parent, double scale)
    : QDialog(parent),
      label_(new QLabel(fromUtf8(request.text))),
      edit_(new QLineEdit(fromUtf8(request.defaultAnswer))),
      stop_(new QPushButton(QCoreApplication::translate("numplace::app::PromptDialog", "中止"))) {
  setWindowTitle(fromUtf8(request.title));
  setFont(windowFont(kPromptFontSize));
  label_->setWordWrap(true);
  label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label_->setTextFormat(Qt::PlainText);
  edit_->selectAll();

  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical);
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // Ends the run: neither an answer nor a cancel, which both go on.
  stop_->setToolTip(QCoreApplication::translate("numplace::app::PromptDialog", "この実行をここで終わります"));
  buttons->addButton(stop_, QDialogButtonBox::ActionRole);
  connect(stop_, &QPushButton::clicked, this, [this] { done(kStopped); });

  auto *grid = new QGridLayout(this);
  grid->addWidget(label_, 0, 0);
  grid->addWidget(buttons, 0, 1, Qt::AlignTop);
  grid->addWidget(edit_, 1, 0, 1, 2);
  grid->setColumnStretch(0, 1);
  setMinimumWidth(kPromptWidth);
  edit_->setFocus();

  const QScreen *screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  QPoint place = screen->geometry().topLeft() +
                 QPoint(qRound(request.x * scale / kTwipsPerPixel), qRound(request.y * scale / kTwipsPerPixel));
  // On a small screen the place may lie too far right or down for the whole dialog.
  adjustSize();
  const QRect available = screen->availableGeometry();
  place.setX(std::max(available.left(), std::min(place.x(), available.right() + 1 - width())));
  place.setY(std::max(available.top(), std::min(place.y(), available.bottom() + 1 - height())));
  move(place);
}

QString PromptDialog::answer() const { return edit_->text(); }

void DialogPrompt::abandon() {
  if (open_ == nullptr) return;
  abandoned_ = true;
  open_->reject();
}

std::optional<std::string> DialogPrompt::ask(const PromptRequest &request) {
  // Draw what the run has put on the window so far: the user answers about it.
  if (owner_ != nullptr) owner_->repaint();
  PromptDialog dialog(request, owner_, scale_ ? scale_() : 1);
  InputHold hold(owner_, &dialog);
  QEventLoop answered;
  QObject::connect(&dialog, &QDialog::finished, &answered, &QEventLoop::quit);
  open_ = &dialog;
  dialog.show();
  dialog.activateWindow();
  answered.exec();
  open_ = nullptr;
  if (abandoned_) {
    abandoned_ = false;
    throw RunAbandoned{};
  }
  if (dialog.result() == PromptDialog::kStopped) throw RunStopped{};
  if (dialog.result() != QDialog::Accepted) return std::nullopt;
  return dialog.answer().toStdString();
}

}  // namespace numplace::app
