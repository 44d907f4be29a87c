// The form's controls as widgets: made from the layout table, and their
// texts read and written for the engine.
#include "app/form_controls.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "app/accessible.h"
#include "app/boxes.h"
#include "app/input.h"
#include "app/text.h"
#include "board/layout.h"

namespace numplace::app {
namespace {

constexpr std::string_view kCellGrid = controls::Text15.name;
constexpr int kCellWidth = 375;  // twips

// A command button whose caption breaks into lines when it is wider than the
// button. The blanks around a caption only push it off a small button face,
// so they are kept in the text but not drawn.
class CaptionButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void paintEvent(QPaintEvent * /*event*/) override {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(rect().adjusted(frame, frame, -frame, -frame), Qt::AlignCenter | Qt::TextWordWrap,
                     text().trimmed());
  }
  // Enter presses a focused button, as Space does.
  void keyPressEvent(QKeyEvent *event) override {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
      click();
      return;
    }
    QPushButton::keyPressEvent(event);
  }
};

}  // namespace

void setBoxText(QLineEdit *box, const QString &text) {
  box->setText(text);
  box->setCursorPosition(0);
}

QWidget *makeControl(const ControlEntry &control, QWidget *parent, const CellBox::FillGrid &fillGrid) {
  const QString text = fromUtf8(control.text);
  QWidget *widget = nullptr;
  switch (control.kind) {
    case ControlKind::TextBox: {
      Box *box = control.name == kCellGrid ? new CellBox(fillGrid, parent) : new Box(parent);
      // A box no wider than a cell holds one digit; it stands in the middle.
      box->setAlignment(control.width <= kCellWidth ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
      setBoxText(box, text);
      widget = box;
      break;
    }
    case ControlKind::Label:
      widget = new CaptionLabel(text, parent);
      break;
    case ControlKind::Button:
      widget = new CaptionButton(text, parent);
      break;
  }
  widget->setObjectName(QString::fromStdString(controlLabel(control.ref())));
  widget->setAccessibleName(accessibleNameFor(control));
  widget->setAccessibleDescription(accessibleDescriptionFor(control));
  if (!control.inTabOrder && control.kind != ControlKind::Label) widget->setFocusPolicy(Qt::ClickFocus);
  return widget;
}

QWidget *WidgetControls::widget(ControlRef ref) const {
  const int position = controlPosition(ref);
  if (position < 0 || static_cast<std::size_t>(position) >= widgets_.size()) return nullptr;
  return widgets_[static_cast<std::size_t>(position)];
}

std::string WidgetControls::text(ControlRef ref) const {
  const QWidget *w = widget(ref);
  if (const auto *box = qobject_cast<const QLineEdit *>(w)) return box->text().toStdString();
  if (const auto *label = qobject_cast<const QLabel *>(w)) return label->text().toStdString();
  if (const auto *button = qobject_cast<const QAbstractButton *>(w)) return button->text().toStdString();
  return {};
}

void WidgetControls::setText(ControlRef ref, std::string_view text) {
  QWidget *w = widget(ref);
  const QString value = fromUtf8(text);
  if (auto *box = qobject_cast<QLineEdit *>(w)) {
    setBoxText(box, value);
  } else if (auto *label = qobject_cast<QLabel *>(w)) {
    label->setText(value);
  } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
    button->setText(value);
  }
}

}  // namespace numplace::app
