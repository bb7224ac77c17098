#include "lib/gps/CommPacketList.h"

#include <gtest/gtest.h>

#include <vector>

TEST(CommPacketList, TakesPacketsOldestFirstWithTheirBytesAndStamps) {
  CCommPacketList list;
  const uint8_t first[] = {1, 2, 3};
  std::vector<uint8_t> full(256);
  for (int i = 0; i < 256; ++i) full[i] = static_cast<uint8_t>(255 - i);
  EXPECT_TRUE(list.Add(first, 3, 10));
  EXPECT_TRUE(list.Add(full.data(), 256, 11));
  uint8_t buffer[256];
  uint32_t size = 0;
  uint64_t stamp = 0;
  ASSERT_TRUE(list.Take(buffer, size, stamp));
  EXPECT_EQ(size, 3u);
  EXPECT_EQ(stamp, 10u);
  EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 3), std::vector<uint8_t>(first, first + 3));
  ASSERT_TRUE(list.Take(buffer, size, stamp));
  EXPECT_EQ(size, 256u);
  EXPECT_EQ(stamp, 11u);
  EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 256), full);
}

TEST(CommPacketList, TakeFromAnEmptyListWritesNothing) {
  CCommPacketList list;
  uint8_t buffer[256] = {7};
  uint32_t size = 5;
  uint64_t stamp = 6;
  EXPECT_FALSE(list.Take(buffer, size, stamp));
  EXPECT_EQ(size, 5u);
  EXPECT_EQ(stamp, 6u);
  EXPECT_EQ(buffer[0], 7);
}

TEST(CommPacketList, BeyondTheLimitTheOldestIsDroppedAndNoEventIsAsked) {
  CCommPacketList list;
  for (uint32_t i = 0; i < 1024; ++i) {
    const uint8_t byte = static_cast<uint8_t>(i);
    EXPECT_TRUE(list.Add(&byte, 1, i));
  }
  const uint8_t byte = 0xAA;
  EXPECT_FALSE(list.Add(&byte, 1, 1024));
  EXPECT_EQ(list.GetCount(), 1024u);
  uint8_t buffer[256];
  uint32_t size = 0;
  uint64_t stamp = 0;
  ASSERT_TRUE(list.Take(buffer, size, stamp));
  EXPECT_EQ(stamp, 1u);  // packet 0 went
  list.Clear();
  EXPECT_EQ(list.GetCount(), 0u);
}
