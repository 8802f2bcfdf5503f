// Thread safety: every family runs from eight threads at once, each thread with its own
// buffers, and every result must equal the one a single thread computed. The class keeps no
// state, so any difference (or a race that ThreadSanitizer reports under the tsan preset) is a
// fault. The reducer keeps state in its handle: distinct handles in distinct threads.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "corvixmath.h"
#include "tests/hardening/member_calls.h"

namespace {

using corvix_test::AllMemberCalls;
using corvix_test::CallProbe;
using corvix_test::MemberCall;

constexpr int kThreads = 8;
constexpr int kRounds = 3;

std::vector<std::string> SingleThreadedDigests() {
  CallProbe probe;
  std::vector<std::string> digests;
  for (const MemberCall& call : AllMemberCalls())
    digests.push_back(call.run(probe));
  return digests;
}

TEST(ThreadSafety, EveryFamilyFromEightThreadsAtOnce) {
#if defined(__EMSCRIPTEN__)
  GTEST_SKIP() << "WebAssembly without shared memory has no threads to start";
#endif
  const std::vector<MemberCall>& calls = AllMemberCalls();
  const std::vector<std::string> expected = SingleThreadedDigests();
  for (std::size_t i = 0; i < calls.size(); ++i)
    ASSERT_FALSE(expected[i].empty()) << calls[i].member;

  // Each thread starts at another member, so that different families overlap in time, and
  // records its mismatches; the main thread reports them after the join.
  std::vector<std::vector<std::string>> mismatches(kThreads);
  std::atomic<int> ready{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      CallProbe probe;
      ready.fetch_add(1);
      while (ready.load() < kThreads)
        std::this_thread::yield();
      for (int round = 0; round < kRounds; ++round) {
        for (std::size_t k = 0; k < calls.size(); ++k) {
          const std::size_t i = (k + static_cast<std::size_t>(t) * calls.size() / kThreads +
                                 static_cast<std::size_t>(round)) %
                                calls.size();
          if (calls[i].run(probe) != expected[i])
            mismatches[static_cast<std::size_t>(t)].push_back(calls[i].member);
        }
      }
    });
  }
  for (std::thread& thread : threads)
    thread.join();

  for (int t = 0; t < kThreads; ++t) {
    for (const std::string& member : mismatches[static_cast<std::size_t>(t)])
      ADD_FAILURE() << "thread " << t << ": " << member
                    << " differs from the single-threaded result";
  }
}

// The table is what the check above and the allocation check rely on: it must call every
// member that the public header declares.
TEST(ThreadSafety, TableCallsEveryDeclaredMember) {
  std::ifstream header(CORVIXMATH_PUBLIC_HEADER);
  if (!header) GTEST_SKIP() << "the public header is not readable here: " CORVIXMATH_PUBLIC_HEADER;

  std::set<std::string> called;
  const std::regex name(R"(([A-Za-z_][A-Za-z0-9_]*))");
  for (const MemberCall& call : AllMemberCalls()) {
    const std::string names = call.member;
    for (std::sregex_iterator it(names.begin(), names.end(), name), end; it != end; ++it)
      called.insert(it->str());
  }

  const std::regex declaration(R"(^\s+(?:virtual\s+)?[^/(]*?~?([A-Za-z_][A-Za-z0-9_]*)\()");
  std::size_t declared = 0;
  for (std::string line; std::getline(header, line);) {
    std::smatch match;
    if (!std::regex_search(line, match, declaration)) continue;
    const std::string member = match[1].str();
    if (member == "operator") continue;
    ++declared;
    EXPECT_TRUE(called.count(member) != 0) << member << " is not in the table of member calls";
  }
  EXPECT_GT(declared, 80u);
}

// Three series over three days, pushed a row at a time as a reader of a log would, with the
// windows taken as they come: the bytes of every window and series average.
std::vector<unsigned char> ReduceOneLog() {
  constexpr int32_t kSeries = 3;
  std::vector<unsigned char> bytes;
  cm_reducer* reducer = nullptr;
  if (cm_reducer_create(900, 300, kSeries,
                        CORVIXMATH_REDUCER_EMPTY_WINDOWS | CORVIXMATH_REDUCER_SERIES_AVERAGES,
                        &reducer) != CORVIXMATH_REDUCER_OK)
    return bytes;
  cm_window windows[16];
  double averages[16 * kSeries];
  const auto takeAll = [&] {
    for (int32_t taken; (taken = cm_reducer_take(reducer, windows, averages, 16)) > 0;) {
      const auto* w = reinterpret_cast<const unsigned char*>(windows);
      const auto* a = reinterpret_cast<const unsigned char*>(averages);
      bytes.insert(bytes.end(), w, w + taken * sizeof(cm_window));
      bytes.insert(bytes.end(), a, a + taken * kSeries * sizeof(double));
    }
  };
  for (int64_t row = 0; row < 3 * 86400 / 97; ++row) {
    const int64_t time = 1700000000 + row * 97;
    for (int32_t s = 0; s < kSeries; ++s) {
      if ((row + s) % 5 == 0) continue;  // an empty cell
      const double value = std::sin(static_cast<double>(row * (s + 1))) * 1000.0;
      cm_reducer_push(reducer, s, &time, &value, 1);
    }
    if (row % 50 == 0) takeAll();
  }
  cm_reducer_finish(reducer);
  takeAll();
  cm_reducer_destroy(reducer);
  return bytes;
}

TEST(ThreadSafety, DistinctReducersInDistinctThreadsGiveTheSameWindows) {
#if defined(__EMSCRIPTEN__)
  GTEST_SKIP() << "WebAssembly without shared memory has no threads to start";
#endif
  const std::vector<unsigned char> expected = ReduceOneLog();
  ASSERT_GT(expected.size(), 800 * sizeof(cm_window));
  std::vector<int> mismatches(kThreads, 0);
  std::atomic<int> ready{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      ready.fetch_add(1);
      while (ready.load() < kThreads)
        std::this_thread::yield();
      for (int round = 0; round < kRounds; ++round)
        if (ReduceOneLog() != expected) ++mismatches[static_cast<std::size_t>(t)];
    });
  }
  for (std::thread& thread : threads)
    thread.join();
  for (int t = 0; t < kThreads; ++t)
    EXPECT_EQ(0, mismatches[static_cast<std::size_t>(t)]) << "thread " << t;
}

}  // namespace
