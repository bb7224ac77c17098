// A function and a context passed together: every event that the library
// raises toward a host or another object is one. Its users cast the function
// to the signature of their event.
#pragma once

typedef void (*TCallbackFunc)();

struct SCallback {
  TCallbackFunc Function = nullptr;
  void* Context = nullptr;

  bool operator==(const SCallback& other) const {
    return Function == other.Function && Context == other.Context;
  }
  bool operator!=(const SCallback& other) const { return !(*this == other); }
  // "Set" means the function is not null.
  bool operator!=(decltype(nullptr)) const { return Function != nullptr; }
  bool IsSet() const { return Function != nullptr; }
};

template <typename F>
SCallback MakeCallback(F function, void* context) {
  SCallback callback;
  callback.Function = reinterpret_cast<TCallbackFunc>(function);
  callback.Context = context;
  return callback;
}
