// Where the puzzle comes from: the grid, else the row boxes, else the data
// file; the two readers of the data file; its format; the extra givens of
// Text1 and Text2; bad input.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <utility>
#include <variant>

#include "board/input_error.h"
#include "board/messages.h"
#include "board/sources.h"
#include "helpers.h"

namespace numplace_test {
namespace {

// Nine rows of a puzzle as the record lines of a data file.
std::string fileOf(std::string_view puzzle, std::string_view tail = ",1,\"easy\",0,0", std::string_view eol = "\n") {
  std::string out;
  for (int r = 0; r < 9; ++r) {
    out += std::string(puzzle.substr(static_cast<std::size_t>(r) * 9, 9)) + std::string(tail) + std::string(eol);
  }
  return out;
}

double rowCodeOf(std::string_view puzzle, int r) {
  return 1e9 + std::stod(std::string(puzzle.substr(static_cast<std::size_t>(r - 1) * 9, 9)));
}

void typeRows(HeadlessControls &controls, std::string_view puzzle, int fromRow, int toRow) {
  for (int r = fromRow; r <= toRow; ++r) {
    for (int c = 1; c <= 9; ++c) {
      const int d = digitAt(puzzle, r, c);
      if (d != 0) controls.type({"Text15", cellIndex(r, c)}, std::string(1, static_cast<char>('0' + d)));
    }
  }
}

const MemoryFiles kNoFiles;

TEST(PuzzleSource, GridWithTwoEmptyRowsIsUsed) {
  HeadlessControls controls;
  typeRows(controls, kCompleteGrid, 1, 1);
  typeRows(controls, kCompleteGrid, 3, 6);
  typeRows(controls, kCompleteGrid, 8, 9);
  for (int r = 1; r <= 9; ++r) controls.type({"Text5", r}, "111111111");
  auto t = std::make_unique<Tables>();
  ASSERT_FALSE(readPuzzle(controls, kNoFiles, *t));
  for (int r : {1, 3, 4, 5, 6, 8, 9}) EXPECT_DOUBLE_EQ(t->RowCodes[r], rowCodeOf(kCompleteGrid, r)) << r;
  EXPECT_DOUBLE_EQ(t->RowCodes[2], 1e9);
  EXPECT_DOUBLE_EQ(t->RowCodes[7], 1e9);
}

TEST(PuzzleSource, GridWithThreeEmptyRowsGivesWayToTheRowBoxes) {
  HeadlessControls controls;
  typeRows(controls, kCompleteGrid, 1, 6);
  controls.type({"Text5", 1}, "050 703 060");  // blanks between the groups are ignored
  for (int r = 2; r <= 9; ++r) {
    controls.type({"Text5", r}, std::string(kEasyPuzzle.substr(static_cast<std::size_t>(r - 1) * 9, 9)));
  }
  auto t = std::make_unique<Tables>();
  ASSERT_FALSE(readPuzzle(controls, kNoFiles, *t));
  for (int r = 1; r <= 9; ++r) EXPECT_DOUBLE_EQ(t->RowCodes[r], rowCodeOf(kEasyPuzzle, r)) << r;
}

TEST(PuzzleSource, ThreeEmptyRowsInGridAndRowBoxesReadTheDataFile) {
  MemoryFiles files;
  files.put("trial.csv", fileOf(kTrialPuzzle));
  HeadlessControls controls;
  typeRows(controls, kCompleteGrid, 1, 6);
  for (int r = 1; r <= 6; ++r) controls.type({"Text5", r}, "123456789");
  controls.type({"Text3"}, "trial.csv");
  auto t = std::make_unique<Tables>();
  ASSERT_FALSE(readPuzzle(controls, files, *t));
  for (int r = 1; r <= 9; ++r) EXPECT_DOUBLE_EQ(t->RowCodes[r], rowCodeOf(kTrialPuzzle, r)) << r;
}

TEST(PuzzleSource, FileWithMostlyEmptyRowsIsUsedUnchanged) {
  MemoryFiles files;
  files.put("karune111.csv",
            "0,0,0,0,0\n0,0,0,0,0\n70000,0,0,0,0\n0,0,0,0,0\n0,0,0,0,0\n0,0,0,0,0\n0,0,0,0,0\n0,0,0,0,0\n0,0,0,0,0\n");
  HeadlessControls controls;  // Text3 names karune111.csv at start-up
  auto t = std::make_unique<Tables>();
  ASSERT_FALSE(readPuzzle(controls, files, *t));
  EXPECT_DOUBLE_EQ(t->RowCodes[3], 1'000'070'000);
  EXPECT_DOUBLE_EQ(t->RowCodes[9], 1e9);
}

TEST(PuzzleSource, GridCellValuesAreNotTested) {
  HeadlessControls controls;
  typeRows(controls, kCompleteGrid, 2, 9);
  controls.type({"Text15", 12}, "12");  // spills into column 1
  controls.type({"Text15", 19}, "５");  // a full-width digit
  auto t = std::make_unique<Tables>();
  ASSERT_FALSE(readPuzzle(controls, kNoFiles, *t));
  EXPECT_DOUBLE_EQ(t->RowCodes[1], 1'120'000'005);
  unpackRowCodes(*t);
  EXPECT_EQ(t->Board[1][1], 1);
  EXPECT_EQ(t->Board[1][2], 2);
  EXPECT_EQ(t->Board[1][9], 5);
}

struct FileFormatCase {
  std::string name;
  std::string content;
  friend void PrintTo(const FileFormatCase &c, std::ostream *os) { *os << c.name; }
};

class DataFileFormats : public ::testing::TestWithParam<FileFormatCase> {};

TEST_P(DataFileFormats, GiveTheNineRowsOfThePuzzle) {
  MemoryFiles files;
  files.put("puzzle.csv", GetParam().content);
  HeadlessControls controls;
  controls.type({"Text3"}, "puzzle.csv");
  auto t = std::make_unique<Tables>();
  const auto error = readPuzzle(controls, files, *t);
  ASSERT_FALSE(error) << inputErrorText(*error);
  for (int r = 1; r <= 9; ++r) EXPECT_DOUBLE_EQ(t->RowCodes[r], rowCodeOf(kTrialPuzzle, r)) << r;
}

std::string fieldPerLine() {
  std::string out;
  for (int r = 0; r < 9; ++r) {
    out += std::string(kTrialPuzzle.substr(static_cast<std::size_t>(r) * 9, 9)) + "\n1\n2\n\"x\"\n4\n";
  }
  return out;
}

std::string recordsSplitAfterComma() {
  std::string out;
  for (int r = 0; r < 9; ++r) {
    out += std::string(kTrialPuzzle.substr(static_cast<std::size_t>(r) * 9, 9)) + ",1,\n2, 3,4\n";
  }
  return out;
}

std::string oneLine() {
  std::string out;
  for (int r = 0; r < 9; ++r) out += std::string(kTrialPuzzle.substr(static_cast<std::size_t>(r) * 9, 9)) + ",1,2,3,4,";
  return out.substr(0, out.size() - 1) + "\n";
}

INSTANTIATE_TEST_SUITE_P(
    Formats, DataFileFormats,
    ::testing::Values(FileFormatCase{"Plain", fileOf(kTrialPuzzle)},
                      FileFormatCase{"Crlf", fileOf(kTrialPuzzle, ",1,\"easy\",0,0", "\r\n")},
                      FileFormatCase{"ByteOrderMark", "\xEF\xBB\xBF" + fileOf(kTrialPuzzle)},
                      FileFormatCase{"LeadingZerosDropped",
                                     "600050007,0,0,0,0\n30000000,0,0,0,0\n80409200,0,0,0,0\n15300000,0,0,0,0\n"
                                     "8000300,0,0,0,0\n7590,0,0,0,0\n9501030,0,0,0,0\n80,0,0,0,0\n"
                                     "200070004,0,0,0,0\n"},
                      FileFormatCase{"ArbitraryOtherFields",
                                     fileOf(kTrialPuzzle, ", \"a,b\" , \"日本語 テキスト\",-3.5,\"\"")},
                      FileFormatCase{"BlanksAroundFields", fileOf(kTrialPuzzle, "  , 1 ,\t\"q\" , 0 , 0 ")},
                      FileFormatCase{"OneFieldPerLine", fieldPerLine()},
                      FileFormatCase{"RecordsSplitAfterAComma", recordsSplitAfterComma()},
                      FileFormatCase{"AllOnOneLine", oneLine()},
                      FileFormatCase{"BlankLinesBetweenRecords", fileOf(kTrialPuzzle, ",1,2,3,4\n")},
                      FileFormatCase{"TrailingRecordsIgnored", fileOf(kTrialPuzzle) + "abc,def\n\"unterminated\n"}),
    [](const auto &c) { return c.param.name; });

struct BadFileCase {
  std::string name;
  std::optional<std::string> content;  // nothing: the file does not exist
  InputError::Kind kind;
  FieldPlace place;  // the field at fault; the last line read when fields run short
  int fieldCount = 0;
  std::string token;
  friend void PrintTo(const BadFileCase &c, std::ostream *os) { *os << c.name; }
};

class BadDataFiles : public ::testing::TestWithParam<BadFileCase> {};

std::string fileWith(int records, std::string_view lastLine = "") {
  const std::string all = fileOf(kTrialPuzzle, ",1,2,3,4");
  std::size_t end = 0;
  for (int i = 0; i < records; ++i) end = all.find('\n', end) + 1;
  return all.substr(0, end) + std::string(lastLine);
}

constexpr std::string_view kBadFile = "bad data.csv";

TEST_P(BadDataFiles, GiveTheFaultAndWhereItStands) {
  MemoryFiles files;
  if (GetParam().content) files.put(std::string(kBadFile), *GetParam().content);
  HeadlessControls controls;
  controls.type({"Text3"}, kBadFile);
  auto t = std::make_unique<Tables>();
  const auto error = readPuzzle(controls, files, *t);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->kind, GetParam().kind);
  EXPECT_EQ(error->box, ControlRef{"Text3"});
  EXPECT_EQ(error->file, kBadFile);
  EXPECT_EQ(error->place, GetParam().place);
  EXPECT_EQ(error->fieldCount, GetParam().fieldCount);
  EXPECT_EQ(error->token, GetParam().token);
  EXPECT_NE(inputErrorText(*error).find(kBadFile), std::string::npos) << inputErrorText(*error);
}

TEST_P(BadDataFiles, StopEveryRunWithTheMessageDrawnAndControlsUnchanged) {
  for (const Button button : kRunButtons) {
    TestWindow w;
    if (GetParam().content) {
      w.giveFile(std::string(kBadFile), *GetParam().content);
    } else {
      w.type({"Text3"}, kBadFile);
    }
    const Clicked c = w.click(button);
    const RunResult &run = c.run();
    EXPECT_EQ(run.end, RunEnd::BadInput);
    ASSERT_TRUE(run.inputError);
    EXPECT_EQ(run.inputError->kind, GetParam().kind);
    EXPECT_EQ(run.message, inputErrorText(*run.inputError));
    std::string printed;
    for (const Printed &p : c.prints) printed += p.text;
    EXPECT_EQ(printed, run.message);
    EXPECT_TRUE(c.texts.empty());
    EXPECT_TRUE(c.prompts.empty());
    EXPECT_FALSE(run.boardShown);
    EXPECT_TRUE(run.placements.empty());
    EXPECT_EQ(w.text({"Text1"}), "追加 1");
    EXPECT_EQ(w.text({"Text14"}), "基本ルール");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadDataFiles,
    ::testing::Values(
        BadFileCase{"Missing", std::nullopt, InputError::Kind::CannotOpenFile, {}, 0, ""},
        BadFileCase{"Empty", "", InputError::Kind::NoFields, {}, 0, ""},
        BadFileCase{"EightRecords", fileWith(8), InputError::Kind::TooFewFields, {8, 0}, 40, ""},
        BadFileCase{
            "LastRecordShort", fileWith(8, "200070004,1,2,3\n"), InputError::Kind::TooFewFields, {9, 0}, 44, ""},
        BadFileCase{"FieldOneText",
                    fileWith(3, "abc,1,2,3,4\n") + fileWith(5),
                    InputError::Kind::RowNotANumber,
                    {4, 1},
                    0,
                    "abc"},
        BadFileCase{"FieldOneStartsWithText",
                    fileWith(0, "x600050007,1,2,3,4\n") + fileWith(8),
                    InputError::Kind::RowNotANumber,
                    {1, 1},
                    0,
                    "x600050007"}),
    [](const auto &c) { return c.param.name; });

TEST(BadBoxes, HugeNumbersInTheGridOrRowBoxesStopTheRunWithAMessage) {
  const std::string huge(400, '9');
  for (const bool inGrid : {true, false}) {
    TestWindow w;
    if (inGrid) {
      w.typeGrid(kEasyPuzzle);
      w.type({"Text15", 55}, huge);
    } else {
      for (int r = 1; r <= 9; ++r) w.type({"Text5", r}, r == 4 ? huge : "123456789");
    }
    const Clicked c = w.click(Button::Answer);
    EXPECT_EQ(c.run().end, RunEnd::BadInput) << inGrid;
    ASSERT_TRUE(c.run().inputError) << inGrid;
    const InputError &e = *c.run().inputError;
    EXPECT_EQ(e.kind, InputError::Kind::TooLarge);
    EXPECT_EQ(e.box, (inGrid ? ControlRef{"Text15", 55} : ControlRef{"Text5", 4}));
    EXPECT_EQ(e.row, inGrid ? 5 : 4);
    EXPECT_EQ(e.column, inGrid ? 5 : 0);
    EXPECT_EQ(e.token, huge);  // the raw text; only the message shortens it
    EXPECT_TRUE(c.texts.empty()) << inGrid;
  }
}

// A message for bad input says where the input stands, as the user sees it
// (a box by its caption, a cell by its row and column, a line and field of
// the data file), quotes what stands there, fit to be shown, and says what
// is wrong with it.
struct PlaceCase {
  std::string name;
  std::function<void(TestWindow &)> enter;
  std::vector<std::string> says;
  std::string neverSays;
  InputError::Kind kind;
  friend void PrintTo(const PlaceCase &c, std::ostream *os) { *os << c.name; }
};

class BadInputMessages : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(BadInputMessages, NameThePlaceAndTheFault) {
  TestWindow w;
  GetParam().enter(w);
  const Clicked c = w.click(Button::Answer);
  const std::string &message = c.run().message;
  ASSERT_EQ(c.run().end, RunEnd::BadInput);
  ASSERT_TRUE(c.run().inputError);
  EXPECT_EQ(c.run().inputError->kind, GetParam().kind);
  for (const std::string &part : GetParam().says) EXPECT_NE(message.find(part), std::string::npos) << message;
  if (!GetParam().neverSays.empty()) {
    EXPECT_EQ(message.find(GetParam().neverSays), std::string::npos) << message;
  }
  EXPECT_EQ(numplace::shownText(message, message.size()), message);  // clean UTF-8 throughout
}

const std::string kReplaced = "\xEF\xBF\xBD";

// The first rows of trial.csv, each followed by `rest`.
std::string rowsOfFile(int records, std::string_view rest) {
  std::string out;
  for (int k = 0; k < records; ++k) {
    out += std::string(kTrialPuzzle.substr(static_cast<std::size_t>(k) * 9, 9)) + std::string(rest) + "\n";
  }
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, BadInputMessages,
    ::testing::Values(PlaceCase{"FourFieldsPerLine",
                                [](TestWindow &w) { w.giveFile("four.csv", rowsOfFile(9, ",1,\"easy\",0")); },
                                {"データファイル「four.csv」の3行目の3項目め「easy」", "各行に5項目ずつ"},
                                "1項目め「",
                                InputError::Kind::FieldsOutOfStep},
                      PlaceCase{"TextAfterBlankLinesAndWindowsLineBreaks",
                                [](TestWindow &w) {
                                  w.giveFile("t.csv", "\r\n\r\nabc,1,2,3,4\r\n" + rowsOfFile(8, ",1,2,3,4"));
                                },
                                {"3行目の1項目め「abc」が数ではありません"},
                                "",
                                InputError::Kind::RowNotANumber},
                      PlaceCase{"HugeNumberInACell",
                                [](TestWindow &w) {
                                  w.typeGrid(kEasyPuzzle);
                                  w.type({"Text15", 12}, "12345678901234567890");
                                },
                                {"「初期データ　１」の1行2列の「123456789012345…」は大きすぎます"},
                                "整数の数字",
                                InputError::Kind::TooLarge},
                      PlaceCase{"FractionInTheLastColumn",
                                [](TestWindow &w) {
                                  w.typeGrid(kEasyPuzzle);
                                  w.type({"Text15", 19}, "0.5");
                                },
                                {"1行9列の「0.5」は整数ではありません"},
                                "",
                                InputError::Kind::NotWhole},
                      PlaceCase{"FractionInARowBox",
                                [](TestWindow &w) {
                                  for (int r = 1; r <= 9; ++r) w.type({"Text5", r}, r == 3 ? "5.5" : "123456789");
                                },
                                {"「初期データ　２」の3行目の「5.5」は整数ではありません"},
                                "",
                                InputError::Kind::NotWhole},
                      PlaceCase{"HugeFirstFieldInTheFile",
                                [](TestWindow &w) {
                                  w.giveFile("big.csv", rowsOfFile(1, ",1,2,3,4") + std::string(400, '9') +
                                                            ",1,2,3,4\n" + rowsOfFile(7, ",1,2,3,4"));
                                },
                                {"「big.csv」の2行目の1項目め「999999999999999…」は大きすぎます"},
                                "",
                                InputError::Kind::TooLarge},
                      PlaceCase{"BytesThatAreNoText",
                                [](TestWindow &w) {
                                  w.giveFile("bin.csv",
                                             "\xFF\x01"
                                             "abc\x1B,1,2,3,4\n" +
                                                 rowsOfFile(8, ",1,2,3,4"));
                                },
                                {"1行目の1項目め「" + kReplaced + kReplaced + "abc" + kReplaced + "」"},
                                "\x1B",
                                InputError::Kind::RowNotANumber},
                      PlaceCase{"MissingFileInFolders",
                                [](TestWindow &w) { w.type({"Text3"}, "/no/such/folder/karune111.csv"); },
                                {"「入力データ名」のファイル「karune111.csv」を開けません"},
                                "/no/such",
                                InputError::Kind::CannotOpenFile},
                      PlaceCase{"ExtraGivenWithAControlCharacter",
                                [](TestWindow &w) {
                                  w.typeGrid(kEasyPuzzle);
                                  w.type({"Text2"}, "1000\x1B");
                                },
                                {"「追加 2」の「1000" + kReplaced + "」は使えません"},
                                "Text2",
                                InputError::Kind::ExtraGivenUnusable}),
    [](const auto &c) { return c.param.name; });

// The texts are what the user reads: each kind word for word, the raw text
// it quotes cut short and the file named without its folders.
TEST(InputErrorText, SaysEachKindInItsOwnWords) {
  using Kind = InputError::Kind;
  const auto error = [](Kind kind, ControlRef box, int row, int column, FieldPlace place, std::string token) {
    InputError e;
    e.kind = kind;
    e.box = box;
    e.row = row;
    e.column = column;
    e.place = place;
    e.token = std::move(token);
    e.file = "/data/puzzles/x.csv";
    return e;
  };
  InputError tooFew = error(Kind::TooFewFields, {"Text3"}, 0, 0, {9, 0}, "");
  tooFew.fieldCount = 44;
  const std::pair<InputError, std::string> cases[] = {
      {error(Kind::CannotOpenFile, {"Text3"}, 0, 0, {}, ""), "「入力データ名」のファイル「x.csv」を開けません。"},
      {error(Kind::CannotReadFile, {"Text3"}, 0, 0, {}, ""),
       "「入力データ名」の「x.csv」を読めません（フォルダーか、読めないファイルです）。"},
      {error(Kind::FileNotRegular, {"Text3"}, 0, 0, {}, ""),
       "「入力データ名」の「x.csv」は通常のファイルではありません（パイプや装置は読みません）。"},
      {error(Kind::FileTooLarge, {"Text3"}, 0, 0, {}, ""),
       "「入力データ名」のファイル「x.csv」は大きすぎます（64 MiB まで）。"},
      {error(Kind::NoFields, {}, 0, 0, {}, ""),
       "データファイル「x.csv」に項目がありません。9行それぞれに5項目が必要です。"},
      {tooFew,
       "データファイル「x.csv」の項目は44個で、9行目で終わっています。9行それぞれに5項目、合わせて45項目が必要です。"},
      {error(Kind::RowNotANumber, {"Text3"}, 3, 0, {3, 1}, "abc"),
       "データファイル「x.csv」の3行目の1項目め「abc」が数ではありません。1項目めには行の9つの数字を書きます。"},
      {error(Kind::FieldsOutOfStep, {"Text3"}, 3, 0, {3, 3}, "easy"),
       "データファイル「x.csv」の3行目の3項目め「easy」が、行の数字を読む場所にあります。各行に5項目ずつあるか確かめ"
       "てください。"},
      {error(Kind::TooLarge, {"Text15", 12}, 1, 2, {}, "12345678901234567890"),
       "「初期データ　１」の1行2列の「123456789012345…」は大きすぎます。マスには数字を1つだけ入れてください。"},
      {error(Kind::NotWhole, {"Text5", 3}, 3, 0, {}, "5.5"),
       "「初期データ　２」の3行目の「5.5」は整数ではありません。行の9つの数字を入れてください。"},
      {error(Kind::NotWhole, {"Text3"}, 2, 0, {2, 1}, "0.5"),
       "データファイル「x.csv」の2行目の1項目め「0.5」は整数ではありません。1項目めには行の9つの数字を書きます。"},
      {error(Kind::GridRowTooLarge, {"Text15"}, 4, 0, {}, ""),
       "「初期データ　１」の4行目の数が大きすぎます。マスには数字を1つだけ入れてください。"},
      {error(Kind::ExtraGivenUnusable, {"Text2"}, 0, 0, {}, "1000"),
       "「追加 2」の「1000」は使えません。行・列・数字の3桁（100～999）か 0 を入れてください。"},
  };
  for (const auto &[e, text] : cases) EXPECT_EQ(inputErrorText(e), text);
}

// A row whose cells each fit but together pass exact arithmetic: the row is
// at fault, not a cell.
TEST(BadBoxes, AGridRowTooLargeAsAWholeNamesTheRow) {
  HeadlessControls controls;
  typeRows(controls, kCompleteGrid, 1, 9);
  controls.type({"Text15", cellIndex(4, 1)}, "90000000");  // 9e15 with its place
  controls.type({"Text15", cellIndex(4, 2)}, "90000000");  // 9e14 more: past 2^53
  auto t = std::make_unique<Tables>();
  const auto error = readPuzzle(controls, kNoFiles, *t);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->kind, InputError::Kind::GridRowTooLarge);
  EXPECT_EQ(error->row, 4);
  EXPECT_EQ(error->column, 0);
}

struct GivenCase {
  std::string text1, text2;
  int row, column, digit;  // the cell to look at and the digit expected there
  friend void PrintTo(const GivenCase &c, std::ostream *os) { *os << "[" << c.text1 << "] [" << c.text2 << "]"; }
};

class ExtraGivenCodes : public ::testing::TestWithParam<GivenCase> {};

TEST_P(ExtraGivenCodes, AreLaidBeforeThePuzzleDigits) {
  HeadlessControls controls;
  controls.type({"Text1"}, GetParam().text1);
  controls.type({"Text2"}, GetParam().text2);
  const auto checked = checkExtraGivens(controls);
  ASSERT_TRUE(std::holds_alternative<ExtraGivens>(checked));
  auto t = std::make_unique<Tables>();
  for (int r = 1; r <= 9; ++r) t->RowCodes[r] = rowCodeOf(kEasyPuzzle, r);
  layExtraGivens(std::get<ExtraGivens>(checked), *t);
  unpackRowCodes(*t);
  EXPECT_EQ(t->Board[GetParam().row][GetParam().column], GetParam().digit);
  int changed = 0;
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) changed += t->Board[r][c] != digitAt(kEasyPuzzle, r, c) ? 1 : 0;
  }
  EXPECT_LE(changed, 1);
}

// kEasyPuzzle holds 5 at (5, 3) and nothing at (5, 2) or (1, 1).
INSTANTIATE_TEST_SUITE_P(Givens, ExtraGivenCodes,
                         ::testing::Values(GivenCase{"537", "追加 2", 5, 3, 5},  // the puzzle digit wins
                                           GivenCase{"527", "追加 2", 5, 2, 7},
                                           GivenCase{"527", "524", 5, 2, 4},        // Text2 overrides Text1
                                           GivenCase{"追加 1", "追加 2", 1, 1, 0},  // preset texts read as 0
                                           GivenCase{"0", "", 1, 1, 0}, GivenCase{"111", "0", 1, 1, 1},
                                           GivenCase{" 1 1 9 ", "", 1, 1, 9}));

struct RangeCase {
  std::string text1, text2;
  std::string_view box;  // the box at fault, empty when the texts are fine
  friend void PrintTo(const RangeCase &c, std::ostream *os) { *os << "[" << c.text1 << "] [" << c.text2 << "]"; }
};

class ExtraGivenRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(ExtraGivenRange, AcceptsZeroAndCodesUpTo999) {
  HeadlessControls controls;
  controls.type({"Text1"}, GetParam().text1);
  controls.type({"Text2"}, GetParam().text2);
  const auto checked = checkExtraGivens(controls);
  const auto *error = std::get_if<InputError>(&checked);
  ASSERT_EQ(error != nullptr, !GetParam().box.empty());
  if (error) {
    EXPECT_EQ(error->kind, InputError::Kind::ExtraGivenUnusable);
    EXPECT_EQ(error->box, ControlRef{GetParam().box});
    EXPECT_EQ(error->token, GetParam().box == "Text1" ? GetParam().text1 : GetParam().text2);
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, ExtraGivenRange,
                         ::testing::Values(RangeCase{"999", "0", ""}, RangeCase{"", "100", ""},
                                           RangeCase{"999.9", "0", ""}, RangeCase{"追加 1", "追加 2", ""},
                                           RangeCase{"1000", "0", "Text1"}, RangeCase{"-5", "0", "Text1"},
                                           RangeCase{"0", "1000", "Text2"}, RangeCase{"0", "-1", "Text2"},
                                           RangeCase{"1000", "-1", "Text1"},  // the first box at fault
                                           RangeCase{std::string(400, '9'), "0", "Text1"}));

TEST(ExtraGivenRange, OutOfRangeStopsEveryRunAndKeepsTheControls) {
  for (const Button button : kRunButtons) {
    for (const char *bad : {"1000", "-5"}) {
      TestWindow w;
      w.typeGrid(kEasyPuzzle);
      w.type({"Text1"}, bad);
      const Clicked c = w.click(button);
      EXPECT_EQ(c.run().end, RunEnd::BadInput) << bad;
      ASSERT_TRUE(c.run().inputError) << bad;
      EXPECT_EQ(c.run().inputError->box, ControlRef{"Text1"});
      EXPECT_TRUE(c.texts.empty()) << bad;
      EXPECT_EQ(w.text({"Text1"}), bad);
      EXPECT_EQ(w.text({"Text14"}), "基本ルール");
    }
  }
}

// ---------------------------------------------------------------------------
// The readers of the data file.

// A file in the temporary folder, removed again at the end of the test.
class TempFile {
 public:
  explicit TempFile(std::string_view content) {
    static int serial = 0;
    path_ = ::testing::TempDir() + "numplace_" + std::to_string(::getpid()) + "_" + std::to_string(++serial) + ".csv";
    std::ofstream(path_, std::ios::binary) << content;
  }
  ~TempFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  const std::string &path() const { return path_; }

 private:
  std::string path_;
};

TEST(MemoryFiles, GiveWhatWasPutUnderThatNameOnly) {
  MemoryFiles files;
  const std::string bytes(
      "\xEF\xBB\xBF"
      "1,2\r\n\0x",
      10);
  files.put("a.csv", bytes);
  FileBytes read = files.read("a.csv");
  EXPECT_EQ(read.failure, FileBytes::Failure::None);
  EXPECT_EQ(read.content, bytes);
  files.put("a.csv", "again");
  EXPECT_EQ(files.read("a.csv").content, "again");
  read = files.read("A.csv");
  EXPECT_EQ(read.failure, FileBytes::Failure::CannotOpen);
  EXPECT_TRUE(read.content.empty());
  EXPECT_EQ(files.read("").failure, FileBytes::Failure::CannotOpen);
}

TEST(DiskFiles, ReadTheBytesOfAFileUnchanged) {
  const std::string bytes = "\xEF\xBB\xBF" + fileOf(kTrialPuzzle, ",1,\"x\",0,0", "\r\n");
  TempFile file(bytes);
  const FileBytes read = DiskFiles().read(file.path());
  EXPECT_EQ(read.failure, FileBytes::Failure::None);
  EXPECT_EQ(read.content, bytes);
  // And the runs take the puzzle from it.
  HeadlessControls controls;
  controls.type({"Text3"}, file.path());
  auto t = std::make_unique<Tables>();
  ASSERT_FALSE(readPuzzle(controls, DiskFiles(), *t));
  for (int r = 1; r <= 9; ++r) EXPECT_DOUBLE_EQ(t->RowCodes[r], rowCodeOf(kTrialPuzzle, r)) << r;
}

TEST(DiskFiles, MissingFileOrAFolderGiveNoBytesAndAMessage) {
  const std::string missing = ::testing::TempDir() + "numplace_no_such_file.csv";
  FileBytes read = DiskFiles().read(missing);
  EXPECT_EQ(read.failure, FileBytes::Failure::CannotOpen);
  EXPECT_TRUE(read.content.empty());

  const std::string folder = ::testing::TempDir() + "numplace_folder_" + std::to_string(::getpid());
  std::filesystem::create_directory(folder);
  read = DiskFiles().read(folder);
  EXPECT_NE(read.failure, FileBytes::Failure::None);
  EXPECT_TRUE(read.content.empty());
  HeadlessControls controls;
  controls.type({"Text3"}, folder);
  auto t = std::make_unique<Tables>();
  const auto error = readPuzzle(controls, DiskFiles(), *t);
  std::filesystem::remove(folder);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->kind, InputError::Kind::CannotReadFile);
  EXPECT_EQ(error->file, folder);
  // Named without its folders: the whole path would not fit the window.
  const std::string message = inputErrorText(*error);
  const std::string name = folder.substr(folder.rfind('/') + 1);
  EXPECT_NE(message.find("「" + name + "」"), std::string::npos) << message;
  EXPECT_EQ(message.find(::testing::TempDir()), std::string::npos) << message;
}

TEST(DiskFiles, ReadAtMostTheFirstFourMebibytes) {
  constexpr std::size_t kLimit = std::size_t{4} * 1024 * 1024;
  const std::string head = fileOf(kTrialPuzzle);
  TempFile file(head + std::string(kLimit, 'x'));
  const FileBytes read = DiskFiles().read(file.path());
  EXPECT_EQ(read.failure, FileBytes::Failure::None);
  ASSERT_EQ(read.content.size(), kLimit);
  EXPECT_EQ(read.content.substr(0, head.size()), head);
}

}  // namespace
}  // namespace numplace_test
