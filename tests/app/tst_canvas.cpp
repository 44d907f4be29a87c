// The drawing surface against what the runs really draw: text stays clear of
// the lines it stands between, erasing an entry leaves the lines whole and no
// fringe of it, lines of one width are equally wide wherever they lie, and
// the picture is drawn again from its strokes, sharp, at every scale.
#include <QApplication>
#include <QFontMetricsF>
#include <QtTest>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "app/canvas.h"
#include "app/fonts.h"
#include "board/files.h"
#include "board/layout.h"
#include "runs/runs.h"
#include "script/headless.h"

using numplace::DrawOp;
using numplace::Ending;
using numplace::app::Canvas;

namespace {

constexpr double kTwipsPerPoint = 20;

// What a run drew, and how far it had drawn at each of its prompts.
struct RecordedRun {
  std::vector<DrawOp> ops;
  std::vector<std::size_t> atPrompts;
};

struct CountingPrompt : numplace::Prompt {
  explicit CountingPrompt(std::function<void()> onAsk, std::string answer)
      : onAsk_(std::move(onAsk)), answer_(std::move(answer)) {}
  std::optional<std::string> ask(const numplace::PromptRequest &) override {
    onAsk_();
    return answer_;
  }
  std::function<void()> onAsk_;
  std::string answer_;
};

RecordedRun record(const QString &file, numplace::Button button, const std::string &answer) {
  numplace::HeadlessControls controls;
  controls.type({"Text3"}, file.toStdString());
  numplace::RecordingSurface surface;
  RecordedRun run;
  CountingPrompt prompt([&] { run.atPrompts.push_back(surface.ops().size()); }, answer);
  const numplace::DiskFiles files;
  numplace::Ports ports{controls, surface, prompt, files};
  numplace::clickButton(ports, button);
  run.ops = surface.ops();
  return run;
}

// Which prints to play: the print and the font size it is made in.
using PrintFilter = std::function<bool(const DrawOp &, double points)>;

// Plays a recorded run on a surface, part by part; `take` leaves prints out.
class Player {
 public:
  Player(numplace::DrawingSurface &surface, PrintFilter take = {}) : surface_(surface), take_(std::move(take)) {}

  void playTo(const std::vector<DrawOp> &ops, std::size_t end) {
    for (; done_ < end; ++done_) {
      const DrawOp &op = ops[done_];
      switch (op.kind) {
        case DrawOp::Kind::Clear:
          surface_.clear();
          break;
        case DrawOp::Kind::Font:
          points_ = op.a;
          surface_.setFontSize(op.a);
          break;
        case DrawOp::Kind::Colour:
          surface_.setColour(static_cast<std::uint32_t>(op.a));
          break;
        case DrawOp::Kind::Width:
          surface_.setLineWidth(static_cast<int>(op.a));
          break;
        case DrawOp::Kind::Move:
          surface_.moveTo(op.a, op.b);
          break;
        case DrawOp::Kind::Line:
          surface_.drawLine(op.a, op.b, op.c, op.d);
          break;
        case DrawOp::Kind::Print:
          if (!take_ || take_(op, points_)) surface_.print(op.text, op.ending);
          break;
      }
    }
  }

 private:
  numplace::DrawingSurface &surface_;
  PrintFilter take_;
  double points_ = 0;
  std::size_t done_ = 0;
};

void replay(const std::vector<DrawOp> &ops, numplace::DrawingSurface &s, PrintFilter take = {}) {
  Player(s, std::move(take)).playTo(ops, ops.size());
}

bool linesOnly(const DrawOp &, double) { return false; }

// Table entries of six digits and more: at the table's places they cross a
// frame line whatever the face (a five-digit entry in column 1 already needs
// a blank of 0.3 em to clear the frame 400 twips to its right).
bool isLongEntry(const DrawOp &op) {
  static const std::regex longEntry("^ *[0-9]{6,}$");
  return op.kind == DrawOp::Kind::Print && op.text.size() == 10 && std::regex_match(op.text, longEntry);
}

// Leaves out the long entries and the step board's 30-point digits: those
// are 30 pixels tall in cells of 33, and where a thick block line borders
// the cell they touch it.
bool clearByDesign(const DrawOp &op, double points) { return !isLongEntry(op) && points != 30; }

bool white(QRgb pixel) { return (pixel & 0xFFFFFF) == 0xFFFFFF; }

// How far two colours lie apart: the largest difference of a channel.
int distance(QRgb a, QRgb b) {
  return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

// Text is antialiased: a pixel at least half covered by a glyph is its ink;
// the lighter shades at the edges may meet a line.
bool inked(QRgb pixel) { return distance(pixel, qRgb(255, 255, 255)) >= 128; }

// Text ink that touches line ink (the eight neighbours count), or that stands
// where a line should be. Empty when every text stands clear.
QString inkTouchingLines(const QImage &all, const QImage &lines) {
  int touching = 0;
  QPoint first;
  for (int y = 0; y < all.height(); ++y) {
    const auto *row = reinterpret_cast<const QRgb *>(all.constScanLine(y));
    const auto *lineRow = reinterpret_cast<const QRgb *>(lines.constScanLine(y));
    for (int x = 0; x < all.width(); ++x) {
      bool bad = false;
      if (!white(lineRow[x])) {
        bad = distance(row[x], lineRow[x]) >= 128;  // a line pixel drawn over or cut
      } else if (inked(row[x])) {
        for (int dy = -1; dy <= 1 && !bad; ++dy) {
          for (int dx = -1; dx <= 1 && !bad; ++dx) {
            const QPoint p(x + dx, y + dy);
            bad = lines.rect().contains(p) && !white(lines.pixel(p));
          }
        }
      }
      if (bad && touching++ == 0) first = {x, y};
    }
  }
  if (touching == 0) return {};
  return QStringLiteral("%1 pixels, the first at (%2, %3)").arg(touching).arg(first.x()).arg(first.y());
}

QString dataFile(const char *name) { return QStringLiteral(NUMPLACE_DATA_DIR "/") + QString::fromLatin1(name); }

// What the window should show after a run: every line and text drawn, in
// the order drawn, except those drawn again at the same place (a text: same
// text and size; a line: same ends and width), which count where they were
// drawn last, and those a print in white has taken away.
class Visible : public numplace::DrawingSurface {
 public:
  // Follows the positions on `surface`, which the run draws on.
  explicit Visible(Canvas &surface) : surface_(surface) {}

  void clear() override {
    items_.clear();
    surface_.clear();
  }
  void setFontSize(double points) override {
    points_ = points;
    surface_.setFontSize(points);
  }
  void setColour(std::uint32_t colour) override {
    colour_ = colour;
    surface_.setColour(colour);
  }
  void setLineWidth(int pixels) override {
    width_ = pixels;
    surface_.setLineWidth(pixels);
  }
  void moveTo(double x, double y) override { surface_.moveTo(x, y); }
  void drawLine(double x1, double y1, double x2, double y2) override {
    add({false, colour_, width_, 0, {x1, y1}, {x2, y2}, {}});
    surface_.drawLine(x1, y1, x2, y2);
  }
  void print(std::string_view text, Ending ending) override {
    if (!QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).trimmed().isEmpty()) {
      add({true, colour_, 0, points_, surface_.position(), {}, std::string(text)});
    }
    surface_.print(text, ending);
  }

  // The visible items drawn afresh, each once, on a canvas at `scale`.
  QImage expected(double scale) const {
    Canvas fresh;
    fresh.setScale(scale);
    for (const Item &item : items_) {
      fresh.setColour(item.colour);
      fresh.setLineWidth(item.width);
      fresh.setFontSize(item.points);
      if (item.text) {
        fresh.moveTo(item.from.x(), item.from.y());
        fresh.print(item.printed, Ending::Continue);
      } else {
        fresh.drawLine(item.from.x(), item.from.y(), item.to.x(), item.to.y());
      }
    }
    return fresh.picture();
  }

  int erased() const { return erased_; }
  int drawnAgain() const { return drawnAgain_; }

 private:
  struct Item {
    bool text;
    std::uint32_t colour;
    int width;
    double points;
    QPointF from;
    QPointF to;
    std::string printed;
  };

  void add(Item item) {
    const auto same = [&](const Item &old) {
      return old.text == item.text && old.from == item.from &&
             (item.text ? old.printed == item.printed && old.points == item.points
                        : old.to == item.to && old.width == item.width);
    };
    const auto kept = std::remove_if(items_.begin(), items_.end(), same);
    const bool again = kept != items_.end();
    items_.erase(kept, items_.end());
    drawnAgain_ += again ? 1 : 0;
    if (again && item.colour == 0xFFFFFF) {
      ++erased_;
      return;
    }
    items_.push_back(std::move(item));
  }

  Canvas &surface_;
  std::vector<Item> items_;
  std::uint32_t colour_ = 0;
  int width_ = 1;
  double points_ = numplace::kWindowFontSize;
  int erased_ = 0;
  int drawnAgain_ = 0;
};

// The first pixel where two pictures differ, and how many do.
QString difference(const QImage &shown, const QImage &expected) {
  if (shown.size() != expected.size()) return QStringLiteral("the sizes differ");
  int differing = 0;
  QPoint first;
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      if (shown.pixel(x, y) != expected.pixel(x, y) && differing++ == 0) first = {x, y};
    }
  }
  if (differing == 0) return {};
  return QStringLiteral("%1 pixels differ, the first at (%2, %3): %4 where %5 belongs")
      .arg(differing)
      .arg(first.x())
      .arg(first.y())
      .arg(shown.pixel(first), 6, 16, QLatin1Char('0'))
      .arg(expected.pixel(first), 6, 16, QLatin1Char('0'));
}

// Ink across a line at its middle: how many pixels, and whether all of them
// are wholly the line's colour.
struct Across {
  int pixels = 0;
  bool solid = true;
  friend bool operator==(const Across &, const Across &) = default;
};

Across acrossMiddle(const QImage &picture, const QLineF &line, double k, QRgb colour) {
  const QPointF middle = line.center() * k;
  const bool vertical = line.x1() == line.x2();
  Across across;
  for (int d = -12; d <= 12; ++d) {
    const QPoint p = vertical ? QPoint(static_cast<int>(middle.x()) + d, static_cast<int>(middle.y()))
                              : QPoint(static_cast<int>(middle.x()), static_cast<int>(middle.y()) + d);
    if (!picture.rect().contains(p) || white(picture.pixel(p))) continue;
    ++across.pixels;
    across.solid = across.solid && picture.pixel(p) == colour;
  }
  return across;
}

}  // namespace

class TstCanvas : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // At every pause of a run, and at its end, no text of the runs touches a
  // line: the big digits, the small block-pair digits, the table entries,
  // the step log and the messages.
  void textStaysClearOfLines_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<double>("scale");
    for (const double scale : {1.0, 0.84, 1.5}) {
      const QByteArray at = QByteArray::number(scale);
      QTest::newRow("answer, trial file, x" + at)
          << dataFile("trial.csv") << int(numplace::Button::Answer) << QString("2") << scale;
      QTest::newRow("reference 2, pauses, x" + at)
          << dataFile("trial.csv") << int(numplace::Button::Reference2) << QString("1") << scale;
      QTest::newRow("step, every table, x" + at)
          << dataFile("karune111.csv") << int(numplace::Button::Step) << QString("1") << scale;
      QTest::newRow("step, to the stop, x" + at)
          << dataFile("csv/se_hard_21_step.csv") << int(numplace::Button::Step) << QString("2") << scale;
      QTest::newRow("reference 1, to the end, x" + at)
          << dataFile("csv/17clue_1201_ref1.csv") << int(numplace::Button::Reference1) << QString("2") << scale;
    }
  }

  void textStaysClearOfLines() {
    QFETCH(QString, file);
    QFETCH(int, button);
    QFETCH(QString, answer);
    QFETCH(double, scale);
    const RecordedRun run = record(file, static_cast<numplace::Button>(button), answer.toStdString());
    QVERIFY(run.ops.size() > 500);
    // A handful of pauses and the end: each check reads the whole picture twice.
    std::vector<std::size_t> checks;
    for (std::size_t i = 0; i < run.atPrompts.size(); i += 1 + run.atPrompts.size() / 4) {
      checks.push_back(run.atPrompts[i]);
    }
    checks.push_back(run.ops.size());
    Canvas all;
    Canvas lines;
    all.setScale(scale);
    lines.setScale(scale);
    Player playAll(all, clearByDesign);
    Player playLines(lines, linesOnly);
    for (const std::size_t upTo : checks) {
      playAll.playTo(run.ops, upTo);
      playLines.playTo(run.ops, upTo);
      const QString touching = inkTouchingLines(all.picture(), lines.picture());
      QVERIFY2(touching.isEmpty(), qPrintable(QStringLiteral("after %1 operations: ").arg(upTo) + touching));
    }
  }

  // Runs that erase and draw again, stopped at some of their prompts and at
  // their end: the picture is what drawing only the visible items gives,
  // pixel for pixel. An erased text leaves no grey fringe, the lines and
  // texts around it stay whole, and an entry drawn again in another colour
  // keeps nothing of the old one.
  void erasedAreasHoldOnlyWhatCameAfter_data() {
    QTest::addColumn<QStringList>("runs");
    QTest::addColumn<double>("scale");
    for (const double scale : {1.0, 1.5, 2.0}) {
      const QByteArray at = ", x" + QByteArray::number(scale);
      QTest::newRow("step, every table" + at) << QStringList{"karune111.csv:step:1"} << scale;
      QTest::newRow("reference 2, pauses" + at) << QStringList{"trial.csv:reference2:1"} << scale;
      QTest::newRow("reference 1, to the end" + at) << QStringList{"csv/17clue_1201_ref1.csv:reference1:2"} << scale;
      QTest::newRow("answer after a step run" + at)
          << QStringList{"csv/se_hard_21_step.csv:step:1", "trial.csv:answer:2"} << scale;
    }
  }

  void erasedAreasHoldOnlyWhatCameAfter() {
    QFETCH(QStringList, runs);
    QFETCH(double, scale);
    const std::map<QString, numplace::Button> buttons{{"step", numplace::Button::Step},
                                                      {"reference1", numplace::Button::Reference1},
                                                      {"reference2", numplace::Button::Reference2},
                                                      {"answer", numplace::Button::Answer}};
    Canvas canvas;
    canvas.setScale(scale);
    Visible visible(canvas);
    int checked = 0;
    for (const QString &run : runs) {
      const QStringList part = run.split(u':');
      const RecordedRun recorded =
          record(dataFile(part[0].toLatin1().constData()), buttons.at(part[1]), part[2].toStdString());
      std::vector<std::size_t> checks;
      for (std::size_t i = 0; i < recorded.atPrompts.size(); i += 1 + recorded.atPrompts.size() / 3) {
        checks.push_back(recorded.atPrompts[i]);
      }
      checks.push_back(recorded.ops.size());
      Player player(visible);
      for (const std::size_t upTo : checks) {
        player.playTo(recorded.ops, upTo);
        const QString wrong = difference(canvas.picture(), visible.expected(scale));
        QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("%1, after %2 operations: ").arg(run).arg(upTo) + wrong));
        ++checked;
      }
    }
    // The runs drew again where they had drawn, many times over, and the
    // step family erased.
    QVERIFY2(visible.drawnAgain() > 50, qPrintable(QString::number(visible.drawnAgain())));
    QCOMPARE(visible.erased() > 0, !runs.front().contains(QStringLiteral("reference2")));
    QVERIFY(checked >= 2);
  }

  // Every line the runs draw, each alone: lines of one width are equally
  // wide, and wholly inked, wherever they lie, at every scale; a width of
  // 1 stays one device pixel wide down to the smallest scales.
  void linesOfOneWidthAreEquallyWide_data() {
    QTest::addColumn<double>("scale");
    for (const double scale : {1.0, 1.5, 2.0, 0.84, 1.25, 0.63}) QTest::newRow(QByteArray::number(scale)) << scale;
  }

  void linesOfOneWidthAreEquallyWide() {
    QFETCH(double, scale);
    std::map<std::tuple<int, double, double, double, double>, QLineF> lines;
    for (const auto &[file, button] :
         {std::pair{"csv/se_hard_21_step.csv", numplace::Button::Step}, {"trial.csv", numplace::Button::Answer}}) {
      int width = 1;
      for (const DrawOp &op : record(dataFile(file), button, "2").ops) {
        if (op.kind == DrawOp::Kind::Width) width = static_cast<int>(op.a);
        if (op.kind == DrawOp::Kind::Line) lines[{width, op.a, op.b, op.c, op.d}] = QLineF(op.a, op.b, op.c, op.d);
      }
    }
    QVERIFY(lines.size() > 40);
    std::map<int, Across> widths;
    Canvas canvas;
    canvas.setScale(scale);
    const double k = scale / numplace::kTwipsPerPixel;
    for (const auto &[key, line] : lines) {
      const int width = std::get<0>(key);
      QVERIFY(line.x1() == line.x2() || line.y1() == line.y2());
      canvas.clear();
      canvas.setLineWidth(width);
      canvas.drawLine(line.x1(), line.y1(), line.x2(), line.y2());
      const Across across = acrossMiddle(canvas.picture(), line, k, qRgb(0, 0, 0));
      const auto first = widths.emplace(width, across).first;
      QVERIFY2(across == first->second,
               qPrintable(QStringLiteral("width %1 at (%2, %3)-(%4, %5): %6 pixels where the first had %7")
                              .arg(width)
                              .arg(line.x1())
                              .arg(line.y1())
                              .arg(line.x2())
                              .arg(line.y2())
                              .arg(across.pixels)
                              .arg(first->second.pixels)));
    }
    QCOMPARE(widths.size(), std::size_t{2});
    for (const auto &[width, across] : widths) {
      QVERIFY(across.solid);
      QCOMPARE(across.pixels, std::max(1, qRound(width * scale)));
    }
  }

  // A text printed again in another colour keeps no pixel of the old
  // colour; printed again in the same colour it looks as printed once;
  // printed in white it is gone. Antialiased: the edges are shades.
  void overprintReplacesTheOldInk() {
    Canvas once;
    once.setFontSize(40);
    once.moveTo(1500, 1500);
    once.print(" 6 ", Ending::NewLine);
    Canvas canvas;
    canvas.setFontSize(40);
    const auto printAgain = [&](std::uint32_t colour) {
      canvas.setColour(colour);
      canvas.moveTo(1500, 1500);
      canvas.print(" 6 ", Ending::NewLine);
      return canvas.picture();
    };
    printAgain(0);
    QCOMPARE(printAgain(0), once.picture());
    printAgain(0x0000FF);  // red
    const QImage blue = printAgain(0xFF0000);
    int shades = 0;
    for (int y = 0; y < blue.height(); ++y) {
      for (int x = 0; x < blue.width(); ++x) {
        const QRgb p = blue.pixel(x, y);
        // Blue laid on white: red and green fall together, blue stays full.
        QVERIFY2(qRed(p) == qGreen(p) && qBlue(p) == 255, qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
        shades += qRed(p) > 0 && qRed(p) < 255 ? 1 : 0;
      }
    }
    QVERIFY(shades > 10);
    const QImage erased = printAgain(0xFFFFFF);
    QCOMPARE(erased, Canvas().picture());
  }

  // Whatever an entry covered, erasing it by printing it again in white
  // gives back the lines beneath: at the end of a step run, erasing every
  // text still shown leaves exactly the picture of the lines alone.
  void erasingLeavesTheLinesWhole_data() {
    QTest::addColumn<double>("scale");
    QTest::newRow("x1") << 1.0;
    QTest::newRow("x0.84") << 0.84;
    QTest::newRow("x2") << 2.0;
  }

  void erasingLeavesTheLinesWhole() {
    QFETCH(double, scale);
    const RecordedRun run = record(dataFile("csv/se_hard_21_step.csv"), numplace::Button::Step, "2");
    Canvas all;
    Canvas lines;
    all.setScale(scale);
    lines.setScale(scale);
    replay(run.ops, all);
    replay(run.ops, lines, linesOnly);
    // Long entries stood over the table's frame during the run.
    QVERIFY(std::any_of(run.ops.begin(), run.ops.end(), isLongEntry));
    QVERIFY(all.picture() != lines.picture());
    std::vector<Canvas::Stroke> shown;
    for (const Canvas::Stroke &stroke : all.strokes()) {
      if (stroke.kind == Canvas::Stroke::Kind::Text) shown.push_back(stroke);
    }
    QVERIFY(shown.size() > 81);
    all.setColour(0xFFFFFF);
    for (const Canvas::Stroke &stroke : shown) {
      all.setFontSize(stroke.points);
      all.moveTo(stroke.from.x(), stroke.from.y());
      all.print(stroke.text.toStdString(), Ending::Continue);
    }
    QCOMPARE(all.picture(), lines.picture());
  }

  // An entry across a line, then its erase: the line is whole again, while
  // white printed where nothing was printed before still paints white.
  void eraseOfAnEntryAcrossALine() {
    Canvas canvas;
    canvas.drawLine(6300, 4850, 6300, 10350);
    const QImage frame = canvas.picture();
    canvas.setFontSize(14);
    canvas.moveTo(5900, 5000);
    canvas.print("  12345678", Ending::Continue);
    QVERIFY(canvas.picture() != frame);
    QVERIFY(!white(canvas.picture().pixel(6300 / 15, 5000 / 15 + 8)) || canvas.picture() != frame);
    canvas.setColour(0xFFFFFF);
    canvas.moveTo(5900, 5000);
    canvas.print("  12345678", Ending::Continue);
    QCOMPARE(canvas.picture(), frame);
    QCOMPARE(canvas.strokes().size(), std::size_t{1});

    canvas.moveTo(6000, 6000);
    canvas.setFontSize(40);
    canvas.print("8", Ending::Continue);  // nothing black there to take away: white over the line
    QVERIFY(canvas.picture() != frame);
  }

  // Drawn again at another scale, the picture is what drawing at that scale
  // from the start gives, and not the first picture enlarged: lines grow
  // with the scale and glyphs are rendered at the larger size.
  void renderedAgainAtEveryScale() {
    const RecordedRun run = record(dataFile("trial.csv"), numplace::Button::Reference2, "2");
    Canvas drawnFirst;
    replay(run.ops, drawnFirst);
    const QImage atOne = drawnFirst.picture();
    QCOMPARE(atOne.size(), QSize(1016, 734));
    for (const double scale : {2.0, 0.84, 1.5}) {
      drawnFirst.setScale(scale);
      Canvas scaledFirst;
      scaledFirst.setScale(scale);
      replay(run.ops, scaledFirst);
      QCOMPARE(drawnFirst.picture().size(), QSize(qRound(1016 * scale), qRound(734 * scale)));
      QCOMPARE(drawnFirst.picture(), scaledFirst.picture());
    }
    drawnFirst.setScale(2);
    const QImage atTwo = drawnFirst.picture();
    QVERIFY(atTwo != atOne.scaled(atTwo.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation));
    // The board's thin line at x = 9360 twips: one pixel at scale 1, two at scale 2.
    const auto inked = [](const QImage &image, int y, int from, int to) {
      int n = 0;
      for (int x = from; x <= to; ++x) n += white(image.pixel(x, y)) ? 0 : 1;
      return n;
    };
    QCOMPARE(inked(atOne, 100, 620, 628), 1);
    QCOMPARE(inked(atTwo, 200, 1240, 1256), 2);
    drawnFirst.setScale(1);
    QCOMPARE(drawnFirst.picture(), atOne);
  }

  // A stroke drawn again over the same one replaces it, so a long run keeps
  // about one screenful of strokes and drawing again stays quick.
  void strokesStayAboutOneScreenful() {
    const RecordedRun run = record(dataFile("karune111.csv"), numplace::Button::Step, "1");
    Canvas canvas;
    replay(run.ops, canvas);
    long prints = 0;
    for (const DrawOp &op : run.ops) prints += op.kind == DrawOp::Kind::Print ? 1 : 0;
    QVERIFY(prints > 5000);
    QVERIFY2(canvas.strokes().size() < 400, qPrintable(QString::number(canvas.strokes().size())));
  }

  // The face at the widths the places were laid out for: digits half an em,
  // a blank a third, kana and kanji as IPA P Gothic draws them.
  void faceWidthsAsLaidOut() {
    Canvas canvas;
    const double points = 14;
    const double em = points * kTwipsPerPoint;
    const auto advance = [&](const char *text) {
      canvas.setFontSize(points);
      canvas.moveTo(0, 0);
      canvas.print(text, Ending::Continue);
      return canvas.position().x();
    };
    QCOMPARE(advance("     "), 5 * em / 3);
    QVERIFY(qAbs(advance("12345678") - 8 * em / 2) < 8 * 0.02 * em);
    QVERIFY(qAbs(advance("       257") - (7 * em / 3 + 3 * em / 2)) < 3 * 0.02 * em);
    const double kanji = advance("終了");
    QCOMPARE(kanji, QFontMetricsF(numplace::app::windowFont(points)).horizontalAdvance(QStringLiteral("終了")) * 15);
    QVERIFY(qAbs(kanji - 2 * em) < 0.05 * em);
    // Runs of different kinds follow each other without a gap.
    QCOMPARE(advance(" 1 基本"), em / 3 + advance("1") + em / 3 + kanji);
  }
};

int main(int argc, char **argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  numplace::app::installFontSubstitutions();
  TstCanvas test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_canvas.moc"
