// Allocation-free: no member reaches the heap. This program replaces the global operator new
// (every form) and, on glibc builds without a sanitizer, malloc, calloc, realloc and the
// aligned allocators, and counts the calls made on the calling thread while a member call is
// under way. Both replacements live in this program only.
//
// The table holds the class members, which the C functions mirror one for one. The multi-day
// reducer (cm_reducer_*) has no member and is not in it: it holds samples between calls and is
// documented to allocate.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "tests/hardening/member_calls.h"

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define CORVIX_TEST_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || \
    __has_feature(memory_sanitizer)
#define CORVIX_TEST_SANITIZED 1
#endif
#endif

// A sanitizer brings its own malloc, which a second replacement would fight; a statically
// linked C library defines the whole allocator in one object, so it cannot be replaced in part.
#if defined(__GLIBC__) && !defined(CORVIX_TEST_SANITIZED) && !defined(CORVIXMATH_TESTS_STATIC_LIBC)
#define CORVIX_TEST_COUNTS_MALLOC 1
#endif

namespace {

// Counting is per thread and only while a member call is under way; constant-initialised, so
// reading them from inside malloc needs no allocation of its own.
thread_local bool t_counting = false;
thread_local long t_operatorNewCalls = 0;
thread_local long t_mallocCalls = 0;

void* CountedNew(std::size_t size) {
  if (t_counting) ++t_operatorNewCalls;
  void* memory = std::malloc(size != 0 ? size : 1);
  if (memory == nullptr) throw std::bad_alloc();
  return memory;
}

// Over-aligned blocks keep the malloc'd pointer just before the aligned one, so that the
// matching delete can give it back; this needs nothing beyond malloc on any platform.
void* CountedAlignedNew(std::size_t size, std::align_val_t alignment) {
  const std::size_t align = static_cast<std::size_t>(alignment);
  void* raw = CountedNew(size + align + sizeof(void*));
  const std::size_t start = reinterpret_cast<std::size_t>(raw) + sizeof(void*);
  void** aligned = reinterpret_cast<void**>((start + align - 1) / align * align);
  aligned[-1] = raw;
  return aligned;
}

void AlignedDelete(void* memory) {
  if (memory != nullptr) std::free(static_cast<void**>(memory)[-1]);
}

}  // namespace

void* operator new(std::size_t size) {
  return CountedNew(size);
}
void* operator new[](std::size_t size) {
  return CountedNew(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return CountedNew(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return CountedNew(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new(std::size_t size, std::align_val_t alignment) {
  return CountedAlignedNew(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return CountedAlignedNew(size, alignment);
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  try {
    return CountedAlignedNew(size, alignment);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  try {
    return CountedAlignedNew(size, alignment);
  } catch (...) {
    return nullptr;
  }
}
void operator delete(void* memory) noexcept {
  std::free(memory);
}
void operator delete[](void* memory) noexcept {
  std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
  std::free(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept {
  std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept {
  std::free(memory);
}
void operator delete(void* memory, std::align_val_t) noexcept {
  AlignedDelete(memory);
}
void operator delete[](void* memory, std::align_val_t) noexcept {
  AlignedDelete(memory);
}
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept {
  AlignedDelete(memory);
}
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept {
  AlignedDelete(memory);
}
void operator delete(void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
  AlignedDelete(memory);
}
void operator delete[](void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
  AlignedDelete(memory);
}

#if defined(CORVIX_TEST_COUNTS_MALLOC)
// glibc's own allocator under its internal names; free needs no replacement.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* memory, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);

void* malloc(std::size_t size) noexcept {
  if (t_counting) ++t_mallocCalls;
  return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) noexcept {
  if (t_counting) ++t_mallocCalls;
  return __libc_calloc(count, size);
}
void* realloc(void* memory, std::size_t size) noexcept {
  if (t_counting) ++t_mallocCalls;
  return __libc_realloc(memory, size);
}
void* memalign(std::size_t alignment, std::size_t size) noexcept {
  if (t_counting) ++t_mallocCalls;
  return __libc_memalign(alignment, size);
}
void* aligned_alloc(std::size_t alignment, std::size_t size) noexcept {
  if (t_counting) ++t_mallocCalls;
  return __libc_memalign(alignment, size);
}
int posix_memalign(void** memory, std::size_t alignment, std::size_t size) noexcept {
  if (t_counting) ++t_mallocCalls;
  void* block = __libc_memalign(alignment, size);
  if (block == nullptr) return 12;  // ENOMEM
  *memory = block;
  return 0;
}
}
#endif

namespace {

using corvix_test::AllMemberCalls;
using corvix_test::CallProbe;
using corvix_test::MemberCall;

// Counts the allocations of every span it marks.
class CountingProbe : public CallProbe {
 public:
  void Enter() override {
    t_operatorNewCalls = 0;
    t_mallocCalls = 0;
    t_counting = true;
  }
  void Leave() override {
    t_counting = false;
    operatorNewCalls += t_operatorNewCalls;
    mallocCalls += t_mallocCalls;
    ++spans;
  }

  long operatorNewCalls = 0;
  long mallocCalls = 0;
  long spans = 0;
};

struct Tally {
  std::string member;
  CountingProbe probe;
};

std::vector<Tally> CountEveryMember() {
  std::vector<Tally> tallies;
  for (const MemberCall& call : AllMemberCalls()) {
    tallies.push_back({call.member, CountingProbe()});
    call.run(tallies.back().probe);
  }
  return tallies;
}

// The counters see what they are meant to see; otherwise the checks below prove nothing.
TEST(AllocationCounter, SeesOperatorNewAndMallocInsideTheSpanOnly) {
  CountingProbe probe;
  void* outside = ::operator new(8);
  probe.Enter();
  void* inside = ::operator new(16);
  probe.Leave();
  ::operator delete(inside);
  ::operator delete(outside);
  EXPECT_EQ(1, probe.operatorNewCalls);
  EXPECT_EQ(1, probe.spans);

#if defined(CORVIX_TEST_COUNTS_MALLOC)
  // Through a volatile pointer, so that the call cannot be folded away.
  void* (*volatile allocate)(std::size_t) = &std::malloc;
  CountingProbe mallocProbe;
  mallocProbe.Enter();
  void* block = allocate(32);
  mallocProbe.Leave();
  std::free(block);
  EXPECT_EQ(1, mallocProbe.mallocCalls);
#endif
}

TEST(Allocation, NoMemberCallsOperatorNew) {
  for (const Tally& tally : CountEveryMember()) {
    EXPECT_GT(tally.probe.spans, 0) << tally.member;
    EXPECT_EQ(0, tally.probe.operatorNewCalls) << tally.member << " allocated with operator new";
  }
}

TEST(Allocation, NoMemberCallsMalloc) {
#if defined(CORVIX_TEST_COUNTS_MALLOC)
  for (const Tally& tally : CountEveryMember())
    EXPECT_EQ(0, tally.probe.mallocCalls) << tally.member << " allocated with malloc";
#else
  GTEST_SKIP() << "malloc is counted only on glibc builds without a sanitizer: a sanitizer's "
                  "allocator replaces malloc itself, and other runtimes have no internal "
                  "allocator to forward to; operator new is counted everywhere";
#endif
}

}  // namespace
