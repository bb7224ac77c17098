#pragma once
#include <windows.h>

#include <functional>
#include <string>

class TForm;

// The program's message loop and the one place that errors escaping a
// window procedure, a timer or the main block are handed to.
class TApplication {
 public:
  using TExceptionHandler =
      std::function<void(const std::string& className, const std::string& message)>;

  void Run(TForm& mainForm);
  void Terminate();
  bool Terminated() const { return terminated_; }

  // Called inside a catch block: hands the current exception to the handler.
  void HandleException();
  // A failure that is not a C++ exception (a processor fault).
  void HandleError(const std::string& className, const std::string& message);
  bool Reporting() const { return reporting_; }

  void SetOnException(TExceptionHandler handler) { onException_ = std::move(handler); }
  const TExceptionHandler& OnException() const { return onException_; }

  TForm* MainForm() const { return mainForm_; }
  void SetMainForm(TForm* form) { mainForm_ = form; }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }
  int ExitCode() const { return exitCode_; }
  void SetExitCode(int code) { exitCode_ = code; }

 private:
  TExceptionHandler onException_;
  TForm* mainForm_ = nullptr;
  std::string title_;
  bool terminated_ = false;
  bool reporting_ = false;
  int exitCode_ = 0;
};

extern TApplication Application;

// The type name of the exception being handled, e.g. "EConvertError".
std::string CurrentExceptionClassName();
