// Device model numbers and the numbers derived from them.
//
// Each member is a lookup by exact value in one constant table; a model that is not listed
// gets the "none" row (Tavlin data type 255, everything else 0).
#include "CMathOperation.h"

namespace {

struct DeviceModelRow {
  unsigned short model;
  unsigned char tavlinDataType;     // 255: the model has none
  unsigned char dataStructureType;  // 0: none
  long iamCode;                     // 0: none
  unsigned char deviceClass;        // 0: unknown
};

constexpr DeviceModelRow kDeviceModels[] = {
    {102, 0, 1, 12, 1},  {103, 1, 1, 13, 1},   {104, 2, 1, 17, 3},  {106, 255, 0, 0, 5},
    {107, 3, 1, 18, 2},  {108, 255, 0, 19, 4}, {109, 4, 4, 35, 1},  {110, 5, 50, 38, 1},
    {111, 25, 4, 39, 2}, {112, 26, 50, 40, 2}, {113, 27, 0, 0, 1},  {114, 28, 0, 0, 2},
    {115, 29, 0, 0, 0},  {118, 33, 0, 0, 1},   {119, 34, 0, 0, 2},  {201, 6, 0, 6, 6},
    {203, 7, 0, 7, 6},   {204, 8, 0, 8, 6},    {205, 9, 0, 9, 6},   {206, 10, 0, 10, 6},
    {207, 11, 0, 11, 6}, {208, 12, 0, 24, 6},  {209, 13, 0, 25, 6}, {210, 14, 0, 26, 6},
    {211, 15, 0, 31, 6}, {212, 31, 0, 41, 6},  {213, 32, 0, 42, 6}, {214, 35, 0, 43, 6},
    {301, 16, 0, 16, 1}, {302, 17, 0, 22, 2},  {305, 20, 2, 14, 1}, {306, 21, 2, 20, 2},
    {401, 24, 0, 0, 6},
};

constexpr DeviceModelRow kUnknownDeviceModel = {0, 255, 0, 0, 0};

const DeviceModelRow& FindDeviceModel(unsigned short model) {
  for (const DeviceModelRow& row : kDeviceModels) {
    if (row.model == model) return row;
  }
  return kUnknownDeviceModel;
}

}  // namespace

unsigned char CMathOperation::CorvixDeviceModelToTavlinDataType(unsigned short model) {
  return FindDeviceModel(model).tavlinDataType;
}

unsigned char CMathOperation::CorvixDeviceModelToDataStructureType(unsigned short model) {
  return FindDeviceModel(model).dataStructureType;
}

long CMathOperation::ModelToIam(unsigned short model) {
  return FindDeviceModel(model).iamCode;
}

unsigned char CMathOperation::WhatIsThis(unsigned short model) {
  return FindDeviceModel(model).deviceClass;
}
