// Several puzzles on several threads, handed on in the order of their seeds.
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "generate/generate.h"
#include "generate/stop.h"

namespace numplace {
namespace {

// The puzzles of several seeds on several threads, handed on in the order of
// the seeds. A thread takes the next seed only while the seeds taken and not
// yet handed on are fewer than the puzzles still wanted, so no puzzle is made
// that is not needed (but for those equal to an earlier one).
class Run {
 public:
  Run(const GenerateOptions &options, std::uint64_t seed, int count,
      const std::function<void(const GeneratedPuzzle &)> &take, const std::atomic<bool> *cancel,
      const ProgressCallback &progress)
      : options_(options), seed_(seed), count_(count), take_(take), cancel_(cancel), progress_(progress) {
    shown_.wanted = count;
  }

  void work() {
    const std::function<void()> attempted = [this] {
      const std::lock_guard lock(progressMutex_);
      ++shown_.attempts;
      if (progress_) progress_(shown_);
    };
    for (;;) {
      std::uint64_t k = 0;
      {
        std::unique_lock lock(mutex_);
        // Woken when a puzzle is handed on or a thread stops; the caller's
        // flag is looked at now and then.
        while (!finished() && next_ >= handedOn_ + static_cast<std::uint64_t>(count_ - made_))
          opened_.wait_for(lock, std::chrono::milliseconds(20));
        if (finished()) return;
        k = next_++;
      }
      std::optional<GeneratedPuzzle> p = generateOne(options_, puzzleSeed(seed_, k), Stop{cancel_, &done_}, attempted);
      const std::lock_guard lock(mutex_);
      if (!p) {
        // Stopped: cancelled, or enough were made meanwhile.
        opened_.notify_all();
        return;
      }
      ready_.emplace(k, *p);
      handOn();
    }
  }

  bool complete() const { return made_ == count_; }

 private:
  bool finished() const { return done_.load(std::memory_order_relaxed) || (cancel_ != nullptr && cancel_->load()); }

  // The puzzles ready in the order of the seeds, under the lock.
  void handOn() {
    for (auto it = ready_.begin(); it != ready_.end() && it->first == handedOn_ && made_ < count_;
         it = ready_.erase(it)) {
      ++handedOn_;
      if (!seen_.insert(it->second.puzzle).second) continue;
      take_(it->second);
      ++made_;
      {
        const std::lock_guard lock(progressMutex_);
        shown_.made = made_;
        if (progress_) progress_(shown_);
      }
    }
    if (made_ == count_) done_ = true;
    opened_.notify_all();
  }

  const GenerateOptions &options_;
  const std::uint64_t seed_;
  const int count_;
  const std::function<void(const GeneratedPuzzle &)> &take_;
  const std::atomic<bool> *cancel_;
  const ProgressCallback &progress_;

  std::mutex mutex_;  // all below but the progress
  std::condition_variable opened_;
  std::uint64_t next_ = 0;      // the next seed to take
  std::uint64_t handedOn_ = 0;  // seeds handed on (or left out as repeats)
  int made_ = 0;
  std::map<std::uint64_t, GeneratedPuzzle> ready_;  // made, waiting for an earlier seed
  std::set<Grid> seen_;
  std::atomic<bool> done_ = false;

  std::mutex progressMutex_;
  GenerateProgress shown_;
};

}  // namespace

bool generatePuzzles(const GenerateOptions &options, std::uint64_t seed, int count, unsigned jobs,
                     const std::function<void(const GeneratedPuzzle &)> &take, const std::atomic<bool> *cancel,
                     const ProgressCallback &progress) {
  if (count <= 0) return true;
  Run run(options, seed, count, take, cancel, progress);
  std::vector<std::thread> threads;
  for (unsigned j = 1; j < jobs; ++j) threads.emplace_back([&run] { run.work(); });
  run.work();
  for (std::thread &t : threads) t.join();
  return run.complete();
}

}  // namespace numplace
