// Dotted addresses and 'address:port' texts.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "support/test_units.h"

namespace {

using corvix_test::CanaryBuffer;
using corvix_test::Narrow;
using corvix_test::Units;

long CheckAddress(const std::string& address) {
  std::vector<char> text = Units<char>(address);
  CMathOperation math;
  const long code = math.IsValidIPString(text.data());
  EXPECT_EQ(Narrow(text.data()), address) << "the argument must not change";
  return code;
}

TEST(IsValidIPString, Codes) {
  struct Case {
    std::string text;
    long code;
  };
  const Case cases[] = {
      {"1.2.3.4", 1},
      {"0.0.0.0", 1},
      {"1.2.3.254", 1},
      {"254.254.254.254", 1},
      {"255.1.1.1", 11},
      {"1.255.1.1", 11},
      {"1.2.3.255", 11},
      {"-1.2.3.4", 12},
      {"1.2.-3.4", 12},
      {"1.2.3.-1", 12},
      {"1.2.3", 13},
      {"1.2.3.4.5", 13},
      {"1234", 10},
      {"1,2,3,4", 10},
      {"", 10},
      {"1.2.3.", 14},
      {"1.2.3.x", 14},
      {"1.2.3.4 5", 14},
      {"1.2.3.\t4", 14},
      // The first failing field decides.
      {"300.1", 11},
      {"1.2.3.4.300", 13},
      {"1.-2.999.4", 12},
      // Loose forms kept for stored configurations.
      {"a.b.c.1", 1},
      {"...1", 1},
      {" 1. 2. 3. 4", 1},
      {"1.2.3. 4 ", 1},
      {"1.2.3.+5", 1},
      {"1.2.3.5K", 1},
      {"1.2.3.K", 1},
      {"1x.2y.3z.4", 1},
      // The whole text takes part.
      {"192.168.100.1000", 11},
      {"192.168.100.100", 1},
      {"192.168.100.100.", 13},
      {"192.168.100.100x", 14},
      {"192.168.100.100 ", 1},
      {"1.2.3.4" + std::string(3000, ' '), 1},
      {"1.2.3.4" + std::string(3000, ' ') + "5", 14},
      {"1.2.3.00000000000000000000000000000004", 1},
      {"1.2.3.00000000000000000000000000000255", 11},
      // A first field longer than a field buffer is read whole.
      {"0000000000000001.2.3.4", 1},
      {"00000000000000000000300.2.3.4", 11},
      {"99999999999999999999.2.3.4", 11},
      {"-99999999999999999999.2.3.4", 12},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CheckAddress(c.text), c.code) << "'" << c.text << "'";
}

TEST(IsValidIPString, NullTextHasNoDot) {
  CMathOperation math;
  EXPECT_EQ(math.IsValidIPString(nullptr), 10);
}

constexpr unsigned short kPortBefore = 4321;
constexpr long kTooLong = CORVIXMATH_ADDRESS_PART_TOO_LONG;
constexpr std::size_t kAddressBytes = CORVIXMATH_ADDRESS_BYTES;

struct PortCase {
  std::string text;
  long code;
  const char* address;  // written on success
  unsigned short port;  // stored on success
  std::string after;    // the caller's text afterwards
};

TEST(IsValidIpAndPortString, CodesAndOutputs) {
  const PortCase cases[] = {
      {"1.2.3.4:80", 1, "1.2.3.4", 80, "1.2.3.4:80"},
      {"1.2.3.4: 80 ", 1, "1.2.3.4", 80, "1.2.3.4:80"},
      {"1.2.3.4:0", 1, "1.2.3.4", 0, "1.2.3.4:0"},
      {"1.2.3.4:65535", 1, "1.2.3.4", 65535, "1.2.3.4:65535"},
      {" 1. 2. 3. 4:080", 1, " 1. 2. 3. 4", 80, " 1. 2. 3. 4:080"},
      // An address of 15 characters fills the 16-byte buffer exactly.
      {"001.002.003.004:8080", 1, "001.002.003.004", 8080, "001.002.003.004:8080"},
      {"1.2.3.4", 0, nullptr, 0, "1.2.3.4"},
      {"1.2.3.4:", 0, nullptr, 0, "1.2.3.4:"},
      {"1.2.3.4:  ", 0, nullptr, 0, "1.2.3.4:"},
      {"1.2.3.4:abc", 0, nullptr, 0, "1.2.3.4:abc"},
      {"1.2.3.4:80:90", 0, nullptr, 0, "1.2.3.4:80:90"},
      {"1.2.3.4:-80", -3, nullptr, 0, "1.2.3.4:-80"},
      {"1.2.3.4:+80 ", -3, nullptr, 0, "1.2.3.4:+80"},
      {"1.2.3.4:8.5", -8, nullptr, 0, "1.2.3.4:8.5"},
      {"1.2.3.4:80K", -2, nullptr, 0, "1.2.3.4:80K"},
      {"1.2.3.4:-8.5k", -5, nullptr, 0, "1.2.3.4:-8.5k"},
      {"1.2.3:80", -13, nullptr, 0, "1.2.3:80"},
      {"256.1.1.1:80", -11, nullptr, 0, "256.1.1.1:80"},
      {"1.2.3.-4:80", -12, nullptr, 0, "1.2.3.-4:80"},
      {"1.2.3.x:80", -14, nullptr, 0, "1.2.3.x:80"},
      {":80", -10, nullptr, 0, ":80"},
      // The port is checked before the address.
      {"1.2.3:abc", 0, nullptr, 0, "1.2.3:abc"},
      // Ports above 65535 are refused rather than cut to 16 bits.
      {"1.2.3.4:65536", 0, nullptr, 0, "1.2.3.4:65536"},
      {"1.2.3.4: 70000", 0, nullptr, 0, "1.2.3.4:70000"},
      {"1.2.3.4:999999999999999", 0, nullptr, 0, "1.2.3.4:999999999999999"},
      // A port part is judged after its trim: 16 characters or more is too long to be a port.
      {"1.2.3.4:000000000000080", 1, "1.2.3.4", 80, "1.2.3.4:000000000000080"},
      {"1.2.3.4:0000000000000080", 0, nullptr, 0, "1.2.3.4:0000000000000080"},
      {"1.2.3.4: 0000000000000080 ", 0, nullptr, 0, "1.2.3.4:0000000000000080"},
      {"1.2.3.4: 80" + std::string(13, ' '), 1, "1.2.3.4", 80, "1.2.3.4:80"},
      {"1.2.3.4:" + std::string(40, ' ') + "80 ", 1, "1.2.3.4", 80, "1.2.3.4:80"},
      // A long address part: the port and its trim come first, then the address check of the
      // whole part, and only a part that passes and does not fit 16 bytes is refused as such.
      {"00.0192.000.0254:+80", -3, nullptr, 0, "00.0192.000.0254:+80"},
      {"0001.002.003.004:  +80 ", -3, nullptr, 0, "0001.002.003.004:+80"},
      {"001.002.003.2540: 131072 ", 0, nullptr, 0, "001.002.003.2540:131072"},
      {"001.002.003.2540: 80 ", -11, nullptr, 0, "001.002.003.2540:80"},
      {"192.168.100.1000:80", -11, nullptr, 0, "192.168.100.1000:80"},
      {"192.168.100.100.:80", -13, nullptr, 0, "192.168.100.100.:80"},
      {"1.2.3.4" + std::string(20, ' ') + "x:80", -14, nullptr, 0,
       "1.2.3.4" + std::string(20, ' ') + "x:80"},
      {std::string(70, '1') + ":80", -10, nullptr, 0, std::string(70, '1') + ":80"},
      {"0001.002.003.004:80", kTooLong, nullptr, 0, "0001.002.003.004:80"},
      {"0001.002.003.004: 80 ", kTooLong, nullptr, 0, "0001.002.003.004:80"},
      {"1.2.3.4" + std::string(3000, ' ') + ":80", kTooLong, nullptr, 0,
       "1.2.3.4" + std::string(3000, ' ') + ":80"},
  };
  for (const PortCase& c : cases) {
    SCOPED_TRACE("'" + c.text + "'");
    std::vector<char> text = Units<char>(c.text);
    CanaryBuffer<char> address(kAddressBytes);
    const std::vector<char> addressBefore = address.Contents();
    unsigned short port = kPortBefore;
    CMathOperation math;
    EXPECT_EQ(math.IsValidIpAndPortString(text.data(), address.data(), &port), c.code);
    EXPECT_EQ(Narrow(text.data()), c.after);
    EXPECT_TRUE(address.CanariesIntact());
    if (c.code == 1) {
      EXPECT_STREQ(address.data(), c.address);
      EXPECT_EQ(port, c.port);
    } else {
      EXPECT_EQ(address.Contents(), addressBefore);
      EXPECT_EQ(port, kPortBefore);
    }
  }
}

TEST(IsValidIpAndPortString, NullOutputs) {
  CMathOperation math;
  char text[] = "10.0.0.1:502";
  EXPECT_EQ(math.IsValidIpAndPortString(text, nullptr, nullptr), 1);
  unsigned short port = 0;
  EXPECT_EQ(math.IsValidIpAndPortString(text, nullptr, &port), 1);
  EXPECT_EQ(port, 502);
  char address[kAddressBytes] = "";
  EXPECT_EQ(math.IsValidIpAndPortString(text, address, nullptr), 1);
  EXPECT_STREQ(address, "10.0.0.1");
  EXPECT_EQ(math.IsValidIpAndPortString(nullptr, address, &port), 0);
  // The refusal of a long address part does not depend on the outputs asked for.
  char longAddress[] = "0001.002.003.004:80";
  EXPECT_EQ(math.IsValidIpAndPortString(longAddress, nullptr, nullptr), kTooLong);
}

}  // namespace
