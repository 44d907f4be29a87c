// The form's controls as widgets: each control of the layout table made as
// the widget that shows it, and the engine's port to their texts.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "app/input.h"
#include "board/layout.h"
#include "board/ports.h"

class QLineEdit;

namespace numplace::app {

// Control texts read and written through the real widgets.
class WidgetControls : public Controls {
 public:
  // Widgets in the order of controlLayout().
  explicit WidgetControls(std::vector<QWidget *> widgets) : widgets_(std::move(widgets)) {}
  std::string text(ControlRef ref) const override;
  void setText(ControlRef ref, std::string_view text) override;
  QWidget *widget(ControlRef ref) const;

 private:
  std::vector<QWidget *> widgets_;
};

// The widget of a control of the layout table, named as the table names it;
// `fillGrid` takes a puzzle pasted into a cell box of the grid.
QWidget *makeControl(const ControlEntry &control, QWidget *parent, const CellBox::FillGrid &fillGrid);

// Sets a box's text with the caret at its start, so a narrow box shows the
// beginning of what it holds.
void setBoxText(QLineEdit *box, const QString &text);

}  // namespace numplace::app
