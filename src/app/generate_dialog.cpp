#include "app/generate_dialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>
#include <random>

namespace numplace::app {
namespace {

// The context lupdate gives these texts: the namespace they are written in.
QString tr(const char *text) { return QCoreApplication::translate("numplace::app", text); }

constexpr int kProgressMs = 50;
constexpr int kLargestCollection = 10000;

// A seed from the clock and the system's entropy, below the generator's limit.
std::uint64_t freshSeed() {
  std::random_device device;
  const auto now = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  return ((static_cast<std::uint64_t>(device()) << 32) ^ device() ^ now) % kSeedLimit;
}

}  // namespace

QString levelText(int level) {
  switch (level) {
    case 1:
      return tr("1 初級（候補が1つのマス、ブロックの一か所）");
    case 2:
      return tr("2 中級（行・列の一か所）");
    case 3:
      return tr("3 上級（ペア）");
    case 4:
      return tr("4 難問（トリプル）");
    case 5:
      return tr("5 超難問（ブロックのペア）");
    case 6:
      return tr("6 仮置き（試し置き1つ）");
    case 7:
      return tr("7 技の外（技では解けない）");
    default:
      break;
  }
  return tr("どれでも");
}

QString symmetryText(Symmetry symmetry) {
  switch (symmetry) {
    case Symmetry::None:
      return tr("なし");
    case Symmetry::Rotate180:
      return tr("点対称（180°回転）");
    case Symmetry::Rotate90:
      return tr("90°回転");
    case Symmetry::Mirror:
      return tr("左右対称");
    case Symmetry::Flip:
      return tr("上下対称");
    case Symmetry::Diagonal:
      return tr("対角線（左上から右下）");
    case Symmetry::AntiDiagonal:
      return tr("対角線（右上から左下）");
  }
  return {};
}

GenerateDialog::GenerateDialog(Mode mode, QWidget *parent)
    : QDialog(parent),
      mode_(mode),
      level_(new QComboBox(this)),
      symmetry_(new QComboBox(this)),
      progress_(new QProgressBar(this)),
      state_(new QLabel(this)),
      start_(new QPushButton(mode == Mode::One ? tr("作る") : tr("作って保存"), this)),
      cancel_(new QPushButton(tr("キャンセル"), this)),
      timer_(new QTimer(this)) {
  setObjectName(mode == Mode::One ? QStringLiteral("newPuzzleDialog") : QStringLiteral("newCollectionDialog"));
  setWindowTitle(mode == Mode::One ? tr("新しい問題") : tr("問題集を作る"));
  for (int level = 0; level <= kLevels; ++level) level_->addItem(levelText(level), level);
  level_->setCurrentIndex(1);
  for (const Symmetry symmetry : kSymmetries) symmetry_->addItem(symmetryText(symmetry), static_cast<int>(symmetry));
  symmetry_->setCurrentIndex(1);  // a half turn, as most printed puzzles have
  auto *form = new QFormLayout;
  form->addRow(tr("難しさ"), level_);
  form->addRow(tr("対称"), symmetry_);
  if (mode == Mode::Collection) {
    count_ = new QSpinBox(this);
    count_->setRange(1, kLargestCollection);
    count_->setValue(20);
    form->addRow(tr("問題の数"), count_);
  }
  progress_->setVisible(false);
  state_->setWordWrap(true);
  auto *buttons = new QDialogButtonBox(this);
  buttons->addButton(start_, QDialogButtonBox::AcceptRole);
  buttons->addButton(cancel_, QDialogButtonBox::RejectRole);
  start_->setDefault(true);
  connect(start_, &QPushButton::clicked, this, &GenerateDialog::start);
  connect(cancel_, &QPushButton::clicked, this, &GenerateDialog::reject);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(progress_);
  layout->addWidget(state_);
  layout->addWidget(buttons);
  timer_->setInterval(kProgressMs);
  connect(timer_, &QTimer::timeout, this, &GenerateDialog::showProgress);
}

GenerateDialog::~GenerateDialog() { stopWorker(); }

void GenerateDialog::stopWorker() {
  cancelled_ = true;
  if (worker_.joinable()) worker_.join();
}

GenerateOptions GenerateDialog::options() const {
  GenerateOptions options;
  options.level = level_->currentData().toInt();
  options.symmetry = static_cast<Symmetry>(symmetry_->currentData().toInt());
  options.grade = true;
  return options;
}

void GenerateDialog::setLevel(int level) { level_->setCurrentIndex(level_->findData(level)); }

void GenerateDialog::setSymmetry(Symmetry symmetry) {
  symmetry_->setCurrentIndex(symmetry_->findData(static_cast<int>(symmetry)));
}

void GenerateDialog::setCount(int count) {
  if (count_ != nullptr) count_->setValue(count);
}

void GenerateDialog::start() {
  if (generating()) return;
  stopWorker();
  const GenerateOptions asked = options();
  if (const auto problem = optionsProblem(asked)) {
    state_->setText(tr("この組み合わせでは作れません：%1")
                        .arg(QString::fromUtf8(problem->data(), static_cast<qsizetype>(problem->size()))));
    return;
  }
  const int count = count_ != nullptr ? count_->value() : 1;
  seed_ = fixedSeed_.value_or(freshSeed());
  cancelled_ = false;
  attempts_ = 0;
  doneCount_ = 0;
  finished_ = false;
  making_.clear();
  made_.clear();
  level_->setEnabled(false);
  symmetry_->setEnabled(false);
  if (count_ != nullptr) count_->setEnabled(false);
  start_->setEnabled(false);
  progress_->setVisible(true);
  progress_->setRange(0, count == 1 ? 0 : count);  // one puzzle: a busy bar
  progress_->setValue(0);
  state_->setText(tr("作っています…"));
  timer_->start();
  worker_ = std::thread([this, asked, count, seed = seed_] {
    const ProgressCallback progress = [this](const GenerateProgress &p) {
      attempts_ = p.attempts;
      doneCount_ = p.made;
    };
    const bool done = generatePuzzles(
        asked, seed, count, std::max(1u, std::thread::hardware_concurrency()),
        [this](const GeneratedPuzzle &puzzle) { making_.push_back(puzzle); }, &cancelled_, progress);
    // Back on the window's thread; the dialog waits for this thread before it goes.
    QMetaObject::invokeMethod(
        this, [this, done] { finish(done); }, Qt::QueuedConnection);
  });
}

void GenerateDialog::showProgress() {
  if (progress_->maximum() > 0) progress_->setValue(doneCount_.load());
  state_->setText(tr("作っています…（%1 / %2、試した盤面 %3）")
                      .arg(doneCount_.load())
                      .arg(count_ != nullptr ? count_->value() : 1)
                      .arg(attempts_.load()));
}

void GenerateDialog::finish(bool done) {
  if (worker_.joinable()) worker_.join();
  finished_ = true;
  timer_->stop();
  progress_->setVisible(false);
  level_->setEnabled(true);
  symmetry_->setEnabled(true);
  if (count_ != nullptr) count_->setEnabled(true);
  start_->setEnabled(true);
  if (!done) {
    state_->setText(tr("キャンセルしました"));
    return;
  }
  made_ = std::move(making_);
  accept();
}

void GenerateDialog::reject() {
  // キャンセル while making stops the making; pressed again, it closes.
  if (generating()) {
    cancelled_ = true;
    return;
  }
  QDialog::reject();
}

}  // namespace numplace::app
