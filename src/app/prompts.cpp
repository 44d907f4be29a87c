#include "app/prompts.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "app/fonts.h"
#include "board/layout.h"

namespace numplace::app {
namespace {

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

constexpr double kPromptFontSize = 9;  // the size of the system's message font
constexpr int kPromptWidth = 440;      // pixels; the step prompt then takes two lines

}  // namespace

PromptDialog::PromptDialog(const PromptRequest &request, QWidget *parent, double scale)
    : QDialog(parent),
      label_(new QLabel(fromUtf8(request.text))),
      edit_(new QLineEdit(fromUtf8(request.defaultAnswer))) {
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

std::optional<std::string> DialogPrompt::ask(const PromptRequest &request) {
  // Draw what the run has put on the window so far: the user answers about it.
  if (owner_ != nullptr) owner_->repaint();
  PromptDialog dialog(request, owner_, scale_ ? scale_() : 1);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.answer().toStdString();
}

}  // namespace numplace::app
