#include "lib/widgets/Control.h"

#include "lib/widgets/InputState.h"
#include "lib/widgets/Window.h"

namespace {

// Forgets a subtree that leaves its tree or dies: global input state and the
// focus of the window at the top of that tree.
void ForgetSubtree(CControl* root, const CControl* subtree) {
  ForgetInputState(subtree);
  if (auto* window = dynamic_cast<CWindow*>(root)) window->ForgetFocus(subtree);
}

bool IsRegionEmpty(HRGN region) {
  RECT box;
  return GetRgnBox(region, &box) == NULLREGION;
}

// An empty region that is deleted however the painting ends: a Paint may throw.
class CScopedRegion {
 public:
  CScopedRegion() : Handle(CreateRectRgn(0, 0, 0, 0)) {}
  ~CScopedRegion() { DeleteObject(Handle); }
  CScopedRegion(const CScopedRegion&) = delete;
  CScopedRegion& operator=(const CScopedRegion&) = delete;

  const HRGN Handle;
};

// The innermost standing watch; each links to the one made before it.
CControlWatch* g_InnermostWatch = nullptr;

}  // namespace

CControlWatch::CControlWatch(const CControl* control) : Control(control), Outer(g_InnermostWatch) {
  g_InnermostWatch = this;
}

CControlWatch::~CControlWatch() { g_InnermostWatch = Outer; }

void CControlWatch::ControlDies(const CControl* control) {
  for (CControlWatch* watch = g_InnermostWatch; watch; watch = watch->Outer)
    if (watch->Control == control) watch->Control = nullptr;
}

CControl::CControl(CControl* parent) { SetParent(parent); }

CControl::~CControl() {
  CControlWatch::ControlDies(this);
  ForgetSubtree(Root(), this);
  for (int32_t i = Controls.GetCount() - 1; i >= 0; --i) delete Controls[i];
  SetParent(nullptr);
}

void CControl::Enter() { RaiseLastEvent(OnEnter, GetOwner(), this); }

void CControl::Exit() { RaiseLastEvent(OnExit, GetOwner(), this); }

void CControl::DblClick(int32_t x, int32_t y) {
  RaiseLastEvent(OnDblClick, GetOwner(), this, x, y);
}

void CControl::MouseDown(int32_t x, int32_t y) {
  Pressed = true;
  DownPoint = {x, y};
  ++ClickCount;
  RaiseLastEvent(OnMouseDown, GetOwner(), this, x, y);
}

void CControl::MouseMove(int32_t x, int32_t y) {
  RaiseLastEvent(OnMouseMove, GetOwner(), this, x, y);
}

void CControl::MouseUp(int32_t x, int32_t y) {
  Pressed = false;
  ClickCount = 0;
  RaiseLastEvent(OnMouseUp, GetOwner(), this, x, y);
}

void CControl::Click(int32_t x, int32_t y) { RaiseLastEvent(OnClick, GetOwner(), this, x, y); }

void CControl::KeyDown(uint16_t key) {
  KeyIsDown = true;
  RaiseLastEvent(OnKeyDown, GetOwner(), this, key);
}

void CControl::KeyPress(uint16_t key) { RaiseLastEvent(OnKeyPress, GetOwner(), this, key); }

void CControl::KeyUp(uint16_t key) {
  KeyIsDown = false;
  RaiseLastEvent(OnKeyUp, GetOwner(), this, key);
}

void CControl::Paint(CBmp* canvas, const RECT&) {
  RaiseLastEvent(OnPaint, GetOwner(), this, canvas);
}

void CControl::ContextPopup(int32_t x, int32_t y) {
  RaiseLastEvent(OnContextPopup, GetOwner(), this, x, y);
}

CControl* CControl::GetOwner() { return Parent ? Parent->GetOwner() : nullptr; }

bool CControl::ControlAt(int32_t x, int32_t y, CControl*& found) {
  if (!Visible || !Contains(x, y) || !Hittable) return false;
  found = this;
  if (ChildrenHittable)
    for (int32_t i = Controls.GetCount() - 1; i >= 0; --i) {
      CControl* child = Controls[i];
      if (child->ControlAt(x - child->Left, y - child->Top, found)) break;
    }
  return true;
}

void CControl::AddControl(CControl* child) {
  Controls.Add(child);
  child->Parent = this;
}

void CControl::RemoveControl(CControl* child) {
  ForgetSubtree(Root(), child);
  Controls.Remove(child);
  child->Parent = nullptr;
}

CControl* CControl::GetParent() { return Parent; }

HWND CControl::GetHandle() { return Parent ? Parent->GetHandle() : nullptr; }

void CControl::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  if (left == Left && top == Top && width == Width && height == Height) return;
  Invalidate();
  Left = left;
  Top = top;
  Width = width;
  Height = height;
  Invalidate();
}

void CControl::SetParent(CControl* parent) {
  if (parent == Parent) return;
  if (Parent) Parent->RemoveControl(this);
  if (parent) parent->AddControl(this);
}

void CControl::SetVisible(bool visible) {
  if (bool(Visible) == visible) return;
  Visible = visible;
  Invalidate();
}

void CControl::Place(CControl* parent, int32_t left, int32_t top, int32_t width, int32_t height) {
  SetParent(parent);
  SetBounds(left, top, width, height);
}

void CControl::SetEnabled(bool enabled) {
  if (bool(Enabled) == enabled) return;
  Enabled = enabled;
  Invalidate();
}

void CControl::SetFocused(bool focused) {
  if (bool(Focused) == focused) return;
  Focused = focused;
  Invalidate();
}

POINT CControl::GetWindowOrigin() const {
  POINT origin = {0, 0};
  for (const CControl* c = this; c->Parent; c = c->Parent) {
    origin.x += c->Left;
    origin.y += c->Top;
  }
  return origin;
}

POINT CControl::GetScreenOrigin() const {
  POINT origin = {0, 0};
  for (const CControl* c = this; c; c = c->Parent) {
    origin.x += c->Left;
    origin.y += c->Top;
  }
  return origin;
}

RECT CControl::GetWindowBounds() const {
  POINT origin = GetWindowOrigin();
  return {origin.x, origin.y, origin.x + Width, origin.y + Height};
}

POINT CControl::WindowToLocal(POINT point) const {
  POINT origin = GetWindowOrigin();
  return {point.x - origin.x, point.y - origin.y};
}

bool CControl::IsWithin(const CControl* ancestor) const {
  for (const CControl* c = this; c; c = c->Parent)
    if (c == ancestor) return true;
  return false;
}

void CControl::Invalidate() {
  HWND handle = GetHandle();
  if (!handle) return;
  RECT bounds = GetWindowBounds();
  InvalidateRect(handle, &bounds, FALSE);
}

void CControl::RepaintNow() {
  Invalidate();
  SendMessageA(GetHandle(), WM_PAINT, 0, 0);
}

void CControl::RemoveAllControls() {
  for (int32_t i = Controls.GetCount() - 1; i >= 0; --i) RemoveControl(Controls[i]);
}

void CControl::PaintTree(CBmp* canvas, const RECT& clip, int32_t ox, int32_t oy) {
  HDC dc = canvas->GetDC();
  CScopedRegion saved, work;
  GetClipRgn(dc, saved.Handle);
  CombineRgn(work.Handle, saved.Handle, nullptr, RGN_COPY);
  CutOpaqueChildren(work.Handle, 0, ox, oy);
  if (!IsRegionEmpty(work.Handle)) {
    SetViewportOrgEx(dc, ox, oy, nullptr);
    SelectClipRgn(dc, work.Handle);
    RECT box;
    GetRgnBox(work.Handle, &box);
    OffsetRect(&box, -ox, -oy);
    Paint(canvas, box);
  }
  PaintChildren(canvas, clip, ox, oy, saved.Handle, work.Handle);
}

void CControl::PaintChildren(CBmp* canvas, const RECT& clip, int32_t ox, int32_t oy, HRGN saved,
                             HRGN work) {
  HDC dc = canvas->GetDC();
  for (int32_t i = 0; i < Controls.GetCount(); ++i) {
    CControl* child = Controls[i];
    if (!child->Visible) continue;
    int32_t cx = ox + child->Left, cy = oy + child->Top;
    HRGN rect = CreateRectRgn(cx, cy, cx + child->Width, cy + child->Height);
    CombineRgn(work, saved, rect, RGN_AND);
    DeleteObject(rect);
    CutOpaqueChildren(work, i + 1, ox, oy);
    if (IsRegionEmpty(work)) continue;
    SelectClipRgn(dc, work);
    child->PaintTree(canvas, clip, cx, cy);
  }
}

void CControl::CutOpaqueChildren(HRGN region, int32_t first, int32_t ox, int32_t oy) {
  for (int32_t i = first; i < Controls.GetCount(); ++i) {
    const CControl* child = Controls[i];
    if (!child->Visible || child->Transparent) continue;
    HRGN rect = CreateRectRgn(ox + child->Left, oy + child->Top, ox + child->Left + child->Width,
                              oy + child->Top + child->Height);
    CombineRgn(region, region, rect, RGN_DIFF);
    DeleteObject(rect);
  }
}

CControl* CControl::Root() {
  CControl* c = this;
  while (c->Parent) c = c->Parent;
  return c;
}
