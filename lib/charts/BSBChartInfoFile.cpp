#include "lib/charts/BSBChartInfoFile.h"

#include <memory>

#include "lib/foundation/files/AtomicFileWriter.h"
#include "lib/foundation/streams/BufferedFileStream.h"
#include "lib/foundation/streams/Checksum.h"
#include "lib/foundation/app/Version.h"
#include "lib/foundation/exports/Guard.h"

namespace {

const char kHeader[] = "BSB Chart info file";
constexpr int32_t kHeaderLength = sizeof kHeader - 1;
constexpr uint32_t kFileVersion = MakeVersion(1, 0, 0, 0);
constexpr uint32_t kCountMask = 0x5A17C3E9;
constexpr uint8_t kKey1 = 0x2D, kKey2 = 0x91, kKey3 = 0x17;
// Three string lengths: the least a record takes.
constexpr int64_t kMinRecordSize = 12;

int CompareBSBChartInfo(const SBSBChartInfo* a, const SBSBChartInfo* b) {
  int result = a->text3.Compare(b->text3);
  if (result == 0) result = a->text2.Compare(b->text2);
  if (result == 0) result = a->text1.Compare(b->text1);
  return result;
}

bool ReadScrambled(CStream& stream, uint8_t key, CStr& text, uint32_t& error) {
  if (!stream.ReadStr(text, error)) return false;
  text = StrScramble(key, text);
  return true;
}

bool WriteScrambled(CStream& stream, uint8_t key, const CStr& text, uint32_t& error) {
  return stream.WriteStr(StrScramble(key, text), error);
}

}  // namespace

CBSBChartInfoFile::CBSBChartInfoFile() : m_Records(true, CompareBSBChartInfo) {}

void CBSBChartInfoFile::AddRecord(TRecords& records, const CStr& text1, const CStr& text2,
                                  const CStr& text3) {
  auto record = std::make_unique<SBSBChartInfo>(SBSBChartInfo{text1, text2, text3});
  int32_t index = 0;
  if (records.Find(record.get(), &index)) return;
  records.Add(record.get());
  record.release();
}

void TD_STDCALL CBSBChartInfoFile::Add(const CStr& text1, const CStr& text2, const CStr& text3) {
  td::GuardVoid([&] { AddRecord(m_Records, text1, text2, text3); });
}

void TD_STDCALL CBSBChartInfoFile::Clear() {
  td::GuardVoid([&] {
    m_Records.Clear();
    m_Text = CStr();
  });
}

void TD_STDCALL CBSBChartInfoFile::Delete(int32_t index) {
  if (index >= 0 && index < m_Records.GetCount()) m_Records.Delete(index);
}

bool TD_STDCALL CBSBChartInfoFile::Find(const CStr& text1, const CStr& text2, const CStr& text3,
                                        int32_t* index) {
  return td::Guard(false, [&] {
    const SBSBChartInfo probe{text1, text2, text3};
    return m_Records.Find(&probe, index);
  });
}

int32_t TD_STDCALL CBSBChartInfoFile::GetCount() { return m_Records.GetCount(); }

void TD_STDCALL CBSBChartInfoFile::GetItem(int32_t index, CStr& text1, CStr& text2, CStr& text3) {
  if (index < 0 || index >= m_Records.GetCount()) return;
  td::GuardVoid([&] {
    const SBSBChartInfo& record = *m_Records[index];
    text1 = record.text1;
    text2 = record.text2;
    text3 = record.text3;
  });
}

CStr& TD_STDCALL CBSBChartInfoFile::GetText() { return m_Text; }

void TD_STDCALL CBSBChartInfoFile::SetText(const CStr& text) {
  td::GuardVoid([&] { m_Text = text; });
}

bool TD_STDCALL CBSBChartInfoFile::LoadFromFile(const CStr& path) {
  return td::Guard(false, [&] {
    uint32_t error = 0, version = 0, count = 0;
    CBufferedFileStream stream;
    if (!stream.Open(path, kFileModeRead | kFileShareRead, 4096, error) ||
        !stream.CheckHeader(CStr(kHeaderLength, kHeader), error) ||
        !stream.ReadVersion(version, error) || version != kFileVersion ||
        !stream.ReadDWORD(count, error))
      return false;
    count ^= kCountMask;
    if (count > stream.GetRemaining() / kMinRecordSize) return false;
    TRecords loaded(true, CompareBSBChartInfo);
    uint32_t keySum = 0;
    for (uint32_t i = 0; i < count; ++i) {
      CStr text1, text2, text3;
      if (!ReadScrambled(stream, kKey1, text1, error) ||
          !ReadScrambled(stream, kKey2, text2, error) ||
          !ReadScrambled(stream, kKey3, text3, error))
        return false;
      keySum += static_cast<uint32_t>(text3.GetLength());
      AddRecord(loaded, text1, text2, text3);
    }
    CStr text;
    if (!ReadScrambled(stream, static_cast<uint8_t>(keySum), text, error)) return false;
    for (int32_t i = 0; i < loaded.GetCount(); ++i)
      AddRecord(m_Records, loaded[i]->text1, loaded[i]->text2, loaded[i]->text3);
    m_Text = std::move(text);
    return true;
  });
}

bool TD_STDCALL CBSBChartInfoFile::SaveToFile(const CStr& path) {
  return td::Guard(false, [&] {
    uint32_t error = 0, keySum = 0;
    CAtomicFileWriter file;
    if (!file.Open(path, 4096, error)) return false;
    CStream& stream = file.Stream();
    const uint32_t count = static_cast<uint32_t>(m_Records.GetCount());
    if (!stream.WriteBuf(kHeader, kHeaderLength, error) ||
        !stream.WriteVersion(kFileVersion, error) || !stream.WriteDWORD(count ^ kCountMask, error))
      return false;
    for (int32_t i = 0; i < m_Records.GetCount(); ++i) {
      const SBSBChartInfo& record = *m_Records[i];
      if (!WriteScrambled(stream, kKey1, record.text1, error) ||
          !WriteScrambled(stream, kKey2, record.text2, error) ||
          !WriteScrambled(stream, kKey3, record.text3, error))
        return false;
      keySum += static_cast<uint32_t>(record.text3.GetLength());
    }
    return WriteScrambled(stream, static_cast<uint8_t>(keySum), m_Text, error) &&
           file.Commit(error);
  });
}
