// Exports of the chart update family: update files, update packages and the
// BSB chart-information file.
#include <cstdint>
#include <cstring>

#include "TdLib.h"
#include "lib/charts/BSBChartInfoFile.h"
#include "lib/charts/UpdChartDesc.h"
#include "lib/charts/UpdFileRewrite.h"
#include "lib/charts/UpdGenerateFiles.h"
#include "lib/charts/UpdPackage.h"
#include "lib/charts/Update.h"
#include "lib/foundation/core/Abi.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/foundation/exports/HostTypes.h"

namespace td {
TD_HOST_CLASS(TdTCF2UpdChartDesc, CTCF2UpdChartDesc)
TD_HOST_CLASS(TdTCF2Update, CTCF2Update)
TD_HOST_CLASS(TdTCF2UpdPackage, CTCF2UpdPackage)
TD_HOST_CLASS(TdBSBChartInfoFile, CBSBChartInfoFile)
}  // namespace td

namespace {

// A host's text, or the empty text for a null pointer.
const CStr& Text(const TdStr* text) {
  static const CStr empty;
  return text ? *td::FromHost(text) : empty;
}

// A factory that opens a file: the object only when its constructor left the
// code at 0; a constructor that throws gives null and code 1.
template <class T, class... Args>
T* CreateOpened(uint32_t* err, const Args&... args) {
  uint32_t code = 0;
  T* object = td::Create<T>(args..., code);
  if (object == nullptr) code = kErrUnknown;
  if (object != nullptr && code != 0) {
    td::Free(object);
    object = nullptr;
  }
  *err = code;
  return object;
}

// Zero-terminated names up to an empty one.
void AddNames(const char* names, CStrList& list) {
  for (const char* name = names; name && *name; name += std::strlen(name) + 1) list.Add(name);
}

}  // namespace

TDEXPORT(TdTCF2UpdChartDesc*) TCF2UpdChartDescCreate() {
  return td::ToHost(td::Create<CTCF2UpdChartDesc>());
}

TDEXPORT(TdTCF2Update*) TCF2UpdateCreate(const char* fileName, uint32_t* err) {
  return td::GuardCode(err, static_cast<TdTCF2Update*>(nullptr), [&] {
    return td::ToHost(CreateOpened<CTCF2Update>(err, CStr(fileName ? fileName : "")));
  });
}

TDEXPORT(uint8_t)
TCF2UpdFileGenerate(const TdStr* updateFileName, const TdStr* newImageFileName,
                    const TdStr* chartFileName, double dateTime, const TdStr* text,
                    const void* blockA, int32_t blockASize, const void* blockB, int32_t blockBSize,
                    TdObject* host, uint64_t* rawBytes, uint64_t* compressedBytes,
                    const TdProgress* progress, uint32_t* err) {
  return td::GuardCode(err, uint8_t{0}, [&] {
    const SUpdGenerateInput input{dateTime, Text(text), blockA, blockASize, blockB, blockBSize};
    return static_cast<uint8_t>(UpdFileGenerateFromFiles(
        Text(updateFileName), Text(newImageFileName), Text(chartFileName), input,
        static_cast<const CZip*>(td::FromHost(host)), progress, *rawBytes, *compressedBytes, *err));
  });
}

TDEXPORT(void)
TCF2UpdFileUpdate(const TdStr* updateFileName, const TdStr* text, uint8_t replaceText,
                  const void* blockA, int32_t blockASize, uint8_t replaceA, const void* blockB,
                  int32_t blockBSize, uint8_t replaceB, uint8_t keepFileTimes, TdObject* host,
                  uint32_t* err) {
  td::GuardCode(err, false, [&] {
    const CZip* zip = static_cast<const CZip*>(td::FromHost(host));
    return UpdFileRewrite(Text(updateFileName), Text(text), replaceText != 0,
                          {blockA, blockASize, replaceA != 0}, {blockB, blockBSize, replaceB != 0},
                          keepFileTimes != 0, zip, *err);
  });
}

TDEXPORT(TdTCF2UpdPackage*)
TCF2UpdPackageOpen(const char* packageFileName, const char* folder, uint32_t* err) {
  return td::GuardCode(err, static_cast<TdTCF2UpdPackage*>(nullptr), [&] {
    return td::ToHost(CreateOpened<CTCF2UpdPackage>(
        err, CStr(packageFileName ? packageFileName : ""), CStr(folder ? folder : "")));
  });
}

TDEXPORT(void)
TCF2UpdPackageWrite(const char* packageFileName, const char* fileNames, uint32_t* err) {
  td::GuardCode(err, false, [&] {
    CStrList names;
    AddNames(fileNames, names);
    return CTCF2UpdPackage::Write(packageFileName ? packageFileName : "", names, *err);
  });
}

TDEXPORT(TdBSBChartInfoFile*) BSBChartInfoFileCreate() {
  return td::ToHost(td::Create<CBSBChartInfoFile>());
}
