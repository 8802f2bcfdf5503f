// Software component names by computer id.
#include <gtest/gtest.h>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "support/test_units.h"

namespace {

using corvix_test::CanaryBuffer;

struct ComputerCase {
  int computerId;
  const char* written;  // null: the buffer keeps its preset contents
};

const ComputerCase kComputers[] = {
    {1000, "Tresk"},      {1001, "SettingManager"}, {1002, "OPCServer"},
    {1003, "GPRSClient"}, {1004, "WatchDog"},       {1005, "GPRSServer"},
    {999, nullptr},       {1006, nullptr},          {-1, nullptr},
    {0, nullptr},
};

TEST(ComputerNames, WriteTheComponentNameOrLeaveTheBufferForAnUnknownId) {
  CMathOperation math;
  for (const ComputerCase& c : kComputers) {
    CanaryBuffer<char> name(CORVIXMATH_NAME_BYTES);
    const auto before = name.Contents();
    math.ComputerIdToString(c.computerId, name.data());
    if (c.written == nullptr) {
      EXPECT_EQ(name.Contents(), before) << c.computerId;
    } else {
      EXPECT_STREQ(name.data(), c.written) << c.computerId;
    }
    EXPECT_TRUE(name.CanariesIntact()) << c.computerId;
  }
  math.ComputerIdToString(1000, nullptr);
}

}  // namespace
