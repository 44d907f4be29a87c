// A folder of its own for each test, removed afterwards, and the puzzles
// the export tests print.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace paper_test {

class Scratch {
 public:
  Scratch() {
    const auto *test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::path(::testing::TempDir()) /
              ("numplace_paper_" + std::to_string(::getpid()) + "_" + test->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  ~Scratch() {
    std::error_code ec;
    // A test may leave the folder unwritable.
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(folder_, ec);
  }
  Scratch(const Scratch &) = delete;
  Scratch &operator=(const Scratch &) = delete;

  std::string path(const std::string &name) const { return (folder_ / name).string(); }
  const std::filesystem::path &folder() const { return folder_; }
  // The names in the folder, sorted.
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const auto &entry : std::filesystem::directory_iterator(folder_)) out.push_back(entry.path().filename());
    std::sort(out.begin(), out.end());
    return out;
  }
  std::string write(const std::string &name, const std::string &content) const {
    std::ofstream(path(name), std::ios::binary) << content;
    return path(name);
  }

 private:
  std::filesystem::path folder_;
};

inline const std::string kDataDir = NUMPLACE_DATA_DIR;

// The first `count` puzzle lines of a collection in tests/data.
inline std::vector<std::string> puzzleLines(const std::string &file, std::size_t count) {
  std::ifstream in(kDataDir + "/" + file);
  std::vector<std::string> lines;
  for (std::string line; lines.size() < count && std::getline(in, line);) {
    if (line.size() >= 81) lines.push_back(line.substr(0, 81));
  }
  return lines;
}

}  // namespace paper_test
