/* A week of two series reduced to daily windows through the C interface's multi-day reducer,
 * fed an hour at a time as a logger would: each day's window is handed out as soon as the
 * next day's samples show that no later sample can change it. C99, the public header only. */
#include <stdint.h>
#include <stdio.h>

#include "corvixmath.h"

static void take_all(cm_reducer* reducer, int64_t hour) {
  cm_window windows[4];
  double averages[4 * 2];
  int32_t taken;
  while ((taken = cm_reducer_take(reducer, windows, averages, 4)) > 0) {
    for (int32_t i = 0; i < taken; ++i)
      printf("after hour %3lld: day %lld  min %.3f  max %.3f  mean %.3f  (%.3f, %.3f)\n",
             (long long)hour, (long long)(windows[i].centre / CORVIXMATH_SECONDS_PER_DAY),
             windows[i].minimum, windows[i].maximum, windows[i].mean, averages[2 * i],
             averages[2 * i + 1]);
  }
}

int main(void) {
  cm_reducer* reducer = NULL;
  int32_t status = cm_reducer_create(CORVIXMATH_SECONDS_PER_DAY, CORVIXMATH_SECONDS_PER_DAY, 2,
                                     CORVIXMATH_REDUCER_SERIES_AVERAGES, &reducer);
  if (status != CORVIXMATH_REDUCER_OK) {
    printf("cm_reducer_create: %d\n", (int)status);
    return 1;
  }
  /* Series 0 a level rising through the week, series 1 a daily cycle: one sample a minute. */
  for (int64_t hour = 0; hour < 7 * 24; ++hour) {
    int64_t times[60];
    double level[60], cycle[60];
    for (int i = 0; i < 60; ++i) {
      times[i] = hour * 3600 + i * 60;
      level[i] = 10.0 + (double)times[i] / CORVIXMATH_SECONDS_PER_DAY;
      cycle[i] = (double)(hour % 24);
    }
    if (cm_reducer_push(reducer, 0, times, level, 60) != CORVIXMATH_REDUCER_OK ||
        cm_reducer_push(reducer, 1, times, cycle, 60) != CORVIXMATH_REDUCER_OK) {
      printf("cm_reducer_push refused hour %lld\n", (long long)hour);
      return 1;
    }
    take_all(reducer, hour);
  }
  cm_reducer_finish(reducer);
  take_all(reducer, 7 * 24);
  cm_reducer_counts counts;
  cm_reducer_get_counts(reducer, &counts);
  printf("samples taken %lld, held by no window %lld, open %lld\n",
         (long long)counts.samples_taken, (long long)counts.samples_held_by_no_window,
         (long long)counts.samples_open);
  cm_reducer_destroy(reducer);
  return 0;
}
