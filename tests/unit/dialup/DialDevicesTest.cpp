// The adapter list of the hardware page: size query, modem/ISDN filter, support listing,
// and what the system's answers cannot make it do.
#include "dialup/DialDevices.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/dialup/FakeRas.h"

namespace marvella {
namespace {

using test::Device;

class RecordingListing : public DeviceListingView {
 public:
  bool requested = false;
  std::vector<std::string> shown;
  bool ListingRequested() override { return requested; }
  void ShowListing(const char* text) override { shown.push_back(text); }
};

struct DialDevicesTest : ::testing::Test {
  test::RecordingSleeper sleeper;
  test::FakeRas ras{sleeper};
  RecordingListing listing;
  DialDeviceList list;

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < list.Count(); ++i) names.push_back(list.At(i).szDeviceName);
    return names;
  }
};

TEST_F(DialDevicesTest, TakesModemsAndIsdnInAnyCaseAndDropsTheRestWhenAsked) {
  ras.devices = {Device("Modem", "Módem estándar"), Device("vpn", "Red privada"),
                 Device("ISDN", "RDSI canal 1"), Device("mOdEm", "Módem externo"),
                 Device("isdnx", "Casi RDSI")};
  EXPECT_TRUE(EnumerateDialDevices(ras, list, true, listing));
  EXPECT_EQ((std::vector<std::string>{"Módem estándar", "RDSI canal 1", "Módem externo"}), Names());
  EXPECT_STREQ("ISDN", list.At(1).szDeviceType);

  EXPECT_TRUE(EnumerateDialDevices(ras, list, false, listing));
  EXPECT_EQ(5u, list.Count());  // refilled, not appended
  EXPECT_STREQ("vpn", list.At(1).szDeviceType);
}

TEST_F(DialDevicesTest, AsksForTheSizeThenPassesAFirstRecordSizedForTheOldLayout) {
  ras.devices = {Device("modem", "A"), Device("modem", "B")};
  EXPECT_TRUE(EnumerateDialDevices(ras, list, true, listing));
  EXPECT_EQ((std::vector<std::string>{"RasEnumDevices(query)", "RasEnumDevices(buffer)"}),
            ras.calls);
  EXPECT_EQ(2u, list.Count());
}

TEST_F(DialDevicesTest, NoAdapterIsASuccessfulEmptyListAndAFailureEmptiesTheList) {
  ras.devices = {Device("vpn", "Red privada")};
  EXPECT_TRUE(EnumerateDialDevices(ras, list, true, listing));
  EXPECT_EQ(0u, list.Count());

  ras.devices = {Device("modem", "A")};
  EXPECT_TRUE(EnumerateDialDevices(ras, list, true, listing));
  ras.enumResult = 610;
  EXPECT_FALSE(EnumerateDialDevices(ras, list, true, listing));
  EXPECT_EQ(0u, list.Count());

  ras.missing = true;
  EXPECT_FALSE(EnumerateDialDevices(ras, list, false, listing));
  EXPECT_EQ(0u, list.Count());
}

TEST_F(DialDevicesTest, ControlListingShowsEveryAdapterNameFirstBeforeFilterAndResult) {
  ras.devices = {Device("modem", "Módem estándar"), Device("vpn", "Red privada")};
  listing.requested = true;
  ras.enumResult = 610;  // shown even though the enumeration then counts as failed
  EXPECT_FALSE(EnumerateDialDevices(ras, list, true, listing));
  ASSERT_EQ(1u, listing.shown.size());
  EXPECT_EQ("Módem estándar | modem\nRed privada | vpn\n", listing.shown[0]);

  listing.shown.clear();
  listing.requested = false;
  EnumerateDialDevices(ras, list, true, listing);
  EXPECT_TRUE(listing.shown.empty());
}

// A system that claims more than it wrote, or leaves texts unterminated, is read only
// within the buffer and the fields.
class LyingRas : public test::FakeRas {
 public:
  using FakeRas::FakeRas;
  std::uint32_t querySize = 0;
  std::uint32_t claimedCount = 0;
  std::uint32_t bufferBytesSeen = 0;
  std::uint32_t RasEnumDevices(RASDEVINFOA* info, std::uint32_t* size,
                               std::uint32_t* count) override {
    *count = claimedCount;
    if (!info) {
      *size = querySize;
      return kRasErrorBufferTooSmall;
    }
    bufferBytesSeen = *size;
    std::memset(info, 'x', *size < sizeof(RASDEVINFOA) ? *size : sizeof(RASDEVINFOA));
    info->dwSize = sizeof(RASDEVINFOA);
    return 0;
  }
};

TEST(DialDevicesHostile, BoundsCountsSizesAndTexts) {
  test::RecordingSleeper sleeper;
  LyingRas ras(sleeper);
  RecordingListing listing;
  listing.requested = true;
  DialDeviceList list;

  ras.querySize = sizeof(RASDEVINFOA);
  ras.claimedCount = 1000;  // but only one record fits what was asked for
  EXPECT_TRUE(EnumerateDialDevices(ras, list, false, listing));
  ASSERT_EQ(1u, list.Count());
  EXPECT_EQ(std::string(16, 'x'), list.At(0).szDeviceType);
  EXPECT_EQ(std::string(128, 'x'), list.At(0).szDeviceName);
  EXPECT_EQ(std::string(128, 'x') + " | " + std::string(16, 'x') + "\n", listing.shown[0]);

  ras.querySize = 0xFFFFFFF0u;  // never allocated: the buffer stays a sane size
  ras.claimedCount = 1;
  EXPECT_TRUE(EnumerateDialDevices(ras, list, false, listing));
  EXPECT_LE(ras.bufferBytesSeen, 1024u * sizeof(RASDEVINFOA));
  EXPECT_EQ(1u, list.Count());
}

TEST(DialDeviceList, CutsTextsToTheirFields) {
  DialDeviceList list;
  list.Append(std::string(40, 't').c_str(), std::string(300, 'n').c_str());
  EXPECT_EQ(16u, std::string(list.At(0).szDeviceType).size());
  EXPECT_EQ(128u, std::string(list.At(0).szDeviceName).size());
  EXPECT_EQ(sizeof(RASDEVINFOA), list.At(0).dwSize);
}

}  // namespace
}  // namespace marvella
