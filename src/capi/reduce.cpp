// The C interface of the multi-day window reducer: an opaque handle around the reducer, every
// failure a code, no exception crossing it.
//
//   cm_reducer_create(3600, 3600, 1, 0, &r); cm_reducer_push(r, 0, t, v, n); cm_reducer_finish(r);
//   cm_reducer_take(r, windows, NULL, 24) -> 24 hourly windows of a day
#include <new>

#include "reduce/internal/reducer.h"

struct cm_reducer {
  corvix::reduce::Reducer reducer;
};

namespace {

// Runs one call of the reducer; a failed allocation is the only exception it lets out.
template <class Call>
std::int32_t Guarded(Call call) {
  try {
    return call();
  } catch (...) {
    return CORVIXMATH_REDUCER_NO_MEMORY;
  }
}

}  // namespace

int32_t CORVIXMATH_CALL cm_reducer_create(int64_t width, int64_t step, int32_t series_count,
                                          uint32_t flags, cm_reducer** reducer) {
  if (reducer == nullptr) return CORVIXMATH_REDUCER_NULL_ARGUMENT;
  *reducer = nullptr;
  const int32_t checked = corvix::reduce::Reducer::CheckSettings(width, step, series_count, flags);
  if (checked != CORVIXMATH_REDUCER_OK) return checked;
  return Guarded([&] {
    *reducer = new cm_reducer{corvix::reduce::Reducer(width, step, series_count, flags)};
    return CORVIXMATH_REDUCER_OK;
  });
}

void CORVIXMATH_CALL cm_reducer_destroy(cm_reducer* reducer) {
  delete reducer;
}

int32_t CORVIXMATH_CALL cm_reducer_push(cm_reducer* reducer, int32_t series, const int64_t* times,
                                        const double* values, int32_t count) {
  if (reducer == nullptr) return CORVIXMATH_REDUCER_NULL_ARGUMENT;
  return Guarded([&] { return reducer->reducer.Push(series, times, values, count); });
}

int32_t CORVIXMATH_CALL cm_reducer_start_at(cm_reducer* reducer, int64_t time) {
  if (reducer == nullptr) return CORVIXMATH_REDUCER_NULL_ARGUMENT;
  return Guarded([&] { return reducer->reducer.StartAt(time); });
}

int32_t CORVIXMATH_CALL cm_reducer_advance(cm_reducer* reducer, int64_t time) {
  if (reducer == nullptr) return CORVIXMATH_REDUCER_NULL_ARGUMENT;
  return Guarded([&] { return reducer->reducer.Advance(time); });
}

int32_t CORVIXMATH_CALL cm_reducer_finish(cm_reducer* reducer) {
  if (reducer == nullptr) return CORVIXMATH_REDUCER_NULL_ARGUMENT;
  return Guarded([&] { return reducer->reducer.Finish(); });
}

int32_t CORVIXMATH_CALL cm_reducer_take(cm_reducer* reducer, cm_window* windows, double* averages,
                                        int32_t capacity) {
  if (reducer == nullptr) return CORVIXMATH_REDUCER_NULL_ARGUMENT;
  return Guarded([&] { return reducer->reducer.Take(windows, averages, capacity); });
}

int32_t CORVIXMATH_CALL cm_reducer_get_counts(const cm_reducer* reducer,
                                              cm_reducer_counts* counts) {
  if (reducer == nullptr || counts == nullptr) return CORVIXMATH_REDUCER_NULL_ARGUMENT;
  *counts = reducer->reducer.Counts();
  return CORVIXMATH_REDUCER_OK;
}
