// The shared table of member calls (see member_calls.h). Inputs are chosen to take each member
// through its main paths: results that fit and results that are refused, empty and long texts,
// every scale mode, every fault code.
#include "tests/hardening/member_calls.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "tests/support/flavours.h"
#include "tests/support/test_units.h"

namespace corvix_test {
namespace {

// Results and outputs in one comparable text. Doubles are taken by their bits, so a result
// that differs in the last bit (or a NaN of another sign) differs here too.
class Digest {
 public:
  Digest& Number(long long value) {
    text_ += std::to_string(value);
    text_ += ';';
    return *this;
  }
  Digest& Real(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return Number(static_cast<long long>(bits));
  }
  Digest& Real(long double value) { return Real(static_cast<double>(value)); }
  template <class Unit>
  Digest& Text(const Unit* units) {
    text_ += '"';
    for (std::size_t i = 0; units[i] != Unit(0); ++i) {
      text_ += std::to_string(static_cast<unsigned long>(units[i]));
      text_ += ',';
    }
    text_ += "\";";
    return *this;
  }
  // Raw units, terminators and untouched fill included.
  template <class Unit>
  Digest& Units(const std::vector<Unit>& units) {
    for (Unit unit : units) {
      text_ += std::to_string(static_cast<unsigned long>(unit));
      text_ += ',';
    }
    text_ += ';';
    return *this;
  }
  const std::string& str() const { return text_; }

 private:
  std::string text_;
};

// Runs `call` inside the probe's span and returns what it returns.
template <class Call>
auto Probed(CallProbe& probe, Call&& call) -> decltype(call()) {
  probe.Enter();
  struct Leave {
    CallProbe& probe;
    ~Leave() { probe.Leave(); }
  } leave{probe};
  return call();
}

std::string Repeat(char unit, std::size_t count) {
  return std::string(count, unit);
}

// Every bit of a 32-bit word: 4294967295 where long has 64 bits, -1 where it has 32.
const long kAllWordBits = static_cast<long>(0xFFFFFFFFull);

// A destination of `units` units preset to '#', so that untouched units show in the digest,
// with a terminator in its last unit, so that reading it as a text stays inside it.
template <class Unit>
std::vector<Unit> Destination(std::size_t units) {
  std::vector<Unit> destination(units, static_cast<Unit>('#'));
  destination.back() = Unit(0);
  return destination;
}

template <class Unit>
std::vector<Unit> Text(const std::string& ascii) {
  return corvix_test::Units<Unit>(ascii);
}

// Texts that the text members are fed in every flavour.
const char* const kTexts[] = {"",      "abc", "1.2.3",  "  12.5  ",  "a,,b,c",      "D:\\Data\\x",
                              "ABC12", "12.", "(a)(b)", "xyzxyzxyd", "\x7F\x01 end"};

std::vector<std::string> TextInputs() {
  std::vector<std::string> texts(std::begin(kTexts), std::end(kTexts));
  texts.push_back(Repeat('w', 3000));
  texts.push_back(Repeat(' ', 600) + "mid" + Repeat(' ', 600));
  return texts;
}

// --- frame

std::string Lifecycle(CallProbe& probe) {
  Digest digest;
  const bool same = Probed(probe, [] {
    CMathOperation first;
    CMathOperation second(first);
    CMathOperation third;
    CMathOperation& assigned = (third = second);
    return &assigned == &third;
  });
  return digest.Number(same).str();
}

// --- format

std::string EngString(CallProbe& probe) {
  Digest digest;
  const double values[] = {12345.678, -12345.678, 0.05, -999.5, 5e9, 1e15, 1.0000000000000002e15,
                           123.456,   2.5,        -0.0, 1e300};
  char unit[] = "W";
  char emptyUnit[] = "";
  for (double value : values) {
    for (int mode = 0; mode <= 11; ++mode) {
      for (unsigned long size : {32ul, 6ul}) {
        std::vector<char> text = Destination<char>(32);
        const long result = Probed(probe, [&] {
          return CMathOperation().DoubleToEngString(text.data(), value,
                                                    mode == 7 ? emptyUnit : unit, 4, size,
                                                    static_cast<unsigned char>(mode));
        });
        digest.Number(result).Units(text);
      }
    }
  }
  return digest.str();
}

std::string SimpleString(CallProbe& probe) {
  Digest digest;
  struct Input {
    double value;
    unsigned char width;
    unsigned char decimals;
    unsigned char zeroFill;
    const char* separator;
  };
  const Input inputs[] = {{1234567.891, 0, 2, 0, ","}, {1234567.891, 0, 255, 0, ","},
                          {12.5, 0, 0, 0, nullptr},    {12.5, 6, 1, 1, nullptr},
                          {-5, 4, 255, 1, nullptr},    {123.45, 4, 1, 0, nullptr},
                          {-123456, 0, 255, 0, " "},   {0.0000001, 0, 255, 0, ""},
                          {-1e300, 0, 255, 0, ","},    {123456, 3, 255, 0, nullptr}};
  for (const Input& input : inputs) {
    for (long size : {64L, 5L}) {
      std::vector<char> separator = Text<char>(input.separator != nullptr ? input.separator : "");
      std::vector<char> text = Destination<char>(512);
      const long result = Probed(probe, [&] {
        return CMathOperation().DoubleToSimpleString(
            text.data(), input.value, input.width, input.decimals, input.zeroFill,
            input.separator != nullptr ? separator.data() : nullptr, size);
      });
      digest.Number(result).Text(text.data());
    }
  }
  return digest.str();
}

std::string Scientific(CallProbe& probe) {
  Digest digest;
  for (double value : {12345.678, -0.005, 0.0, 1e-300, -1.7976931348623157e308}) {
    for (int decimals : {0, 1, 2, 19, 20}) {
      for (unsigned int size : {64u, 6u}) {
        std::vector<char> text = Destination<char>(64);
        Probed(probe, [&] {
          CMathOperation().SientificFormat(text.data(), value, static_cast<unsigned char>(decimals),
                                           size);
          return 0;
        });
        digest.Units(text);
      }
    }
  }
  return digest.str();
}

std::string Price(CallProbe& probe) {
  Digest digest;
  for (double amount : {1234567.0, -123456.0, 1234.9, 5e6, -7.5, 1e20}) {
    for (unsigned char exponent : {0, 1, 4}) {
      for (char separator : {',', '\0'}) {
        for (unsigned int size : {32u, 4u, 3u}) {
          std::vector<char> text = Destination<char>(32);
          Probed(probe, [&] {
            CMathOperation().PriceToString(text.data(), amount, size, exponent, separator);
            return 0;
          });
          digest.Units(text);
        }
      }
    }
  }
  return digest.str();
}

std::string StandardLength(CallProbe& probe) {
  Digest digest;
  for (const char* input : {"12.5", "12.5 KW", "", "123456789", "12/5", "-.7"}) {
    for (long length : {0L, 3L, 6L, 10L}) {
      std::vector<char> text = Destination<char>(16);
      std::memcpy(text.data(), input, std::strlen(input) + 1);
      Probed(probe, [&] {
        CMathOperation().StandardLen(text.data(), length, '0');
        return 0;
      });
      digest.Units(text);
    }
  }
  return digest.str();
}

std::string SevenSeg(CallProbe& probe) {
  Digest digest;
  const double values[] = {1234.5678, -12.5, 1.5,      12345.678, 2500000, 0,
                           12345.6,   1e16,  -99999.5, 1e7,       0.05};
  const long flags[] = {0, 0x0200, 0x0300, 0x1008, 0x0808, 0x2008, 0x4008, 0x0008, 0x0100};
  for (double value : values) {
    for (long flag : flags) {
      digest.Number(Probed(probe, [&] { return CMathOperation().NumberTo4SevenSeg(value, flag); }));
    }
  }
  return digest.str();
}

std::string EngValue(CallProbe& probe) {
  Digest digest;
  for (const char* input : {"12.5 K", "-3m", "0.25", " 7 ", "K", "12K5", "1.2.3", "1E3", "+5k", "-",
                            ".", "", "123456789012345678", "9t", "1 g"}) {
    std::vector<char> text = Text<char>(input);
    digest.Real(Probed(probe, [&] { return CMathOperation().EngStr2SimpleValue(text.data()); }));
  }
  return digest.str();
}

std::string HexValue(CallProbe& probe) {
  Digest digest;
  for (const char* input :
       {"1A", "0x1A", "#FF8000", "G12", "", "FFFFFFFF", "123456789abcdef", "zz"}) {
    std::vector<char> text = Text<char>(input);
    digest.Number(Probed(probe, [&] { return CMathOperation().HexStringToDecimal(text.data()); }));
  }
  return digest.str();
}

std::string VariantValue(CallProbe& probe) {
  Digest digest;
  const VARTYPE types[] = {VT_I2,  VT_I4,  VT_R4,   VT_R8,    VT_I1,   VT_UI1,
                           VT_UI2, VT_UI4, VT_BOOL, VT_EMPTY, VT_BSTR, VARTYPE(VT_I2 | VT_BYREF)};
  for (VARTYPE type : types) {
    VARIANT value;
    std::memset(&value, 0, sizeof value);
    value.vt = type;
    value.dblVal = -200.75;
    if (type == VT_I2 || type == VT_I4 || type == VT_I1 || type == VT_UI1 || type == VT_UI2) {
      std::memset(&value, 0, sizeof value);
      value.vt = type;
      value.lVal = -56;
    }
    if (type == VT_R4) value.fltVal = 1.5f;
    digest.Real(Probed(probe, [&] { return CMathOperation().VarValueToLongDouble(value); }));
  }
  return digest.str();
}

std::string LongFromUnits(CallProbe& probe) {
  Digest digest;
  for (const char* input : {"  -42x", "+7", "", "abc", "99999999999", "-99999999999", "\t 12"}) {
    std::vector<unsigned short> text = Text<unsigned short>(input);
    digest.Number(Probed(probe, [&] { return CMathOperation().ToLong(text.data()); }));
  }
  return digest.str();
}

// --- text, one entry per flavour

template <class Unit, long (*Find)(Unit*, Unit)>
std::string FindChar(CallProbe& probe) {
  Digest digest;
  for (const std::string& input : TextInputs()) {
    std::vector<Unit> text = Text<Unit>(input);
    for (char character : {'c', '.', '\0', 'x', ' '}) {
      digest.Number(Probed(probe, [&] { return Find(text.data(), Unit(character)); }));
    }
  }
  return digest.str();
}

template <class Unit, long (*Find)(Unit*, Unit*)>
std::string FindSub(CallProbe& probe) {
  Digest digest;
  for (const std::string& input : TextInputs()) {
    std::vector<Unit> text = Text<Unit>(input);
    for (const char* sub : {"abd", "xyd", "", "b,c", "ww", "\x7F"}) {
      std::vector<Unit> substring = Text<Unit>(sub);
      digest.Number(Probed(probe, [&] { return Find(text.data(), substring.data()); }));
    }
  }
  return digest.str();
}

template <class Unit, long (*Left)(Unit*, Unit*, Unit, long)>
std::string LeftBefore(CallProbe& probe) {
  Digest digest;
  for (const std::string& input : TextInputs()) {
    std::vector<Unit> text = Text<Unit>(input);
    for (long capacity : {3L, 2048L}) {
      std::vector<Unit> left = Destination<Unit>(CORVIXMATH_TEXT_UNITS);
      const long result =
          Probed(probe, [&] { return Left(text.data(), left.data(), Unit('.'), capacity); });
      digest.Number(result).Text(left.data());
    }
  }
  return digest.str();
}

template <class Unit, void (*Right)(Unit*, Unit*, Unit)>
std::string RightAfter(CallProbe& probe) {
  Digest digest;
  for (const std::string& input : TextInputs()) {
    std::vector<Unit> text = Text<Unit>(input);
    for (char character : {'.', ',', '\0'}) {
      std::vector<Unit> right = Destination<Unit>(CORVIXMATH_TEXT_UNITS);
      right[1] = Unit(0);
      Probed(probe, [&] {
        Right(text.data(), right.data(), Unit(character));
        return 0;
      });
      digest.Text(right.data());
    }
    // In place, as callers strip leading fields.
    Probed(probe, [&] {
      Right(text.data(), text.data(), Unit(','));
      return 0;
    });
    digest.Text(text.data());
  }
  return digest.str();
}

template <class Unit, void (*Side)(Unit*, Unit*, long)>
std::string Sides(CallProbe& probe) {
  Digest digest;
  for (const std::string& input : TextInputs()) {
    std::vector<Unit> text = Text<Unit>(input);
    for (long count : {-1L, 0L, 2L, 9L, 1023L}) {
      std::vector<Unit> side = Destination<Unit>(1030);
      side[0] = Unit(0);
      Probed(probe, [&] {
        Side(text.data(), side.data(), count);
        return 0;
      });
      digest.Text(side.data());
    }
  }
  return digest.str();
}

template <class Unit>
std::string Sub(CallProbe& probe) {
  Digest digest;
  for (const std::string& input : TextInputs()) {
    std::vector<Unit> text = Text<Unit>(input);
    for (long start : {-1L, 0L, 2L, 50L}) {
      for (long count : {0L, 3L, 10L}) {
        std::vector<Unit> part = Destination<Unit>(16);
        const long result = Probed(probe, [&] {
          return CMathOperation().SubString(text.data(), part.data(), start, count);
        });
        digest.Number(result).Text(part.data());
      }
    }
  }
  return digest.str();
}

template <class Unit, long (*Trim)(Unit*, Unit*, Unit, unsigned int)>
std::string Trims(CallProbe& probe) {
  Digest digest;
  std::vector<std::string> inputs = TextInputs();
  inputs.push_back(Repeat('0', 1024));
  inputs.push_back(Repeat('0', 1025));
  inputs.push_back("000120000");
  for (const std::string& input : inputs) {
    std::vector<Unit> text = Text<Unit>(input);
    for (char character : {' ', '0', 'w', '\0'}) {
      for (unsigned int capacity : {4u, 1100u}) {
        std::vector<Unit> trimmed = Destination<Unit>(1100);
        trimmed[0] = Unit(0);
        const long result = Probed(
            probe, [&] { return Trim(text.data(), trimmed.data(), Unit(character), capacity); });
        digest.Number(result).Text(trimmed.data());
      }
    }
    // In place, the current length as the capacity, as the number check does.
    const unsigned int length = static_cast<unsigned int>(input.size());
    const long result =
        Probed(probe, [&] { return Trim(text.data(), text.data(), Unit(' '), length); });
    digest.Number(result).Text(text.data());
  }
  return digest.str();
}

template <class Unit>
std::string Insert(CallProbe& probe) {
  Digest digest;
  for (const char* input : {"1234", "12", "", "abc"}) {
    for (long position : {-1L, 0L, 1L, 3L, 4L, 9L}) {
      std::vector<Unit> text = Destination<Unit>(16);
      std::vector<Unit> units = Text<Unit>(input);
      std::copy(units.begin(), units.end(), text.begin());
      Probed(probe, [&] {
        CMathOperation().InsertCharInCharArray(text.data(), position, Unit(','));
        return 0;
      });
      digest.Text(text.data());
    }
  }
  return digest.str();
}

template <class Unit>
std::string RemoveChar(CallProbe& probe) {
  Digest digest;
  for (const std::string& input : TextInputs()) {
    for (char character : {',', ' ', 'w', '\0'}) {
      std::vector<Unit> text = Text<Unit>(input);
      Probed(probe, [&] {
        CMathOperation().RemoveCharFromCharArray(text.data(), Unit(character));
        return 0;
      });
      digest.Text(text.data());
    }
  }
  return digest.str();
}

template <class Unit>
std::string RemoveRange(CallProbe& probe) {
  Digest digest;
  for (const char* input : {"abcdef", "", "x"}) {
    for (int start : {-1, 0, 1, 4, 6}) {
      for (int count : {-1, 0, 2, 5}) {
        std::vector<Unit> text = Text<Unit>(input);
        Probed(probe, [&] {
          CMathOperation().RemoveFromCharArray(text.data(), start, count);
          return 0;
        });
        digest.Text(text.data());
      }
    }
  }
  return digest.str();
}

template <class Unit>
std::string Replace(CallProbe& probe) {
  Digest digest;
  for (const std::string& input : TextInputs()) {
    for (char find : {',', '\0', 'w'}) {
      std::vector<Unit> text = Text<Unit>(input);
      Probed(probe, [&] {
        CMathOperation().ReplaceCharInCharAaary(text.data(), Unit(find), Unit('\0'));
        return 0;
      });
      digest.Units(text);
    }
  }
  return digest.str();
}

std::string UnitCopy(CallProbe& probe) {
  Digest digest;
  for (const char* input : {"hello", "", "a much longer text"}) {
    for (unsigned int capacity : {1u, 6u, 32u}) {
      std::vector<unsigned short> source = Text<unsigned short>(input);
      std::vector<unsigned short> copy = Destination<unsigned short>(32);
      Probed(probe, [&] {
        CMathOperation().Copy(copy.data(), source.data(), capacity);
        return 0;
      });
      digest.Units(copy);
    }
  }
  return digest.str();
}

std::string UnitLength(CallProbe& probe) {
  Digest digest;
  for (const std::string& input : TextInputs()) {
    std::vector<unsigned short> text = Text<unsigned short>(input);
    digest.Number(Probed(probe, [&] { return CMathOperation().Len(text.data()); }));
  }
  return digest.str();
}

std::string UnitCompare(CallProbe& probe) {
  Digest digest;
  const char* texts[] = {"abc", "abd", "ab", "", "\xE9", "A"};
  for (const char* first : texts) {
    for (const char* second : texts) {
      std::vector<unsigned short> a = Text<unsigned short>(first);
      std::vector<unsigned short> b = Text<unsigned short>(second);
      digest.Number(Probed(probe, [&] { return CMathOperation().Compare(a.data(), b.data()); }));
    }
  }
  return digest.str();
}

std::string LongToUnits(CallProbe& probe) {
  Digest digest;
  for (long value : {0L, -7L, 2147483647L, -2147483647L - 1, kAllWordBits}) {
    for (unsigned int capacity : {2u, 12u}) {
      std::vector<unsigned short> text = Destination<unsigned short>(12);
      Probed(probe, [&] {
        CMathOperation().LongToWChar(value, text.data(), capacity);
        return 0;
      });
      digest.Units(text);
    }
  }
  return digest.str();
}

// The directory capacity is the directory's size: below 260 units the C interface refuses a
// directory that the class writes past the capacity (the C guard-page test holds it to that).
template <class Unit>
std::string SplitPath(CallProbe& probe) {
  Digest digest;
  for (const std::string& input :
       {std::string("D:\\Data\\Log\\day.txt"), std::string("D:\\Data\\"), std::string("day.txt"),
        std::string("\\day.txt"), std::string("D:/Data/day.txt"),
        Repeat('d', 258) + "\\" + Repeat('n', 100)}) {
    for (unsigned int nameCapacity : {5u, 7u, 16u}) {
      for (bool withDirectory : {true, false}) {
        std::vector<Unit> path = Text<Unit>(input);
        std::vector<Unit> directory = Destination<Unit>(CORVIXMATH_PATH_UNITS);
        std::vector<Unit> name = Destination<Unit>(16);
        const long result = Probed(probe, [&] {
          return CMathOperation().ExtractPathAndName(
              path.data(), withDirectory ? directory.data() : nullptr, name.data(), nameCapacity,
              static_cast<unsigned int>(directory.size()));
        });
        digest.Number(result).Units(directory).Units(name);
      }
    }
  }
  return digest.str();
}

template <class Unit>
std::string ClimbPath(CallProbe& probe) {
  Digest digest;
  for (const std::string& input :
       {std::string("D:\\Data\\Log\\day.txt"), std::string("D:\\Data\\\\\\"),
        std::string("day.txt"), Repeat('p', 259), Repeat('p', 300)}) {
    for (unsigned char levels : {0, 1, 2, 3, 4}) {
      std::vector<Unit> path = Destination<Unit>(400);
      std::vector<Unit> units = Text<Unit>(input);
      std::copy(units.begin(), units.end(), path.begin());
      std::vector<Unit> output = Destination<Unit>(CORVIXMATH_PATH_UNITS);
      Probed(probe, [&] {
        CMathOperation().RemoveDirFromPath(path.data(), output.data(), levels);
        CMathOperation().RemoveDirFromPath(path.data(), static_cast<Unit*>(nullptr), levels);
        return 0;
      });
      digest.Units(output).Units(path);
    }
  }
  return digest.str();
}

std::string NarrowToUnits(CallProbe& probe) {
  Digest digest;
  for (const char* input : {"AB\xE9", "", "plain"}) {
    for (long flags : {0L, 2L}) {
      std::vector<char> source = Text<char>(input);
      std::vector<unsigned short> units = Destination<unsigned short>(8);
      Probed(probe, [&] {
        CMathOperation().CharArrayToWcharArray(source.data(), units.data(), flags);
        return 0;
      });
      digest.Units(units);
    }
  }
  return digest.str();
}

std::string UnitsToNarrow(CallProbe& probe) {
  Digest digest;
  const std::vector<unsigned short> sources[] = {{0x41, 0x644, 0}, {0}, {0xFFFF, 0x7F, 1, 0}};
  for (const std::vector<unsigned short>& input : sources) {
    for (long flags : {0L, 1L}) {
      std::vector<unsigned short> source = input;
      std::vector<char> text = Destination<char>(12);
      Probed(probe, [&] {
        CMathOperation().WCharArrayToCharArray(text.data(), source.data(), flags);
        return 0;
      });
      digest.Units(text);
    }
  }
  return digest.str();
}

template <class Unit>
std::string Encode(CallProbe& probe) {
  Digest digest;
  std::vector<std::vector<Unit>> sources = {Text<Unit>("AB"), Text<Unit>(""),
                                            Text<Unit>(Repeat('d', 300))};
  sources.push_back({static_cast<Unit>(0xE9), static_cast<Unit>(-1), Unit(0)});
  for (const std::vector<Unit>& input : sources) {
    for (long capacity : {14L, 15L, 16L, 1100L}) {
      std::vector<Unit> source = input;
      std::vector<char> text = Destination<char>(1100);
      text[0] = '\0';
      const long result = Probed(probe, [&] {
        return CMathOperation().UnicodeStringToDigitArray(source.data(), text.data(), capacity);
      });
      digest.Number(result).Text(text.data());
    }
  }
  return digest.str();
}

template <class Unit>
std::string Decode(CallProbe& probe) {
  Digest digest;
  for (const char* input : {"UniCode(65,66,)", "UniCode(65,66)", "65,66,", "6a5,", "-5,", ",",
                            "UniCode(1587,200,)", "", "123456789012345678,"}) {
    for (long flags : {0L, 4L}) {
      std::vector<char> text = Text<char>(input);
      std::vector<Unit> units = Destination<Unit>(16);
      Probed(probe, [&] {
        CMathOperation().DigitArrayToUnicodeString(text.data(), units.data(), flags);
        return 0;
      });
      digest.Units(units);
    }
  }
  return digest.str();
}

std::string DigitArrayTests(CallProbe& probe) {
  Digest digest;
  for (const char* input : {"UniCode()", "UniCode(65,", "unicode(65,)", "UniCode(", "", "abc",
                            "\xC7 x", "UniCode(1,)"}) {
    std::vector<char> text = Text<char>(input);
    digest.Number(Probed(probe, [&] { return CMathOperation().IsUniCodeString(text.data()); }));
    digest.Number(Probed(probe, [&] { return CMathOperation().ContainUnicodeChar(text.data()); }));
  }
  return digest.str();
}

// --- ident

template <class Unit>
std::string ControlId(CallProbe& probe) {
  Digest digest;
  for (const char* input : {"AB123", "ab000", "Zz9999", "A1234", "AB12C", "AB 12", "AB10000",
                            "AB10001", "AB99999", "AB00001", "", "ABCD", "ABCDEFGH",
                            "\xC7"
                            "B123"}) {
    std::vector<Unit> text = Text<Unit>(input);
    digest.Number(Probed(probe, [&] { return CMathOperation().IsValidControlID(text.data()); }));
  }
  return digest.str();
}

std::string ConvertControlId(CallProbe& probe) {
  Digest digest;
  for (const char* input : {"AB123", "AB007", "AB0123", "ABxyz", "AB-12", "", "ABCD"}) {
    std::vector<char> text = Destination<char>(CORVIXMATH_CONTROL_ID_BYTES);
    std::memcpy(text.data(), input, std::strlen(input) + 1);
    Probed(probe, [&] {
      CMathOperation().CheckControlIDAndConvertToNewVersion(text.data());
      return 0;
    });
    digest.Units(text);
  }
  return digest.str();
}

std::string CharacterClasses(CallProbe& probe) {
  Digest digest;
  for (const char* input : {"Ab_1", "x+y", "\xC7\xC8\x81", "a b", "", "()<>=.!~`@#$%^&;:|,?\x80"}) {
    std::vector<char> text = Text<char>(input);
    digest.Number(Probed(probe, [&] { return CMathOperation().IsAlphaNumeric(text.data()); }));
  }
  return digest.str();
}

std::string Expressions(CallProbe& probe) {
  Digest digest;
  for (const char* input :
       {"(a+b)*2.5-c", "a>1&b<2|!c", "a + b", "a+d",   "A+b", "(a+b", "a+b)", ")a(",
        "a=b",         "a1",         "1a",    "*a",    "a+",  "1.",   ".5",   "abcd",
        "a++b",        "a-+b",       "a+-b",  "1.2.3", "",    "   "}) {
    for (bool withList : {true, false}) {
      std::vector<char> expression = Text<char>(input);
      std::vector<char> variables = Text<char>("#a#b#c#");
      std::vector<char> message = Destination<char>(CORVIXMATH_MESSAGE_BYTES);
      message[0] = '\0';
      const long result = Probed(probe, [&] {
        return CMathOperation().VerifyRegExpString(expression.data(), message.data(),
                                                   withList ? variables.data() : nullptr);
      });
      digest.Number(result).Text(message.data());
    }
  }
  return digest.str();
}

// --- vocab

const char* const kNames[] = {"SHORT",         "long",         "LONG",       "COLOR", "STRING",
                              "CHARP",         "INT16_MODBUS", "LABEL",      "LONG ", "",
                              "Eng",           "SCIRNTIFIC",   "Scientific", "kilo",  "Tera",
                              "VECTORDIAGRAM", "bit",          "Hide"};

std::string NameLookups(CallProbe& probe) {
  Digest digest;
  for (const char* input : kNames) {
    std::vector<char> name = Text<char>(input);
    CMathOperation operation;
    digest.Number(Probed(probe, [&] { return operation.DataTypeStringToIndex(name.data()); }));
    digest.Number(Probed(probe, [&] { return operation.cpModelTOucModel(name.data()); }));
    digest.Number(Probed(probe, [&] { return operation.NumericValueStringToIndex(name.data()); }));
    digest.Number(Probed(probe, [&] { return operation.ScaleString2Index(name.data()); }));
  }
  return digest.str();
}

std::string CodeNames(CallProbe& probe) {
  Digest digest;
  for (int code = 0; code <= 255; ++code) {
    std::vector<char> name = Destination<char>(CORVIXMATH_NAME_BYTES);
    Probed(probe, [&] {
      CMathOperation().ucModelTOcpModel(static_cast<unsigned char>(code), name.data());
      return 0;
    });
    digest.Text(name.data());
  }
  return digest.str();
}

std::string ScaleNames(CallProbe& probe) {
  Digest digest;
  for (long index : {-1L, 0L, 1L, 2L, 3L, 4L, 5L, 6L, 7L, 100L}) {
    for (unsigned int capacity : {0u, 3u, 5u, 16u}) {
      std::vector<char> name = Destination<char>(16);
      Probed(probe, [&] {
        CMathOperation().ScaleIndex2String(name.data(), index, capacity);
        return 0;
      });
      digest.Units(name);
    }
  }
  return digest.str();
}

std::string Fonts(CallProbe& probe) {
  Digest digest;
  for (const char* input :
       {"Tahoma,12,#FF0000,Bold", "Arial", "Arial,10", ",10,0,", "Arial,300,0,", "Arial,-1,0,",
        "Arial,10,#00ff00,", "Arial,10, #00FF00,", "Arial,10,0,Bold Italic",
        "Arial,10,0,ItalicBold", "Arial,10,0,BoldItalic", "Arial,10,0,Italic", "Arial,10,0,bold",
        "Arial,10,0,Regular,Bold", "Arial,10,0",
        "A very long face name that goes on and on,9,1,"}) {
    for (bool withStyle : {true, false}) {
      std::vector<char> descriptor = Text<char>(input);
      std::vector<char> face = Destination<char>(CORVIXMATH_FACE_BYTES);
      unsigned char size = 7;
      unsigned long colour = 7;
      unsigned char style = 7;
      Probed(probe, [&] {
        CMathOperation().DecodeFontString(descriptor.data(), face.data(), &size, &colour,
                                          withStyle ? &style : nullptr);
        return 0;
      });
      digest.Units(face).Number(size).Number(static_cast<long long>(colour)).Number(style);
    }
  }
  return digest.str();
}

const char* const kEvents[] = {"ShowLinearDiagram(1)",
                               "SHOWLINEARDIAGRAM",
                               "ShowLinearDiagram2(1)",
                               "(ShowLinearDiagram)",
                               "",
                               "Trend(Tag1,Tag2,60)",
                               "F(a,(b),c) x",
                               "F()",
                               "F(",
                               "F(a)(b)",
                               "F(a,,c)",
                               "F(abcdef)",
                               "NoParens",
                               "ShowLinearDiagram (3)"};

std::string EventTypes(CallProbe& probe) {
  Digest digest;
  for (const char* input : kEvents) {
    std::vector<char> event = Text<char>(input);
    digest.Number(Probed(probe, [&] { return CMathOperation().CheckEventType(event.data()); }));
    digest.Number(
        Probed(probe, [&] { return CMathOperation().IsComplexDataSource(event.data()); }));
  }
  return digest.str();
}

std::string ParamLists(CallProbe& probe) {
  Digest digest;
  for (const char* input : kEvents) {
    std::vector<char> event = Text<char>(input);
    std::vector<char> list = Destination<char>(CORVIXMATH_NAME_BYTES);
    list[0] = '\0';
    Probed(probe, [&] {
      CMathOperation().GetCompleteParamList(event.data(), list.data());
      return 0;
    });
    digest.Text(list.data());
  }
  return digest.str();
}

std::string EventParameters(CallProbe& probe) {
  Digest digest;
  for (const char* input : kEvents) {
    for (long number : {0L, 1L, 2L, 3L, 9L}) {
      for (unsigned int capacity : {4u, 6u, 64u}) {
        std::vector<char> event = Text<char>(input);
        std::vector<char> parameter = Destination<char>(CORVIXMATH_NAME_BYTES);
        parameter[0] = '\0';
        const bool found = Probed(probe, [&] {
          return CMathOperation().GetEventParameters(event.data(), parameter.data(), number,
                                                     capacity);
        });
        digest.Number(found).Text(parameter.data());
      }
    }
  }
  return digest.str();
}

// --- device

std::string DeviceModels(CallProbe& probe) {
  Digest digest;
  for (int model = 0; model <= 500; ++model) {
    const unsigned short number = static_cast<unsigned short>(model);
    CMathOperation operation;
    digest.Number(
        Probed(probe, [&] { return operation.CorvixDeviceModelToTavlinDataType(number); }));
    digest.Number(
        Probed(probe, [&] { return operation.CorvixDeviceModelToDataStructureType(number); }));
    digest.Number(Probed(probe, [&] { return operation.ModelToIam(number); }));
    digest.Number(Probed(probe, [&] { return operation.WhatIsThis(number); }));
  }
  return digest.str();
}

std::string ComputerNames(CallProbe& probe) {
  Digest digest;
  for (int id : {-1, 999, 1000, 1001, 1002, 1003, 1004, 1005, 1006}) {
    std::vector<char> name = Destination<char>(CORVIXMATH_NAME_BYTES);
    name[0] = '\0';
    Probed(probe, [&] {
      CMathOperation().ComputerIdToString(id, name.data());
      return 0;
    });
    digest.Text(name.data());
  }
  return digest.str();
}

std::string ReadWords(CallProbe& probe) {
  Digest digest;
  const long fields[] = {0, 1, 5, 7, 31, CORVIXMATH_MISSING_VALUE, -1, 100000};
  for (long first : fields) {
    for (long second : fields) {
      for (char letter : {'A', 'z', '#', '\xC7'}) {
        const long word = Probed(probe, [&] {
          return CMathOperation().BuildReadResultState(first, second, second, letter, first);
        });
        digest.Number(word);
        for (long selector : {-1L, 0L, 1L, 2L, 3L, 4L, 5L}) {
          digest.Number(Probed(
              probe, [&] { return CMathOperation().ExtractFromReadRequest(selector, word); }));
        }
      }
    }
  }
  return digest.str();
}

std::string ListSearch(CallProbe& probe) {
  Digest digest;
  std::vector<long> list = {5, -7, 9, kAllWordBits, 5};
  for (long value : {5L, -7L, 9L, -1L, 4L}) {
    for (long count : {-1L, 0L, 3L, 5L}) {
      digest.Number(Probed(
          probe, [&] { return CMathOperation().LongExistInList(value, list.data(), count); }));
    }
  }
  return digest.str();
}

// --- stats

template <class Unit>
std::string NumberCheck(CallProbe& probe) {
  Digest digest;
  for (const char* input : {"12", "-12.5", ".5", "12k", "-1.5M", "3.K", "", "1.2.3", "K12", "+-1",
                            "1 2", "1e5", "  12  ", "\t12", "   "}) {
    std::vector<Unit> text = Text<Unit>(input);
    digest.Number(Probed(probe, [&] { return CMathOperation().IsDigit(text.data()); }));
    digest.Text(text.data());
  }
  return digest.str();
}

std::string Addresses(CallProbe& probe) {
  Digest digest;
  for (const char* input : {"1.2.3.4", "a.b.c.1", " 1. 2. 3. 4", "255.1.1.1", "1.2.3.-1", "1.2.3",
                            "1.2.3.x", "1234", "192.168.100.1000", "", "1.2.3.4.5"}) {
    std::vector<char> text = Text<char>(input);
    digest.Number(Probed(probe, [&] { return CMathOperation().IsValidIPString(text.data()); }));
  }
  return digest.str();
}

std::string AddressesAndPorts(CallProbe& probe) {
  Digest digest;
  for (const char* input : {"192.168.1.1:80", "1.2.3.4: 80 ", "1.2.3.4:65536", "1.2.3.4:-5",
                            "1.2.3.4:8x", "1.2.3:80", "no port", "192.168.100.2540:80", ":80"}) {
    std::vector<char> text = Text<char>(input);
    std::vector<char> address = Destination<char>(CORVIXMATH_ADDRESS_BYTES);
    unsigned short port = 7;
    const long result = Probed(probe, [&] {
      return CMathOperation().IsValidIpAndPortString(text.data(), address.data(), &port);
    });
    digest.Number(result).Units(address).Number(port).Text(text.data());
  }
  return digest.str();
}

template <void (CMathOperation::*Summarise)(double*, long, double*, double*, double*, double*)>
std::string Statistics(CallProbe& probe) {
  Digest digest;
  const std::vector<double> series[] = {{1, 2, 3, 4}, {7}, {2e14, 3e14}, {-5e14}, {}, {1, 1, 1}};
  for (const std::vector<double>& input : series) {
    std::vector<double> values = input;
    double minimum = 0, maximum = 0, average = 0, spread = 0;
    Probed(probe, [&] {
      (CMathOperation().*Summarise)(values.data(), static_cast<long>(values.size()), &minimum,
                                    &maximum, &average, &spread);
      return 0;
    });
    digest.Real(minimum).Real(maximum).Real(average).Real(spread);
  }
  return digest.str();
}

std::string Filter(CallProbe& probe) {
  Digest digest;
  std::vector<double> firstValues = {1.0, 3.0, 10.0, 20.0, 7.0};
  std::vector<long> firstTimes = {0, 100, 3600, 3700, 7300};
  std::vector<double> secondValues = {5.0, 6.0};
  std::vector<long> secondTimes = {50, 3650};
  double* values[] = {firstValues.data(), secondValues.data()};
  long* times[] = {firstTimes.data(), secondTimes.data()};
  long counts[] = {5, 2};
  for (long width : {3600L, 3601L, 7200L, 0L}) {
    for (long step : {3600L, 1800L, 0L}) {
      std::vector<double> minimum(100), maximum(100), mean(100);
      std::vector<long> centres(100);
      const long written = Probed(probe, [&] {
        return CMathOperation().FilterValueArray(values, times, 2, counts, minimum.data(),
                                                 maximum.data(), mean.data(), centres.data(), width,
                                                 step, 0);
      });
      digest.Number(written);
      for (long i = 0; i < written; ++i) {
        const std::size_t entry = static_cast<std::size_t>(i);
        digest.Real(minimum[entry]).Real(maximum[entry]).Real(mean[entry]).Number(centres[entry]);
      }
    }
  }
  return digest.str();
}

}  // namespace

const std::vector<MemberCall>& AllMemberCalls() {
  static const std::vector<MemberCall> calls = {
      {"frame", "CMathOperation(lifecycle)", Lifecycle},
      {"format", "DoubleToEngString", EngString},
      {"format", "DoubleToSimpleString", SimpleString},
      {"format", "SientificFormat", Scientific},
      {"format", "PriceToString", Price},
      {"format", "StandardLen", StandardLength},
      {"format", "NumberTo4SevenSeg", SevenSeg},
      {"format", "EngStr2SimpleValue", EngValue},
      {"format", "HexStringToDecimal", HexValue},
      {"format", "VarValueToLongDouble", VariantValue},
      {"format", "ToLong", LongFromUnits},
      {"text", "FindCharposInString(narrow)", FindChar<char, flavour::FindChar>},
      {"text", "FindCharposInString(units)", FindChar<unsigned short, flavour::FindChar>},
      {"text", "FindCharposInStringW", FindChar<wchar_t, flavour::FindChar>},
      {"text", "FindSubStringStartPos", FindSub<char, flavour::FindSub>},
      {"text", "FindSubStringStartPosW", FindSub<wchar_t, flavour::FindSub>},
      {"text", "ExtractLeftBeforeChar(narrow)", LeftBefore<char, flavour::LeftBefore>},
      {"text", "ExtractLeftBeforeChar(units)", LeftBefore<unsigned short, flavour::LeftBefore>},
      {"text", "ExtractLeftBeforeCharW", LeftBefore<wchar_t, flavour::LeftBefore>},
      {"text", "ExtractRightAfterChar(narrow)", RightAfter<char, flavour::RightAfter>},
      {"text", "ExtractRightAfterChar(units)", RightAfter<unsigned short, flavour::RightAfter>},
      {"text", "ExtractRightAfterCharW", RightAfter<wchar_t, flavour::RightAfter>},
      {"text", "ExtractLefttSide(narrow)", Sides<char, flavour::LeftSide>},
      {"text", "ExtractLefttSide(units)", Sides<unsigned short, flavour::LeftSide>},
      {"text", "ExtractLefttSideW", Sides<wchar_t, flavour::LeftSide>},
      {"text", "ExtractRightSide(narrow)", Sides<char, flavour::RightSide>},
      {"text", "ExtractRightSide(units)", Sides<unsigned short, flavour::RightSide>},
      {"text", "ExtractRightSideW", Sides<wchar_t, flavour::RightSide>},
      {"text", "SubString(narrow)", Sub<char>},
      {"text", "SubString(units)", Sub<unsigned short>},
      {"text", "TrimLeft(narrow)", Trims<char, flavour::TrimLeft>},
      {"text", "TrimLeft(units)", Trims<unsigned short, flavour::TrimLeft>},
      {"text", "TrimLeftW", Trims<wchar_t, flavour::TrimLeft>},
      {"text", "TrimRight(narrow)", Trims<char, flavour::TrimRight>},
      {"text", "TrimRight(units)", Trims<unsigned short, flavour::TrimRight>},
      {"text", "TrimRightW", Trims<wchar_t, flavour::TrimRight>},
      {"text", "InsertCharInCharArray(narrow)", Insert<char>},
      {"text", "InsertCharInCharArray(units)", Insert<unsigned short>},
      {"text", "InsertCharInCharArray(wide)", Insert<wchar_t>},
      {"text", "RemoveCharFromCharArray(narrow)", RemoveChar<char>},
      {"text", "RemoveCharFromCharArray(units)", RemoveChar<unsigned short>},
      {"text", "RemoveFromCharArray(narrow)", RemoveRange<char>},
      {"text", "RemoveFromCharArray(units)", RemoveRange<unsigned short>},
      {"text", "ReplaceCharInCharAaary(narrow)", Replace<char>},
      {"text", "ReplaceCharInCharAaary(units)", Replace<unsigned short>},
      {"text", "Copy", UnitCopy},
      {"text", "Len", UnitLength},
      {"text", "Compare", UnitCompare},
      {"text", "LongToWChar", LongToUnits},
      {"text", "ExtractPathAndName(narrow)", SplitPath<char>},
      {"text", "ExtractPathAndName(wide)", SplitPath<wchar_t>},
      {"text", "RemoveDirFromPath(narrow)", ClimbPath<char>},
      {"text", "RemoveDirFromPath(wide)", ClimbPath<wchar_t>},
      {"text", "CharArrayToWcharArray", NarrowToUnits},
      {"text", "WCharArrayToCharArray", UnitsToNarrow},
      {"text", "UnicodeStringToDigitArray(narrow)", Encode<char>},
      {"text", "UnicodeStringToDigitArray(units)", Encode<unsigned short>},
      {"text", "DigitArrayToUnicodeString(narrow)", Decode<char>},
      {"text", "DigitArrayToUnicodeString(units)", Decode<unsigned short>},
      {"text", "IsUniCodeString+ContainUnicodeChar", DigitArrayTests},
      {"ident", "IsValidControlID(narrow)", ControlId<char>},
      {"ident", "IsValidControlID(units)", ControlId<unsigned short>},
      {"ident", "IsValidControlID(wide)", ControlId<wchar_t>},
      {"ident", "CheckControlIDAndConvertToNewVersion", ConvertControlId},
      {"ident", "IsAlphaNumeric", CharacterClasses},
      {"ident", "VerifyRegExpString", Expressions},
      {"vocab",
       "DataTypeStringToIndex+cpModelTOucModel+NumericValueStringToIndex+ScaleString2Index",
       NameLookups},
      {"vocab", "ucModelTOcpModel", CodeNames},
      {"vocab", "ScaleIndex2String", ScaleNames},
      {"vocab", "DecodeFontString", Fonts},
      {"vocab", "CheckEventType+IsComplexDataSource", EventTypes},
      {"vocab", "GetCompleteParamList", ParamLists},
      {"vocab", "GetEventParameters", EventParameters},
      {"device",
       "CorvixDeviceModelToTavlinDataType+CorvixDeviceModelToDataStructureType+ModelToIam+"
       "WhatIsThis",
       DeviceModels},
      {"device", "ComputerIdToString", ComputerNames},
      {"device", "BuildReadResultState+ExtractFromReadRequest", ReadWords},
      {"device", "LongExistInList", ListSearch},
      {"stats", "IsDigit(narrow)", NumberCheck<char>},
      {"stats", "IsDigit(units)", NumberCheck<unsigned short>},
      {"stats", "IsValidIPString", Addresses},
      {"stats", "IsValidIpAndPortString", AddressesAndPorts},
      {"stats", "CalculateMinMaxAvrSD", Statistics<&CMathOperation::CalculateMinMaxAvrSD>},
      {"stats", "CalculateMinMax", Statistics<&CMathOperation::CalculateMinMax>},
      {"stats", "FilterValueArray", Filter},
  };
  return calls;
}

}  // namespace corvix_test
