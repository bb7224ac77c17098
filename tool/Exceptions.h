#pragma once
#include <stdexcept>
#include <string>

// The tool's exception classes; their type names show in error reports.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

class ERegistryException : public Exception {
 public:
  using Exception::Exception;
};

class EProgInitError : public Exception {
 public:
  using Exception::Exception;
};

// Processor faults in the program's own code, raised where they happened.
class EAccessViolation : public Exception {
 public:
  using Exception::Exception;
};

class EExternalException : public Exception {
 public:
  using Exception::Exception;
};
