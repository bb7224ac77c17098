#include <gtest/gtest.h>

#include "tests/tool/DeviceKeys.h"
#include "tool/PortelleList.h"

namespace {

class PortListTest : public ::testing::Test {
 protected:
  void SetUp() override { RemoveDevicePorts(); }
  void TearDown() override { RemoveDevicePorts(); }
};

}  // namespace

TEST_F(PortListTest, ReadsEveryPortInRegistryOrder) {
  const TestPort ports[] = {
      {"A", true, 1, "COM1", "Communications Port", -1},
      {"B", true, 0, "COM2", "USB Serial", 0xFFFFFFFE},
      {"C", true, -1, "COM10", "Bluetooth Link", 0},
      {"D", true, 5, "COM3", "Modem", 0xFFFFFFFF},
  };
  for (const TestPort& p : ports) CreateDevicePort(p);
  bool ok = false;
  TPortelleList list(ok);
  ASSERT_TRUE(ok);
  ASSERT_EQ(list.Count(), 4);
  const struct { const char* name; const char* desc; bool linked, hasSkip, blocked; } want[] = {
      {"COM1", "Communications Port", true, false, false},
      {"COM2", "USB Serial", false, true, true},
      {"COM10", "Bluetooth Link", false, true, false},  // 0 enumerates normally
      {"COM3", "Modem", true, true, true},
  };
  for (int i = 0; i < 4; ++i) {
    TPortelle* p = list.Items(i);
    EXPECT_EQ(p->PortName(), want[i].name);
    EXPECT_EQ(p->DeviceDesc(), want[i].desc);
    EXPECT_EQ(p->Linked(), want[i].linked) << i;
    EXPECT_EQ(p->HasSkip(), want[i].hasSkip) << i;
    EXPECT_EQ(p->Blocked(), want[i].blocked) << i;
    EXPECT_EQ(p->EnumPath(), std::string("SYSTEM\\CurrentControlSet\\Enum\\TEST\\") + "ABCD"[i]);
  }
}

TEST_F(PortListTest, PortWithoutDeviceInstanceFailsTheList) {
  CreateDevicePort({"A", true, 0, "COM1", "Port", -1});
  CreateDevicePort({"B", false, 0, "COM2", "Port", -1});
  bool ok = true;
  TPortelleList list(ok);
  EXPECT_FALSE(ok);
}

TEST_F(PortListTest, PortWithoutDeviceParametersFailsTheList) {
  CreateDevicePort({"A", true, 0, nullptr, "Port", -1});
  bool ok = true;
  TPortelleList list(ok);
  EXPECT_FALSE(ok);
}

TEST_F(PortListTest, NoPortsClassIsAnEmptyList) {
  bool ok = false;
  TPortelleList list(ok);
  EXPECT_TRUE(ok);
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(PortListTest, BlockWritesFFFFFFFEAndUnblockDeletes) {
  CreateDevicePort({"A", true, 0, "COM1", "Port", -1});
  bool ok = false;
  TPortelleList list(ok);
  ASSERT_TRUE(ok);
  TPortelle* port = list.Items(0);
  EXPECT_TRUE(port->SetSkipEnumerations(true, TPortelle::kBlockValue));
  EXPECT_EQ(ReadSkip("A"), 0xFFFFFFFE);
  EXPECT_TRUE(port->SetSkipEnumerations(false, 0));
  EXPECT_EQ(ReadSkip("A"), -1);
  // No value to delete is still an unblocked port.
  EXPECT_TRUE(port->SetSkipEnumerations(false, 0));
}

TEST_F(PortListTest, ReadOnlyKeyReportsTheFailedWrite) {
  CreateDevicePort({"A", true, 0, "COM1", "Port", 7});
  MakeParametersReadOnly("A");
  bool ok = false;
  TPortelleList list(ok);
  ASSERT_TRUE(ok);
  EXPECT_FALSE(list.Items(0)->SetSkipEnumerations(true, TPortelle::kBlockValue));
  EXPECT_FALSE(list.Items(0)->SetSkipEnumerations(false, 0));
  EXPECT_EQ(ReadSkip("A"), 7);
}

TEST_F(PortListTest, RefreshLinkedFollowsTheRegistry) {
  CreateDevicePort({"A", true, 0, "COM1", "Port", -1});
  bool ok = false;
  TPortelleList list(ok);
  ASSERT_TRUE(ok);
  EXPECT_FALSE(list.Items(0)->Linked());
  SetLinked("A", 1);
  list.Items(0)->RefreshLinked();
  EXPECT_TRUE(list.Items(0)->Linked());
}
