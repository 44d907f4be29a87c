// The main window's explanation panel and where the window stands: the
// panel at the side of the form while the screen has room for it there,
// else below it, so that the form keeps its scale.
#include <QDockWidget>
#include <QListWidget>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>

#include "app/shell.h"

namespace numplace::app {
namespace {

constexpr int kDockWidth = 330;      // pixels; the lines wrap no further
constexpr int kDockMinHeight = 150;  // below the form: five lines or so

}  // namespace

void ShellWindow::buildDock() {
  dock_ = new QDockWidget(tr("解き方の説明"), this);
  dock_->setObjectName(QStringLiteral("explanationDock"));
  dock_->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
  explanation_ = new QListWidget(dock_);
  explanation_->setObjectName(QStringLiteral("explanationList"));
  explanation_->setWordWrap(true);
  explanation_->setMinimumWidth(kDockWidth / 2);
  // Wrapped lines get their heights only when the list is laid out: while the
  // last line is the selected one, it stays in view as the heights come in.
  connect(explanation_->verticalScrollBar(), &QScrollBar::rangeChanged, explanation_, [list = explanation_] {
    if (list->count() > 0 && list->currentRow() == list->count() - 1) list->scrollToBottom();
  });
  dock_->setWidget(explanation_);
  dock_->resize(kDockWidth, dock_->height());
  addDockWidget(Qt::RightDockWidgetArea, dock_);
  resizeDocks({dock_}, {kDockWidth}, Qt::Horizontal);
}

void ShellWindow::placePanel(bool shown) {
  if (isMaximized() || isFullScreen()) return;
  if (!shown) {
    // Give back what the window grew by for the panel.
    if (!grownForPanel_.isEmpty()) resize(size() - grownForPanel_);
    grownForPanel_ = {};
    return;
  }
  const QScreen *where = screen();
  if (where == nullptr) return;
  const QRect available = where->availableGeometry();
  QSize grow(kDockWidth, 0);
  Qt::DockWidgetArea area = Qt::RightDockWidgetArea;
  if (available.right() - frameGeometry().right() < kDockWidth) {
    // No room at the side: below the form, the window moved up if that makes room.
    area = Qt::BottomDockWidgetArea;
    if (available.bottom() - frameGeometry().bottom() < kDockMinHeight) move(x(), available.top());
    const int room = std::max(0, available.bottom() - frameGeometry().bottom());
    grow = QSize(0, std::min(room, 2 * kDockMinHeight));
  }
  removeDockWidget(dock_);
  addDockWidget(area, dock_);
  dock_->show();
  resize(size() + grow);
  if (area == Qt::BottomDockWidgetArea) {
    resizeDocks({dock_}, {std::max(grow.height(), kDockMinHeight)}, Qt::Vertical);
  } else {
    resizeDocks({dock_}, {kDockWidth}, Qt::Horizontal);
  }
  grownForPanel_ = grow;
}

void ShellWindow::placeOnScreen() {
  const QScreen *where = screen();
  if (where == nullptr) return;
  const QRect available = where->availableGeometry();
  const int bars = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
  const QMargins frame = MainWindow::frameOf(*this);
  // The panel at the side when the form fits beside it at full size, else below it.
  QSize around(0, bars);
  if (dock_->isVisible()) {
    const bool beside = MainWindow::scaleToFit(available.size() - QSize(kDockWidth, bars), frame) >= 1;
    removeDockWidget(dock_);
    addDockWidget(beside ? Qt::RightDockWidgetArea : Qt::BottomDockWidgetArea, dock_);
    dock_->show();
    around += beside ? QSize(std::max(dock_->width(), kDockWidth), 0) : QSize(0, kDockMinHeight);
  }
  const double fit = MainWindow::scaleToFit(available.size() - around, frame);
  QSize size = MainWindow::sizeAt(fit) + around;
  if (dock_->isVisible() && dockWidgetArea(dock_) == Qt::BottomDockWidgetArea) {
    // Below the form, the panel takes what the screen has left.
    size.setHeight(std::max(size.height(), available.height() - frame.top() - frame.bottom()));
    resizeDocks({dock_}, {size.height() - MainWindow::sizeAt(fit).height() - bars}, Qt::Vertical);
  }
  resize(size);
  move(available.topLeft());
  grownForPanel_ = {};
}

}  // namespace numplace::app
