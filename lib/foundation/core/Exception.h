// The exceptions thrown inside the library. None ever leaves it: exports,
// window procedures, thread bodies and queued events catch them.
#pragma once

#include <cstdint>
#include <exception>

#include "lib/foundation/text/Str.h"

// The message names the class and method or the function, a colon, the text:
// "CRegistryApp::CreateKey: Error creating registry key."
class CException : public std::exception {
 public:
  explicit CException(const CStr& message) : message_(message) {}
  CException(const CException& other) : std::exception(other), message_(other.message_) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const CStr& GetMessage() const { return message_; }

 private:
  CStr message_;
};

#define TD_EXCEPTION_AREA(Name)                                \
  class Name : public CException {                             \
   public:                                                     \
    explicit Name(const CStr& message) : CException(message) {} \
  };

TD_EXCEPTION_AREA(CListError)
TD_EXCEPTION_AREA(CArrayError)
TD_EXCEPTION_AREA(CStreamError)
TD_EXCEPTION_AREA(CConvertError)
TD_EXCEPTION_AREA(CDateTimeError)
TD_EXCEPTION_AREA(CLinkListError)
TD_EXCEPTION_AREA(CRegistryError)
TD_EXCEPTION_AREA(CUnitConvertError)
TD_EXCEPTION_AREA(CNMEATrackError)
TD_EXCEPTION_AREA(CChartViewerError)

#undef TD_EXCEPTION_AREA

// Geodetic failures also carry the error number that an export reports.
class CGeodeticsError : public CException {
 public:
  CGeodeticsError(uint32_t number, const CStr& message) : CException(message), number_(number) {}
  uint32_t GetNumber() const { return number_; }

 private:
  uint32_t number_;
};
