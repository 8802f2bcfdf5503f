// The product's fixed vocabulary: type codes (data types and control kinds), value format
// indexes and scale indexes, each known by a number and by a name.
//
// Every lookup walks one constant table; unknown names give the lookup's own "none" value
// (0, 255 or -1) and unknown codes write "NoData" or nothing.
#include <cstddef>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "frame/internal/ascii.h"
#include "frame/internal/buffers.h"
#include "frame/internal/int32.h"

namespace {

// One row per type code. The columns are the names that each member reads or writes:
// - dataTypeName: read by DataTypeStringToIndex, without regard to case;
// - modelName, modelSynonym: read by cpModelTOucModel, with exact case;
// - writtenName: written by ucModelTOcpModel.
// A null column means that member does not know the code. "COLOR" reads as 3 (a colour is
// stored as a LONG) while only 105 writes it; "STRING" reads as 8, which writes "CHARP".
struct TypeCodeRow {
  unsigned char code;
  const char* dataTypeName;
  const char* modelName;
  const char* modelSynonym;
  const char* writtenName;
};

constexpr TypeCodeRow kTypeCodes[] = {
    {2, "SHORT", "SHORT", nullptr, "SHORT"},
    {3, "LONG", "LONG", "COLOR", "LONG"},
    {4, "FLOAT", "FLOAT", nullptr, "FLOAT"},
    {5, "DOUBLE", "DOUBLE", nullptr, "DOUBLE"},
    {8, nullptr, "CHARP", "STRING", "CHARP"},
    {11, "BOOL", "BOOL", nullptr, "BOOL"},
    {16, "CHAR", "CHAR", nullptr, "CHAR"},
    {17, "UCHAR", "UCHAR", nullptr, "UCHAR"},
    {18, "USHORT", "USHORT", nullptr, "USHORT"},
    {19, "ULONG", "ULONG", nullptr, "ULONG"},
    {101, "BIT", "BIT", nullptr, "BIT"},
    {105, nullptr, nullptr, nullptr, "COLOR"},
    {106, "INT16_MODBUS", nullptr, nullptr, nullptr},
    {107, "UINT16_MODBUS", nullptr, nullptr, nullptr},
    {108, "INT32_MODBUS", nullptr, nullptr, nullptr},
    {109, "UINT32_MODBUS", nullptr, nullptr, nullptr},
    {110, "FLOAT_MODBUS", nullptr, nullptr, nullptr},
    {111, "DOUBLE_MODBUS", nullptr, nullptr, nullptr},
    {112, nullptr, "LABEL", nullptr, "LABEL"},
    {113, nullptr, "VALUEBOX", nullptr, "VALUEBOX"},
    {114, nullptr, "FRAME", nullptr, "FRAME"},
    {116, nullptr, "BARDIAGRAM", nullptr, "BARDIAGRAM"},
    {117, nullptr, "EDITBOX", nullptr, "EDITBOX"},
    {118, nullptr, "INFOBOX", nullptr, "INFOBOX"},
    {119, nullptr, "PUSHBUTTON", nullptr, "PUSHBUTTON"},
    {120, nullptr, "LINEDIAGRAM", nullptr, "LINEDIAGRAM"},
    {121, nullptr, "VECTORDIAGRAM", nullptr, "VECTORDIAGRAM"},
};

constexpr unsigned char kUnknownDataType = 0;
constexpr unsigned char kUnknownModel = 255;
constexpr const char* kNoDataName = "NoData";

struct IndexedName {
  const char* name;
  unsigned char index;
};

// "Scirntific" is the stored spelling; the English spelling is not a format name.
constexpr IndexedName kValueFormats[] = {
    {"Simple", 0},
    {"Eng", 1},
    {"Scirntific", 2},
    {"Enum", 3},
};

constexpr unsigned char kUnknownValueFormat = 255;

// Indexed by the scale index. The engineering formatter knows further modes (7 to 10) that
// have no name.
constexpr const char* kScaleNames[] = {"Hide", "Auto", "Unity", "Kilo", "Mega", "Giga", "Tera"};

constexpr long kScaleCount = static_cast<long>(sizeof kScaleNames / sizeof kScaleNames[0]);
// A scale's index is its DoubleToEngString mode.
static_assert(kScaleCount == CORVIXMATH_SCALE_TERA + 1, "one name for each scale mode 0 to 6");
constexpr long kUnknownScale = -1;

}  // namespace

unsigned char CMathOperation::DataTypeStringToIndex(char* name) {
  for (const TypeCodeRow& row : kTypeCodes) {
    if (row.dataTypeName != nullptr && corvix::EqualsIgnoringAsciiCase(name, row.dataTypeName))
      return row.code;
  }
  return kUnknownDataType;
}

unsigned char CMathOperation::cpModelTOucModel(char* name) {
  for (const TypeCodeRow& row : kTypeCodes) {
    if (row.modelName != nullptr && corvix::EqualsExactly(name, row.modelName)) return row.code;
    if (row.modelSynonym != nullptr && corvix::EqualsExactly(name, row.modelSynonym))
      return row.code;
  }
  return kUnknownModel;
}

// The caller's buffer is taken to hold kNameUnits bytes; every name fits it whole.
void CMathOperation::ucModelTOcpModel(unsigned char code, char* name) {
  const char* written = kNoDataName;
  for (const TypeCodeRow& row : kTypeCodes) {
    if (row.code == code && row.writtenName != nullptr) written = row.writtenName;
  }
  corvix::CopyTruncated(name, written, corvix::kNameUnits);
}

unsigned char CMathOperation::NumericValueStringToIndex(char* name) {
  for (const IndexedName& format : kValueFormats) {
    if (corvix::EqualsIgnoringAsciiCase(name, format.name)) return format.index;
  }
  return kUnknownValueFormat;
}

// Cuts the name to capacity - 1 bytes; an index without a name leaves the buffer as it was.
void CMathOperation::ScaleIndex2String(char* name, long index, unsigned int capacity) {
  const long scale = corvix::Wrap32(index);
  if (scale < 0 || scale >= kScaleCount) return;
  corvix::CopyTruncated(name, kScaleNames[scale], capacity);
}

long CMathOperation::ScaleString2Index(char* name) {
  for (long scale = 0; scale < kScaleCount; ++scale) {
    if (corvix::EqualsIgnoringAsciiCase(name, kScaleNames[scale])) return scale;
  }
  return kUnknownScale;
}
