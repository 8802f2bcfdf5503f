// Buffers whose end touches an inaccessible page, for the guard-page tests.
//
// A GuardedBuffer<Unit> of n units is placed so that the first byte after its last unit is the
// first byte of a page that may be neither read nor written: a member that reads or writes one
// unit too many faults at once, instead of passing silently over a canary it never checked.
// The bytes of the first page before the buffer hold a known pattern, so that a write in front
// of the buffer is seen too (SlackIntact).
//
// POSIX: mmap + mprotect(PROT_NONE). Windows (and Wine): VirtualAlloc + VirtualProtect
// (PAGE_NOACCESS). WebAssembly's linear memory has no protection at all (mprotect succeeds
// and does nothing): there the guard page holds a known pattern instead, which SlackIntact
// checks as well, so a write past the end is still seen; a read past the end is not.
#ifndef CORVIXMATH_TESTS_HARDENING_GUARD_PAGE_H
#define CORVIXMATH_TESTS_HARDENING_GUARD_PAGE_H

#include <cstddef>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "support/test_buffers.h"

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace corvix_test {

// Whole pages, the last of them inaccessible.
class GuardedPages {
 public:
  explicit GuardedPages(std::size_t usableBytes) {
    const std::size_t page = PageSize();
    usablePages_ = usableBytes == 0 ? 1 : (usableBytes + page - 1) / page;
    const std::size_t total = (usablePages_ + 1) * page;
#if defined(_WIN32)
    void* base = VirtualAlloc(nullptr, total, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (base == nullptr) return;
    DWORD previous = 0;
    if (!VirtualProtect(static_cast<unsigned char*>(base) + usablePages_ * page, page,
                        PAGE_NOACCESS, &previous)) {
      VirtualFree(base, 0, MEM_RELEASE);
      return;
    }
#else
    void* base = mmap(nullptr, total, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (base == MAP_FAILED) return;
    if (mprotect(static_cast<unsigned char*>(base) + usablePages_ * page, page, PROT_NONE) != 0) {
      munmap(base, total);
      return;
    }
#endif
    base_ = static_cast<unsigned char*>(base);
    total_ = total;
    if (!kGuardFaults) std::memset(guard(), kGuardByte, page);
  }

  GuardedPages(GuardedPages&& other) noexcept
      : base_(std::exchange(other.base_, nullptr)),
        total_(std::exchange(other.total_, 0)),
        usablePages_(other.usablePages_) {}
  GuardedPages(const GuardedPages&) = delete;
  GuardedPages& operator=(const GuardedPages&) = delete;
  GuardedPages& operator=(GuardedPages&&) = delete;

  ~GuardedPages() {
    if (base_ == nullptr) return;
#if defined(_WIN32)
    VirtualFree(base_, 0, MEM_RELEASE);
#else
    munmap(base_, total_);
#endif
  }

  bool valid() const {
    return base_ != nullptr;
  }
  unsigned char* begin() const {
    return base_;
  }
  // The first byte of the inaccessible page.
  unsigned char* guard() const {
    return base_ + usablePages_ * PageSize();
  }

  // Whether an access to the guard page faults; where it cannot, GuardIntact tells whether
  // anything was written there.
#if defined(__EMSCRIPTEN__)
  static constexpr bool kGuardFaults = false;
#else
  static constexpr bool kGuardFaults = true;
#endif
  static constexpr unsigned char kGuardByte = 0x5A;

  bool GuardIntact() const {
    if (kGuardFaults) return true;
    const std::size_t page = PageSize();
    for (std::size_t i = 0; i < page; ++i)
      if (guard()[i] != kGuardByte) return false;
    return true;
  }

  static std::size_t PageSize() {
#if defined(_WIN32)
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwPageSize;
#else
    return static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
#endif
  }

 private:
  unsigned char* base_ = nullptr;
  std::size_t total_ = 0;
  std::size_t usablePages_ = 0;
};

// `units` units preset to `fill`, the last one directly before the inaccessible page. A buffer
// of 0 units starts at the guard: any access to it faults.
template <class Unit>
class GuardedBuffer {
 public:
  static constexpr unsigned char kSlackByte = 0xA5;

  explicit GuardedBuffer(std::size_t units, Unit fill = static_cast<Unit>('#'))
      : pages_(units * sizeof(Unit)), units_(units), fill_(fill) {
    if (!pages_.valid()) return;
    data_ = reinterpret_cast<Unit*>(pages_.guard() - units * sizeof(Unit));
    std::memset(pages_.begin(), kSlackByte, SlackBytes());
    for (std::size_t i = 0; i < units; ++i)
      data_[i] = fill;
  }

  // A terminated text whose terminator is the last unit before the guard: a member that reads
  // past the terminator faults.
  static GuardedBuffer Text(const std::vector<Unit>& terminated) {
    GuardedBuffer buffer(terminated.size());
    for (std::size_t i = 0; buffer.data_ != nullptr && i < terminated.size(); ++i)
      buffer.data_[i] = terminated[i];
    return buffer;
  }

  GuardedBuffer(GuardedBuffer&& other) noexcept = default;
  GuardedBuffer(const GuardedBuffer&) = delete;
  GuardedBuffer& operator=(const GuardedBuffer&) = delete;
  GuardedBuffer& operator=(GuardedBuffer&&) = delete;

  bool valid() const { return data_ != nullptr; }
  Unit* data() const { return data_; }
  std::size_t size() const { return units_; }
  Unit& operator[](std::size_t i) const { return data_[i]; }

  std::vector<Unit> Contents() const { return std::vector<Unit>(data_, data_ + units_); }

  // The text as NarrowText reads it (tests/support/test_buffers.h).
  std::string Text() const { return NarrowText(data_, units_); }

  // Nothing was written into the buffer nor in front of it.
  bool Untouched() const {
    for (std::size_t i = 0; i < units_; ++i)
      if (data_[i] != fill_) return false;
    return SlackIntact();
  }

  // Nothing was written in front of the buffer (within its first page), nor past it where
  // the guard page cannot fault.
  bool SlackIntact() const {
    const std::size_t slack = SlackBytes();
    for (std::size_t i = 0; i < slack; ++i)
      if (pages_.begin()[i] != kSlackByte) return false;
    return pages_.GuardIntact();
  }

 private:
  std::size_t SlackBytes() const {
    return static_cast<std::size_t>(reinterpret_cast<unsigned char*>(data_) - pages_.begin());
  }

  GuardedPages pages_;
  std::size_t units_;
  Unit fill_;
  Unit* data_ = nullptr;
};

}  // namespace corvix_test

#endif  // CORVIXMATH_TESTS_HARDENING_GUARD_PAGE_H
