// Device model tables.
#include <gtest/gtest.h>

#include "CMathOperation.h"

namespace {

struct ModelCase {
  unsigned short model;
  int tavlinDataType;
  int dataStructureType;
  long iamCode;
  int deviceClass;
};

const ModelCase kModels[] = {
    {102, 0, 1, 12, 1},
    {103, 1, 1, 13, 1},
    {104, 2, 1, 17, 3},
    {106, 255, 0, 0, 5},
    {107, 3, 1, 18, 2},
    {108, 255, 0, 19, 4},
    {109, 4, 4, 35, 1},
    {110, 5, 50, 38, 1},
    {111, 25, 4, 39, 2},
    {112, 26, 50, 40, 2},
    {113, 27, 0, 0, 1},
    {114, 28, 0, 0, 2},
    {115, 29, 0, 0, 0},
    {118, 33, 0, 0, 1},
    {119, 34, 0, 0, 2},
    {201, 6, 0, 6, 6},
    {203, 7, 0, 7, 6},
    {204, 8, 0, 8, 6},
    {205, 9, 0, 9, 6},
    {206, 10, 0, 10, 6},
    {207, 11, 0, 11, 6},
    {208, 12, 0, 24, 6},
    {209, 13, 0, 25, 6},
    {210, 14, 0, 26, 6},
    {211, 15, 0, 31, 6},
    {212, 31, 0, 41, 6},
    {213, 32, 0, 42, 6},
    {214, 35, 0, 43, 6},
    {301, 16, 0, 16, 1},
    {302, 17, 0, 22, 2},
    {305, 20, 2, 14, 1},
    {306, 21, 2, 20, 2},
    {401, 24, 0, 0, 6},
    // Unknown models: every column gives its "none".
    {0, 255, 0, 0, 0},
    {101, 255, 0, 0, 0},
    {105, 255, 0, 0, 0},
    {116, 255, 0, 0, 0},
    {117, 255, 0, 0, 0},
    {120, 255, 0, 0, 0},
    {200, 255, 0, 0, 0},
    {202, 255, 0, 0, 0},
    {215, 255, 0, 0, 0},
    {300, 255, 0, 0, 0},
    {303, 255, 0, 0, 0},
    {304, 255, 0, 0, 0},
    {307, 255, 0, 0, 0},
    {400, 255, 0, 0, 0},
    {402, 255, 0, 0, 0},
    {65535, 255, 0, 0, 0},
};

TEST(DeviceModels, EachColumnGivesItsValueOrItsNone) {
  CMathOperation math;
  for (const ModelCase& c : kModels) {
    EXPECT_EQ(math.CorvixDeviceModelToTavlinDataType(c.model), c.tavlinDataType) << c.model;
    EXPECT_EQ(math.CorvixDeviceModelToDataStructureType(c.model), c.dataStructureType) << c.model;
    EXPECT_EQ(math.ModelToIam(c.model), c.iamCode) << c.model;
    EXPECT_EQ(math.WhatIsThis(c.model), c.deviceClass) << c.model;
  }
}

}  // namespace
