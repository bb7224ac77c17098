#include "tool/Application.h"

#include <cxxabi.h>

#include <cstdlib>
#include <exception>
#include <typeinfo>

#include "tool/Form.h"

TApplication Application;

std::string CurrentExceptionClassName() {
  const std::type_info* type = abi::__cxa_current_exception_type();
  if (type == nullptr) return "";
  int status = 0;
  char* name = abi::__cxa_demangle(type->name(), nullptr, nullptr, &status);
  std::string result = status == 0 && name != nullptr ? name : type->name();
  std::free(name);
  return result;
}

void TApplication::Run(TForm& mainForm) {
  mainForm_ = &mainForm;
  mainForm.Show();
  MSG msg;
  while (!terminated_ && GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(mainForm.Handle(), &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  terminated_ = true;
}

void TApplication::Terminate() {
  PostQuitMessage(0);
  terminated_ = true;
}

void TApplication::HandleException() {
  std::string className = CurrentExceptionClassName();
  std::string message;
  try {
    throw;
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
  }
  HandleError(className, message);
}

void TApplication::HandleError(const std::string& className,
                               const std::string& message) {
  // A failure while the report is up (or a timer that keeps failing) must
  // not stack a second report on top of it.
  if (reporting_) return;
  reporting_ = true;
  if (mainForm_ != nullptr) mainForm_->StopTimers();
  try {
    if (onException_) {
      onException_(className, message);
    } else {
      MessageBoxA(nullptr, message.c_str(), className.c_str(),
                  MB_OK | MB_ICONERROR);
    }
  } catch (...) {
  }
  reporting_ = false;
  Terminate();
}
