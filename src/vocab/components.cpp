// The names of the product's software components, by computer id: 1000 -> "Tresk",
// 1003 -> "GPRSClient". One constant table; an unknown id writes nothing.
#include "CMathOperation.h"
#include "frame/internal/buffers.h"

namespace {

struct ComputerName {
  int computerId;
  const char* name;
};

constexpr ComputerName kComputerNames[] = {
    {1000, "Tresk"},      {1001, "SettingManager"}, {1002, "OPCServer"},
    {1003, "GPRSClient"}, {1004, "WatchDog"},       {1005, "GPRSServer"},
};

}  // namespace

// The caller's buffer is taken to hold kNameUnits bytes; every name fits it whole. An unknown
// id leaves the buffer as it was, so a caller that needs a text fills it first.
void CMathOperation::ComputerIdToString(int computerId, char* name) {
  for (const ComputerName& component : kComputerNames) {
    if (component.computerId == computerId) {
      corvix::CopyTruncated(name, component.name, corvix::kNameUnits);
      return;
    }
  }
}
