// The chunks a serial port has received and the owner has not taken yet,
// oldest first. Not locked: the port guards it with its own lock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

// One chunk: 1 to 256 bytes and the clock's tick count right after the read.
struct SCommDataPacket {
  std::vector<uint8_t> Data;
  uint64_t Stamp = 0;
};

class CCommPacketList {
 public:
  static constexpr uint32_t kMaxPacketSize = 256;
  // An owner that does not take its packets loses the oldest beyond this.
  static constexpr size_t kMaxPackets = 1024;

  // Appends a copy of the bytes (size 1 to kMaxPacketSize); when the list is
  // full the oldest packet is dropped first. Whether the list grew, that is,
  // whether the owner needs one more event to take it.
  bool Add(const uint8_t* data, uint32_t size, uint64_t stamp);
  // Moves the oldest packet's bytes into buffer (room for kMaxPacketSize);
  // false, nothing written, when the list is empty.
  bool Take(uint8_t* buffer, uint32_t& size, uint64_t& stamp);
  void Clear() { m_Packets.clear(); }
  size_t GetCount() const { return m_Packets.size(); }

 private:
  std::deque<SCommDataPacket> m_Packets;
};
