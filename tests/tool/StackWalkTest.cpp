#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tool/StackCapture.h"

namespace {

// A stack laid out by hand: frames of {caller's frame pointer, return
// address} in a buffer, code at [0x1000, 0x2000).
class FakeStack {
 public:
  FakeStack() : slots_(600, 0) {}
  uintptr_t Frame(int slot) const { return reinterpret_cast<uintptr_t>(&slots_[slot]); }
  uintptr_t Top() const { return reinterpret_cast<uintptr_t>(slots_.data() + slots_.size()); }
  void Set(int slot, uintptr_t next, uintptr_t ret) {
    slots_[slot] = next;
    slots_[slot + 1] = ret;
  }
  std::vector<uintptr_t> Walk(int from, int skip, int capacity = 50) const {
    std::vector<uintptr_t> out(capacity);
    int n = StackCapture::WalkFramePointers(Frame(from), Top(), 0x1000, 0x2000,
                                            skip, out.data(), capacity);
    out.resize(n);
    return out;
  }

 private:
  std::vector<uintptr_t> slots_;
};

using Addresses = std::vector<uintptr_t>;

}  // namespace

TEST(StackWalk, FollowsARisingChain) {
  FakeStack s;
  s.Set(0, s.Frame(4), 0x1100);
  s.Set(4, s.Frame(10), 0x3000);  // outside the code: not stored
  s.Set(10, s.Frame(20), 0x1300);
  s.Set(20, 0, 0x1400);           // the outermost frame
  EXPECT_EQ(s.Walk(0, 0), (Addresses{0x1100, 0x1300, 0x1400}));
  EXPECT_EQ(s.Walk(0, 2), (Addresses{0x1400}));
}

TEST(StackWalk, CorruptChainsEndTheWalk) {
  FakeStack loop;
  loop.Set(0, loop.Frame(4), 0x1100);
  loop.Set(4, loop.Frame(0), 0x1200);  // points back down
  EXPECT_EQ(loop.Walk(0, 0), (Addresses{0x1100, 0x1200}));

  FakeStack self;
  self.Set(0, self.Frame(0), 0x1100);  // points at itself
  EXPECT_EQ(self.Walk(0, 0), (Addresses{0x1100}));

  FakeStack misaligned;
  misaligned.Set(0, misaligned.Frame(4) + 1, 0x1100);
  misaligned.Set(4, misaligned.Frame(8), 0x1200);
  EXPECT_EQ(misaligned.Walk(0, 0), (Addresses{0x1100}));

  FakeStack beyond;
  beyond.Set(0, beyond.Top() + 64, 0x1100);
  EXPECT_EQ(beyond.Walk(0, 0), (Addresses{0x1100}));
  EXPECT_TRUE(beyond.Walk(599, 0).empty());  // a frame that does not fit
}

TEST(StackWalk, StopsAtTheCapacityAndAtAFixedNumberOfFrames) {
  FakeStack s;
  for (int i = 0; i < 190; ++i) s.Set(2 * i, s.Frame(2 * i + 2), 0x1000 + 1 + i);
  EXPECT_EQ(s.Walk(0, 0).size(), 50u);
  // Frames whose return addresses lie outside the code still count: the
  // 300th frame is never reached.
  FakeStack outside;
  for (int i = 0; i < 299; ++i) outside.Set(2 * i, outside.Frame(2 * i + 2), 0x5000);
  outside.Set(598, 0, 0x1100);
  EXPECT_TRUE(outside.Walk(0, 0).empty());
}

#if defined(__i386__)
namespace {

// Calls `function` with a frame whose unwind entry takes the frame pointer,
// set to an address no stack has, for the base of the frame.
extern "C" void CallWithBrokenFrame(void (*function)());
extern "C" char CallWithBrokenFrameReturn[];
asm(".text\n"
    "_CallWithBrokenFrame:\n"
    ".cfi_startproc\n"
    "  pushl %ebp\n"
    ".cfi_adjust_cfa_offset 4\n"
    ".cfi_rel_offset %ebp, 0\n"
    "  movl 8(%esp), %eax\n"
    "  movl $16, %ebp\n"
    ".cfi_def_cfa_register %ebp\n"
    "  call *%eax\n"
    "_CallWithBrokenFrameReturn:\n"
    "  popl %ebp\n"
    ".cfi_def_cfa %esp, 4\n"
    ".cfi_restore %ebp\n"
    "  ret\n"
    ".cfi_endproc\n");

int g_caught = 0;

__attribute__((noinline)) void ThrowAndCatch() {
  try {
    throw 7;
  } catch (int value) {
    g_caught = value;
  }
}

}  // namespace

// The walk of a stack it cannot follow ends where it stops making sense,
// with the frames it had, and the next capture walks as far as ever.
TEST(StackCapture, AFrameThatCannotBeFollowedEndsTheWalk) {
  ThrowAndCatch();
  const int whole = StackCapture::Count();
  CallWithBrokenFrame(ThrowAndCatch);
  EXPECT_EQ(g_caught, 7);
  ASSERT_EQ(StackCapture::Count(), 2);
  EXPECT_EQ(StackCapture::Address(1),
            reinterpret_cast<uintptr_t>(CallWithBrokenFrameReturn));
  ThrowAndCatch();
  EXPECT_EQ(StackCapture::Count(), whole);
}
#endif
