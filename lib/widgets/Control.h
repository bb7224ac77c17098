// The base of every toolkit element: a rectangle placed relative to its parent,
// with child controls, state flags and one handler per event. Only the root
// window owns a system window; everything inside it is drawn and hit-tested
// here. Single-threaded: every call on the thread that made the windows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>

#include "lib/bitmap/Bmp.h"
#include "lib/foundation/containers/List.h"

class CControl;

// Tells whether a control outlived the handlers raised while the watch stood:
// a handler may delete its sender, or the window that holds it, so an
// operation that raises an event watches itself and touches nothing of its
// own afterwards unless the watch still sees it alive. Made on the stack
// around the raise (watches end in the reverse order of their making);
// toolkit thread only.
class CControlWatch {
 public:
  // A null control is never alive.
  explicit CControlWatch(const CControl* control);
  ~CControlWatch();
  CControlWatch(const CControlWatch&) = delete;
  CControlWatch& operator=(const CControlWatch&) = delete;

  // False once the control's destructor has run.
  bool Alive() const { return Control != nullptr; }

 private:
  friend class CControl;
  // Ends every standing watch of a control that is being destroyed.
  static void ControlDies(const CControl* control);

  const CControl* Control;
  CControlWatch* Outer;
};

// Raises an event: calls the handler, when set, with the arguments, and
// answers whether `watched` (the control the raising operation goes on with)
// outlived it. Every event of the toolkit goes through here: an operation
// that goes on after a raise goes on only on a true answer, and touches
// nothing of `watched` otherwise. Arguments are passed as given, so that a
// handler can change one taken by reference.
template <typename Handler, typename... Args>
[[nodiscard]] bool RaiseEvent(const CControl* watched, Handler handler, Args&&... args) {
  if (!handler) return true;
  CControlWatch watch(watched);
  handler(std::forward<Args>(args)...);
  return watch.Alive();
}

// An event raised as the last step of an operation: nothing follows it, so
// nothing needs the answer.
template <typename Handler, typename... Args>
void RaiseLastEvent(Handler handler, Args&&... args) {
  if (handler) handler(std::forward<Args>(args)...);
}

// Handlers are plain functions called as (owner, sender, arguments): owner is
// what the sender's GetOwner returns, sender the control itself.
using TNotifyHandler = void (*)(CControl* owner, CControl* sender);
using TPointHandler = void (*)(CControl* owner, CControl* sender, int32_t x, int32_t y);
using TKeyHandler = void (*)(CControl* owner, CControl* sender, uint16_t key);
using TPaintHandler = void (*)(CControl* owner, CControl* sender, CBmp* canvas);
using THoldQueryHandler = uint8_t (*)(CControl* owner, CControl* sender, int32_t x, int32_t y);

class CControl {
 public:
  explicit CControl(CControl* parent);
  CControl(const CControl&) = delete;
  CControl& operator=(const CControl&) = delete;

  // Event operations: the state changes first, then the handler when set.
  // Points are in this control's own coordinates.
  virtual void Enter();
  virtual void Exit();
  virtual void DblClick(int32_t x, int32_t y);
  virtual void MouseDown(int32_t x, int32_t y);
  virtual void MouseMove(int32_t x, int32_t y);
  virtual void MouseUp(int32_t x, int32_t y);
  virtual void Click(int32_t x, int32_t y);
  virtual void KeyDown(uint16_t key);
  virtual void KeyPress(uint16_t key);
  virtual void KeyUp(uint16_t key);
  // The device context's origin is this control's corner; clip is local.
  virtual void Paint(CBmp* canvas, const RECT& clip);
  virtual void ContextPopup(int32_t x, int32_t y);
  virtual CControl* GetOwner();
  // Hit test in this control's coordinates; found ends as the deepest hit
  // control along the topmost path and is unchanged when this one is missed.
  virtual bool ControlAt(int32_t x, int32_t y, CControl*& found);
  virtual void AddControl(CControl* child);
  // Also forgets the child's subtree in the input state (capture, last click,
  // the window's focus) without raising events on it.
  virtual void RemoveControl(CControl* child);
  // Deletes the children last to first, then leaves the parent.
  virtual ~CControl();
  virtual CControl* GetParent();
  virtual HWND GetHandle();
  virtual void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);
  virtual void SetParent(CControl* parent);
  virtual void SetVisible(bool visible);

  void Place(CControl* parent, int32_t left, int32_t top, int32_t width, int32_t height);
  int32_t GetLeft() const { return Left; }
  int32_t GetTop() const { return Top; }
  int32_t GetWidth() const { return Width; }
  int32_t GetHeight() const { return Height; }
  void SetHeight(int32_t height) { SetBounds(Left, Top, Width, height); }
  void SetEnabled(bool enabled);
  void SetFocused(bool focused);
  void SetTransparent(bool transparent) { Transparent = transparent; }
  void SetHittable(bool hittable) { Hittable = hittable; }
  bool IsPressed() const { return Pressed; }
  bool IsTransparent() const { return Transparent; }
  bool IsEnabled() const { return Enabled; }
  bool IsVisible() const { return Visible; }
  bool IsFocused() const { return Focused; }
  bool GetWantsDblClick() const { return WantsDblClick; }
  bool GetHoldGesture() const { return HoldGesture; }
  // Both edges inside: a control of width 10 contains x = 0 .. 10.
  bool Contains(int32_t x, int32_t y) const {
    return x >= 0 && x <= Width && y >= 0 && y <= Height;
  }
  POINT GetWindowOrigin() const;
  POINT GetScreenOrigin() const;
  RECT GetWindowBounds() const;
  POINT WindowToLocal(POINT point) const;
  // True when this control is the given one or lies inside it.
  bool IsWithin(const CControl* ancestor) const;
  // Marks the control's window rectangle for repaint, without erase.
  void Invalidate();
  // Invalidate, then paint the window's invalid area before returning.
  void RepaintNow();
  void RemoveAllControls();
  // Paints this control and its descendants through the canvas's device
  // context, whose clip region must be set; (ox, oy) is this control's corner
  // in window coordinates.
  void PaintTree(CBmp* canvas, const RECT& clip, int32_t ox, int32_t oy);
  int32_t GetControlCount() const { return Controls.GetCount(); }
  CControl* GetControl(int32_t i) const { return Controls[i]; }

  uint8_t WantsDblClick = false;
  CList<CControl> Controls;
  CControl* Parent = nullptr;
  int32_t Left = 0, Top = 0, Width = 0, Height = 0;
  uint8_t Pressed = false;
  int32_t ClickCount = 0;
  uint8_t HoldGesture = false;
  uint8_t Transparent = false;
  uint8_t Visible = true;
  uint8_t Enabled = true;
  uint8_t Focused = false;
  uint8_t KeyIsDown = false;
  TNotifyHandler OnEnter = nullptr;
  TNotifyHandler OnExit = nullptr;
  TPointHandler OnClick = nullptr;
  TPointHandler OnDblClick = nullptr;
  TPointHandler OnMouseDown = nullptr;
  TPointHandler OnMouseMove = nullptr;
  TPointHandler OnMouseUp = nullptr;
  TPaintHandler OnPaint = nullptr;
  TKeyHandler OnKeyDown = nullptr;
  TKeyHandler OnKeyPress = nullptr;
  TKeyHandler OnKeyUp = nullptr;
  THoldQueryHandler OnHoldQuery = nullptr;
  TPointHandler OnContextPopup = nullptr;
  uint8_t Focusable = false;
  uint8_t ChildrenHittable = true;
  POINT DownPoint = {-1, -1};
  uint8_t Hittable = true;

 private:
  CControl* Root();
  void PaintChildren(CBmp* canvas, const RECT& clip, int32_t ox, int32_t oy, HRGN saved, HRGN work);
  // Removes from the region the rectangles of the visible opaque children
  // from index first on.
  void CutOpaqueChildren(HRGN region, int32_t first, int32_t ox, int32_t oy);
};
