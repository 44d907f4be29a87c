#include "app/paper_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "export/paper.h"

namespace numplace::app {
namespace {

QDialogButtonBox *okAndCancel(QDialog *dialog) {
  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace

PaperDialog::PaperDialog(const QString &title, int collectionSize, bool hasRun, QWidget *parent)
    : QDialog(parent),
      puzzle_(new QRadioButton(tr("この問題"), this)),
      collection_(new QRadioButton(tr("問題集"), this)),
      first_(new QSpinBox(this)),
      last_(new QSpinBox(this)),
      perPage_(new QComboBox(this)),
      entries_(new QCheckBox(tr("自分で入れた数字も（薄く）"), this)),
      solutions_(new QCheckBox(tr("解答のページを付ける"), this)),
      explanation_(new QCheckBox(tr("解き方（最後の実行の手順）を付ける"), this)) {
  setObjectName(QStringLiteral("paperDialog"));
  setWindowTitle(title);
  puzzle_->setChecked(true);
  collection_->setEnabled(collectionSize > 0);
  const int size = std::max(1, collectionSize);
  first_->setRange(1, size);
  last_->setRange(1, size);
  first_->setValue(1);
  last_->setValue(size);
  for (const int n : {1, 2, 4, 6}) perPage_->addItem(QString::number(n), n);
  perPage_->setCurrentIndex(2);
  entries_->setChecked(true);
  explanation_->setEnabled(hasRun);
  const auto follow = [this] {
    const bool whole = collection_->isChecked();
    first_->setEnabled(whole);
    last_->setEnabled(whole);
    perPage_->setEnabled(whole);
    entries_->setEnabled(!whole);
    explanation_->setEnabled(!whole && explanation_->property("hasRun").toBool());
  };
  explanation_->setProperty("hasRun", hasRun);
  connect(collection_, &QRadioButton::toggled, this, follow);
  follow();

  auto *range = new QHBoxLayout;
  range->addWidget(first_);
  range->addWidget(new QLabel(tr("から"), this));
  range->addWidget(last_);
  range->addWidget(new QLabel(tr("まで"), this));
  auto *form = new QFormLayout;
  form->addRow(puzzle_);
  form->addRow(collection_, range);
  form->addRow(tr("1ページに"), perPage_);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(entries_);
  layout->addWidget(solutions_);
  layout->addWidget(explanation_);
  layout->addWidget(okAndCancel(this));
}

PaperChoice PaperDialog::choice() const {
  PaperChoice c;
  c.collection = collection_->isChecked();
  c.first = std::min(first_->value(), last_->value());
  c.last = std::max(first_->value(), last_->value());
  c.perPage = perPage_->currentData().toInt();
  c.entries = entries_->isChecked();
  c.solutions = solutions_->isChecked();
  c.explanation = explanation_->isEnabled() && explanation_->isChecked();
  return c;
}

PictureDialog::PictureDialog(QWidget *parent)
    : QDialog(parent), content_(new QComboBox(this)), pixels_(new QSpinBox(this)) {
  setObjectName(QStringLiteral("pictureDialog"));
  setWindowTitle(tr("画像として保存"));
  content_->addItem(tr("問題だけ"), static_cast<int>(PictureChoice::Content::Givens));
  content_->addItem(tr("自分で入れた数字も"), static_cast<int>(PictureChoice::Content::Entries));
  content_->addItem(tr("解も"), static_cast<int>(PictureChoice::Content::Solution));
  content_->setCurrentIndex(1);
  pixels_->setRange(exports::kMinPicturePixels, exports::kMaxPicturePixels);
  pixels_->setValue(600);
  pixels_->setSuffix(tr(" ピクセル"));
  auto *form = new QFormLayout;
  form->addRow(tr("描くもの"), content_);
  form->addRow(tr("大きさ"), pixels_);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(new QLabel(tr("ファイル名が .svg で終わればSVG、それ以外はPNGで保存します"), this));
  layout->addWidget(okAndCancel(this));
}

PictureChoice PictureDialog::choice() const {
  return {static_cast<PictureChoice::Content>(content_->currentData().toInt()), pixels_->value()};
}

}  // namespace numplace::app
