// Runs numplace-cli as a program, as a user's shell would, for the tests of
// its options and outputs.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace numplace_test {

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
  std::vector<std::string> lines() const { return linesOf(out); }
  static std::vector<std::string> linesOf(const std::string &text) {
    std::vector<std::string> v;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) v.push_back(l);
    return v;
  }
};

inline std::string tempPath(std::string_view name) {
  return ::testing::TempDir() + "numplace_cli_" + std::to_string(::getpid()) + "_" + std::string(name);
}

// Runs numplace-cli with arguments already quoted for the shell, and the
// environment settings given before the command.
inline CliResult runCli(const std::string &arguments, const std::string &environment = "") {
  const std::string errPath = tempPath("stderr.txt");
  const std::string command = environment + " '" + NUMPLACE_CLI_PATH + "' " + arguments + " 2>'" + errPath + "'";
  CliResult result;
  FILE *pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.out.append(buffer, n);
  const int status = ::pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::ifstream err(errPath);
  result.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
  std::filesystem::remove(errPath);
  return result;
}

// The same with `input` fed through a pipe into standard input.
inline CliResult runCliOnInput(const std::string &arguments, const std::string &input) {
  const std::string inPath = tempPath("stdin.txt");
  std::ofstream(inPath, std::ios::binary) << input;
  CliResult result = runCli(arguments, "cat '" + inPath + "' |");
  std::filesystem::remove(inPath);
  return result;
}

}  // namespace numplace_test
