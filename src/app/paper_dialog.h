// What goes on paper: the puzzle being worked on or the open collection (or
// a range of it), puzzles a page, the user's entries, the solutions and the
// solving path; and what a picture of the board shows.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QRadioButton;
class QSpinBox;

namespace numplace::app {

struct PaperChoice {
  bool collection = false;  // the open collection rather than the puzzle
  int first = 1;            // with the collection: the range, from 1
  int last = 1;
  int perPage = 4;
  bool entries = true;       // the user's entries, lighter
  bool solutions = false;    // the solutions on pages of their own at the end
  bool explanation = false;  // the last run's path after the puzzle
};

class PaperDialog : public QDialog {
  Q_OBJECT

 public:
  // `collectionSize` 0: no collection is open; `hasRun`: a run has a path to print.
  PaperDialog(const QString &title, int collectionSize, bool hasRun, QWidget *parent = nullptr);
  PaperChoice choice() const;

 private:
  QRadioButton *puzzle_;
  QRadioButton *collection_;
  QSpinBox *first_;
  QSpinBox *last_;
  QComboBox *perPage_;
  QCheckBox *entries_;
  QCheckBox *solutions_;
  QCheckBox *explanation_;
};

struct PictureChoice {
  enum class Content { Givens, Entries, Solution };
  Content content = Content::Entries;
  int pixels = 600;
};

class PictureDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PictureDialog(QWidget *parent = nullptr);
  PictureChoice choice() const;

 private:
  QComboBox *content_;
  QSpinBox *pixels_;
};

}  // namespace numplace::app
