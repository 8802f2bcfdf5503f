// The multi-day window reducer behind cm_reducer_*: sample series pushed in time order, windows
// handed out as soon as no later sample can change them. Each run of windows that fits one
// day's axis is reduced by the day's window filter on the samples it needs, times shifted to
// the run's first centre, so the rows are those of the one-day reduction.
#ifndef CORVIXMATH_REDUCE_INTERNAL_REDUCER_H
#define CORVIXMATH_REDUCE_INTERNAL_REDUCER_H

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "corvixmath.h"

namespace corvix {
namespace reduce {

class Reducer {
 public:
  // CORVIXMATH_REDUCER_OK when a reducer can be made with these, or the code saying why not.
  static std::int32_t CheckSettings(std::int64_t width, std::int64_t step, std::int32_t seriesCount,
                                    std::uint32_t flags);

  // Settings already checked by CheckSettings.
  Reducer(std::int64_t width, std::int64_t step, std::int32_t seriesCount, std::uint32_t flags);

  // Each returns a CORVIXMATH_REDUCER_* code; bad_alloc may escape only before anything changed.
  std::int32_t Push(std::int32_t series, const std::int64_t* times, const double* values,
                    std::int32_t count);
  std::int32_t StartAt(std::int64_t time);
  std::int32_t Advance(std::int64_t time);
  std::int32_t Finish();
  // The number of windows written, or a code.
  std::int32_t Take(cm_window* windows, double* averages, std::int32_t capacity);
  cm_reducer_counts Counts() const;

 private:
  // One series' samples not yet behind every open window.
  struct Buffer {
    std::vector<std::int64_t> times;
    std::vector<double> values;
    std::size_t head = 0;  // samples before it are behind every open window
    bool any = false;      // a sample was ever pushed
    std::int64_t last = 0;
    std::size_t Open() const { return times.size() - head; }
  };

  std::int64_t WindowsUpTo(std::int64_t origin, std::int64_t lastTime) const;
  bool HeldByAWindow(std::int64_t time) const;
  void FixOrigin();
  void Settle();
  std::int64_t ChunkLast(std::int64_t first) const;
  void ReduceChunk(std::int64_t first, std::int64_t last);
  std::int64_t Gather(std::int64_t base, std::int64_t first, std::int64_t last);
  void Averages(std::int64_t base, std::int64_t first, std::int64_t last);
  std::int32_t Filter(const double* const* values, const std::int32_t* const* times,
                      std::int32_t series, const std::int32_t* counts, std::int64_t first,
                      std::int64_t last);
  void DropBefore(std::int64_t time);

  const std::int64_t width_;
  const std::int64_t step_;
  const std::int64_t half_;
  const std::int64_t perRun_;  // windows of one day's axis: the filter's windows
  const std::int64_t chunk_;   // windows reduced at once, within one run
  const std::int32_t seriesCount_;
  const bool keepEmpty_;
  const bool withAverages_;

  std::vector<Buffer> buffers_;
  bool anySample_ = false;
  std::int64_t firstTime_ = 0;  // the earliest and latest sample times taken
  std::int64_t lastTime_ = 0;
  bool advanced_ = false;
  std::int64_t advancedTo_ = 0;
  bool originFixed_ = false;
  std::int64_t origin_ = 0;
  std::int64_t nextWindow_ = 0;  // the first window not yet reduced
  bool finished_ = false;

  // The run being reduced: shifted times and views of each series, the filter's outputs.
  std::vector<std::vector<std::int32_t>> shifted_;
  std::vector<const double*> runValues_;
  std::vector<const std::int32_t*> runTimes_;
  std::vector<std::int32_t> runCounts_;
  std::vector<double> minimum_, maximum_, mean_;
  std::vector<std::int32_t> centres_;
  std::vector<double> runAverages_;
  std::vector<cm_window> runWindows_;
  std::vector<double> runWindowAverages_;

  // Reduced windows not yet taken, and their series averages.
  std::deque<cm_window> waiting_;
  std::deque<double> waitingAverages_;

  cm_reducer_counts counts_{};
};

}  // namespace reduce
}  // namespace corvix

#endif  // CORVIXMATH_REDUCE_INTERNAL_REDUCER_H
