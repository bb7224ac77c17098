// CBSBChartInfoFile: a sorted set of chart-information records (three texts
// each) and one free text, kept in a small file whose texts are scrambled.
// Not thread-safe; texts returned by reference live until the next change.
#pragma once

#include <cstdint>

#include "lib/foundation/containers/List.h"
#include "lib/foundation/text/Str.h"

struct SBSBChartInfo {
  CStr text1;
  CStr text2;
  CStr text3;
};

class CBSBChartInfoFile final : public CObject {
 public:
  TD_DELETE_THIS(CBSBChartInfoFile)

  CBSBChartInfoFile();
  ~CBSBChartInfoFile() = default;
  CBSBChartInfoFile(const CBSBChartInfoFile&) = delete;
  CBSBChartInfoFile& operator=(const CBSBChartInfoFile&) = delete;

  // Virtual operations after slot 0, in the interface's order. None throws.
  // Adds the record unless an equal one is there.
  virtual void TD_STDCALL Add(const CStr& text1, const CStr& text2, const CStr& text3);
  virtual void TD_STDCALL Clear();
  // An index out of range does nothing.
  virtual void TD_STDCALL Delete(int32_t index);
  // Index receives the record's position, or where it would be inserted.
  virtual bool TD_STDCALL Find(const CStr& text1, const CStr& text2, const CStr& text3,
                               int32_t* index);
  virtual int32_t TD_STDCALL GetCount();
  // An index out of range leaves the outputs as they are.
  virtual void TD_STDCALL GetItem(int32_t index, CStr& text1, CStr& text2, CStr& text3);
  virtual CStr& TD_STDCALL GetText();
  // Merges the file's records into these and takes its text, only when all
  // of the file read well; otherwise false and nothing changed.
  virtual bool TD_STDCALL LoadFromFile(const CStr& path);
  // Replaces the file in one step; false (and the old file as it was) on
  // any failure.
  virtual bool TD_STDCALL SaveToFile(const CStr& path);
  virtual void TD_STDCALL SetText(const CStr& text);

 private:
  using TRecords = CSortedList<SBSBChartInfo>;
  void AddRecord(TRecords& records, const CStr& text1, const CStr& text2, const CStr& text3);

  TRecords m_Records;
  CStr m_Text;
};
