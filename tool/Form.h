#pragma once
#include <windows.h>

#include <string>
#include <vector>

// A top-level window built from plain Win32 controls. Every message reaches
// WndProc through one procedure that hands escaping errors to Application.
class TForm {
 public:
  TForm() = default;
  virtual ~TForm();
  TForm(const TForm&) = delete;
  TForm& operator=(const TForm&) = delete;

  HWND Handle() const { return handle_; }
  void Show();
  void Close() { PostMessageA(handle_, WM_CLOSE, 0, 0); }
  // Runs until a modal result is set; the owner is disabled meanwhile.
  int ShowModal();
  void SetModalResult(int result) { modalResult_ = result; }
  void StopTimers();

 protected:
  // Creates the window with the given client size, centred on the screen.
  void CreateForm(const char* className, const std::string& caption,
                  int clientWidth, int clientHeight, DWORD style,
                  DWORD exStyle, HWND owner, HMENU menu);
  HWND AddControl(const char* windowClass, const std::string& text,
                  DWORD style, int x, int y, int width, int height, int id,
                  DWORD exStyle = 0);
  void SetFont(HFONT font) { font_ = font; }
  HFONT Font() const { return font_; }
  void SetDefaultButton(int id) { defaultButton_ = id; }
  void StartTimer(UINT_PTR id, UINT milliseconds);

  virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  virtual void OnCommand(int /*id*/, int /*code*/, HWND /*control*/) {}
  virtual LRESULT OnNotify(NMHDR* /*header*/) { return 0; }
  virtual void OnTimer(UINT_PTR /*id*/) {}
  virtual void OnClose();
  LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam,
                                     LPARAM lParam);
  static void RegisterFormClass(const char* className);

  HWND handle_ = nullptr;
  HWND owner_ = nullptr;
  HFONT font_ = nullptr;
  int modalResult_ = 0;
  bool modal_ = false;
  int defaultButton_ = 0;
  std::vector<UINT_PTR> timers_;
};

// "MS Sans Serif" of the given pixel height, the forms' font.
HFONT CreateFormFont(int height);
