// The stage runner: the order of a cycle, what ends it and what its gates
// let through, on stages that only record that they ran and say what they
// were told to find; and the gates of the runs as the runs count them.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "runs/common.h"
#include "runs/cycle.h"

namespace numplace_test {
namespace {

using namespace numplace;

template <bool kRestart>
struct FakeStages {
  static constexpr bool kRestartOnChange = kRestart;
  std::vector<std::string> ran;
  std::map<std::string, StageResult> finds;  // what a stage finds; Nothing when not named
  Gate late = Gate::Open;
  Gate blockPairGateSays = Gate::Open;

  StageResult stage(const std::string &name) {
    ran.push_back(name);
    const auto it = finds.find(name);
    return it == finds.end() ? StageResult{} : it->second;
  }
  StageResult singles() { return stage("singles"); }
  StageResult pairs() { return stage("pairs"); }
  Gate lateStageGate() {
    ran.emplace_back("late gate");
    return late;
  }
  StageResult triples() { return stage("triples"); }
  StageResult digitLists() { return stage("digit lists"); }
  Gate blockPairGate() {
    ran.emplace_back("block-pair gate");
    return blockPairGateSays;
  }
  StageResult blockPairs() { return stage("block pairs"); }
};

using Stages = std::vector<std::string>;
const Stages kAll{"singles", "pairs", "late gate", "triples", "digit lists", "block-pair gate", "block pairs"};

TEST(StageRunner, RunsEveryStageInOrderWhenNothingIsFound) {
  FakeStages<false> s;
  const CycleEnd e = runCycle(s);
  EXPECT_EQ(e.kind, CycleEnd::Through);
  EXPECT_EQ(e.stage, Stage::BlockPairs);
  EXPECT_EQ(s.ran, kAll);
}

TEST(StageRunner, APlacementEndsTheCycleAtItsStage) {
  const Placement p{4, 5, 6};
  const struct {
    const char *stage;
    Stage expected;
    std::size_t ran;  // stages and gates run up to it
  } cases[] = {{"singles", Stage::Singles, 1}, {"digit lists", Stage::DigitLists, 5}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.stage);
    FakeStages<false> s;
    s.finds[c.stage] = StageResult::placed(p, "基本");
    const CycleEnd e = runCycle(s);
    EXPECT_EQ(e.kind, CycleEnd::Placed);
    EXPECT_EQ(e.stage, c.expected);
    EXPECT_EQ(e.found.placement, p);
    EXPECT_EQ(e.found.word, "基本");
    EXPECT_EQ(s.ran, Stages(kAll.begin(), kAll.begin() + static_cast<std::ptrdiff_t>(c.ran)));
  }
}

TEST(StageRunner, AContradictionEndsTheCycleAndSaysWhichOne) {
  FakeStages<false> s;
  s.finds["triples"] = StageResult::contradiction();
  CycleEnd e = runCycle(s);
  EXPECT_EQ(e.kind, CycleEnd::Contradiction);
  EXPECT_EQ(e.stage, Stage::Triples);
  EXPECT_FALSE(e.found.cellWithoutCandidates);
  EXPECT_EQ(s.ran, Stages(kAll.begin(), kAll.begin() + 4));

  FakeStages<false> t;
  t.finds["singles"] = StageResult::contradiction(true);
  e = runCycle(t);
  EXPECT_EQ(e.kind, CycleEnd::Contradiction);
  EXPECT_TRUE(e.found.cellWithoutCandidates);
  EXPECT_EQ(t.ran, Stages{"singles"});
}

TEST(StageRunner, ARunEndedInsideAStageEndsTheCycle) {
  FakeStages<false> s;
  s.finds["singles"] = StageResult::ended();
  EXPECT_EQ(runCycle(s).kind, CycleEnd::Ended);
  EXPECT_EQ(s.ran, Stages{"singles"});
}

TEST(StageRunner, AChangeEndsTheCycleOnlyForACallerThatStartsAgainOnIt) {
  FakeStages<false> runs;
  runs.finds["pairs"] = StageResult::changed(true);
  runs.finds["triples"] = StageResult::changed(true);
  EXPECT_EQ(runCycle(runs).kind, CycleEnd::Through);
  EXPECT_EQ(runs.ran, kAll);

  FakeStages<true> grade;
  grade.finds["pairs"] = StageResult::changed(true);
  const CycleEnd e = runCycle(grade);
  EXPECT_EQ(e.kind, CycleEnd::Changed);
  EXPECT_EQ(e.stage, Stage::Pairs);
  EXPECT_EQ(grade.ran, (Stages{"singles", "pairs"}));

  FakeStages<true> unchanged;
  unchanged.finds["pairs"] = StageResult::changed(false);
  EXPECT_EQ(runCycle(unchanged).kind, CycleEnd::Through);
}

TEST(StageRunner, AClosedGateStartsTheNextCycleAndALeavingOneLeaves) {
  FakeStages<false> s;
  s.late = Gate::NextCycle;
  CycleEnd e = runCycle(s);
  EXPECT_EQ(e.kind, CycleEnd::NextCycle);
  EXPECT_EQ(e.stage, Stage::Triples);
  EXPECT_EQ(s.ran, (Stages{"singles", "pairs", "late gate"}));

  FakeStages<false> t;
  t.blockPairGateSays = Gate::NextCycle;
  e = runCycle(t);
  EXPECT_EQ(e.kind, CycleEnd::NextCycle);
  EXPECT_EQ(e.stage, Stage::BlockPairs);
  EXPECT_EQ(t.ran, Stages(kAll.begin(), kAll.end() - 1));

  FakeStages<false> u;
  u.blockPairGateSays = Gate::Leave;
  e = runCycle(u);
  EXPECT_EQ(e.kind, CycleEnd::Leave);
  EXPECT_EQ(e.stage, Stage::BlockPairs);
  EXPECT_EQ(u.ran, Stages(kAll.begin(), kAll.end() - 1));
}

// The runs' gates as their counters open them, over the first 60 cycles
// that find nothing: the late stages every third cycle, the block pairs
// every fifth late stage, the stall handling every tenth.
TEST(StageRunner, TheRunsGatesOpenEveryThirdCycleAndEveryFifthLateStage) {
  long cycles = 0, lateStages = 0;
  std::vector<long> late, blockPairs, stalls;
  for (int k = 0; k < 60; ++k) {
    if (!reachesLateStages(++cycles)) continue;
    late.push_back(cycles);
    if (!runsBlockPairs(++lateStages)) continue;
    blockPairs.push_back(cycles);
    if (isStallSweep(lateStages)) stalls.push_back(cycles);
  }
  EXPECT_EQ(late, (std::vector<long>{3, 6, 9, 12, 15, 18, 21, 24, 27, 30, 33, 36, 39, 42, 45, 48, 51, 54, 57, 60}));
  EXPECT_EQ(blockPairs, (std::vector<long>{15, 30, 45, 60}));
  EXPECT_EQ(stalls, (std::vector<long>{30, 60}));
}

}  // namespace
}  // namespace numplace_test
