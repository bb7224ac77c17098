// The test's side of a pseudo-terminal COM port served by pty_writer.py: a
// handle of its own on the port, through which it sends the writer commands.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

// Runs the main thread's queued events.
inline void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// Pumps until done() or the time runs out; whether done() came true.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    PumpMessages();
    Sleep(1);
  }
  return true;
}

inline void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

// The path the Linux-side writer sees for a file a test names under Z:.
inline std::string UnixPath(const std::string& windowsPath) {
  std::string path = windowsPath.rfind("Z:", 0) == 0 ? windowsPath.substr(2) : windowsPath;
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

class CSerialLink {
 public:
  explicit CSerialLink(uint32_t port) {
    const std::string device = "\\\\.\\COM" + std::to_string(port);
    m_Handle = CreateFileA(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           0, nullptr);
    COMMTIMEOUTS timeouts = {MAXDWORD, MAXDWORD, 100, 100, 1000};
    if (IsOpen()) SetCommTimeouts(m_Handle, &timeouts);
  }
  ~CSerialLink() {
    if (IsOpen()) CloseHandle(m_Handle);
  }
  CSerialLink(const CSerialLink&) = delete;
  CSerialLink& operator=(const CSerialLink&) = delete;

  bool IsOpen() const { return m_Handle != INVALID_HANDLE_VALUE; }

  // Stops any playing and drops unread bytes; whether the writer answered.
  // Call it before the port under test opens, as it reads the answer.
  bool Reset() {
    if (!Send("RESET\n")) return false;
    std::string answer;
    const DWORD start = GetTickCount();
    while (answer.find("OK\n") == std::string::npos && GetTickCount() - start < 5000) {
      char buffer[64];
      DWORD count = 0;
      if (!ReadFile(m_Handle, buffer, sizeof buffer, &count, nullptr)) return false;
      answer.append(buffer, count);
    }
    return answer.find("OK\n") != std::string::npos;
  }

  // Plays a file at the baud rate (0: all at once).
  bool Play(uint32_t baud, const std::string& windowsPath) {
    return Send("PLAY " + std::to_string(baud) + " " + UnixPath(windowsPath) + "\n");
  }

 private:
  bool Send(const std::string& text) {
    DWORD written = 0;
    return WriteFile(m_Handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
  }

  HANDLE m_Handle = INVALID_HANDLE_VALUE;
};
