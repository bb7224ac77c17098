#include "lib/gps/CommPacketList.h"

#include <cstring>

bool CCommPacketList::Add(const uint8_t* data, uint32_t size, uint64_t stamp) {
  const bool full = m_Packets.size() >= kMaxPackets;
  if (full) m_Packets.pop_front();
  m_Packets.push_back(SCommDataPacket{std::vector<uint8_t>(data, data + size), stamp});
  return !full;
}

bool CCommPacketList::Take(uint8_t* buffer, uint32_t& size, uint64_t& stamp) {
  if (m_Packets.empty()) return false;
  const SCommDataPacket& packet = m_Packets.front();
  size = static_cast<uint32_t>(packet.Data.size());
  stamp = packet.Stamp;
  std::memcpy(buffer, packet.Data.data(), size);
  m_Packets.pop_front();
  return true;
}
