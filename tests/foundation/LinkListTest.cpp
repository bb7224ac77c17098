#include "lib/foundation/containers/LinkList.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <string>

#include "lib/foundation/core/Exception.h"
#include "lib/foundation/files/FileSystem.h"
#include "lib/foundation/streams/MemoryStream.h"
#include "lib/foundation/streams/PointerStream.h"
#include "tests/AllocationSeam.h"
#include "tests/foundation/RuntimeTestFiles.h"

// The native build runs under AddressSanitizer, whose leak check a test can
// call.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/lsan_interface.h>
#define TD_LEAK_CHECK 1
#endif
#endif

namespace {

CStr Prefix() { return ScratchPath(""); }

TEST(LinkList, SaveWritesTheLayoutAndLoadTakesItBack) {
  TLinkList list;
  list.Add(kLinkFile, "a.txt", "notes");
  list.Add(kLinkOther, "http://x", "");
  EXPECT_TRUE(list.IsModified());
  CMemoryStream stream;
  list.SaveToStream(stream);
  EXPECT_FALSE(list.IsModified());
  const std::string expected(
      "\x02\x00\x00\x00"
      "\x00\x05\x00\x00\x00" "a.txt" "\x05\x00\x00\x00" "notes"
      "\x01\x08\x00\x00\x00" "http://x" "\x00\x00\x00\x00", 40);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(stream.GetData()), 40), expected);
  EXPECT_EQ(stream.GetSize(), 40);

  TLinkList back;
  back.Add(kLinkFile, "dropped", "");
  stream.Seek(0, 0);
  EXPECT_EQ(back.LoadFromStream(stream), 2);
  ASSERT_EQ(back.GetCount(), 2);
  EXPECT_TRUE(*back.GetAt(0) == *list.GetAt(0));
  EXPECT_TRUE(*back.GetAt(1) == *list.GetAt(1));
  EXPECT_FALSE(back.IsModified());
}

TEST(LinkList, BadTypeByteAndHostileCounts) {
  const std::string badType("\x01\x00\x00\x00\x02\x00\x00\x00\x00\x00\x00\x00\x00", 13);
  CConstPointerStream stream(badType.data(), badType.size());
  TLinkList list;
  try {
    list.LoadFromStream(stream);
    FAIL();
  } catch (const CLinkListError& e) {
    EXPECT_STREQ(e.what(), "TLinkList.LoadFromStream: 2 is not a valid linktype.");
  }
  const std::string counts[] = {std::string("\xFF\xFF\xFF\xFF", 4),
                                std::string("\xFF\xFF\xFF\x7F", 4),
                                std::string("\x02\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00", 13)};
  for (const std::string& bytes : counts) {
    CConstPointerStream hostile(bytes.data(), bytes.size());
    EXPECT_THROW(list.LoadFromStream(hostile), CException);
  }
  // The links read before a failure stay.
  const std::string truncated(
      "\x02\x00\x00\x00" "\x01\x00\x00\x00\x00\x00\x00\x00\x00" "\x01\x05\x00\x00\x00" "abcd", 22);
  CConstPointerStream partial(truncated.data(), truncated.size());
  EXPECT_THROW(list.LoadFromStream(partial), CStreamError);
  EXPECT_EQ(list.GetCount(), 1);
}

TEST(LinkList, ClearDeletesLinkedFilesOnlyInsideTheFolder) {
  WriteBytes(Prefix() + "kept.txt", "k");
  WriteBytes(Prefix() + "gone.txt", "g");
  TLinkList list;
  list.SetFolder(Prefix());
  static int calls;
  calls = 0;
  list.SetBeforeDelete([](const CStr&, const SLinkInfo&) { ++calls; });
  list.Add(kLinkFile, "gone.txt", "");
  list.Add(kLinkOther, "kept.txt", "");  // another target: left alone
  list.Add(kLinkFile, "absent.txt", "");
  list.Clear(true);
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(FileExists(Prefix() + "gone.txt"));
  EXPECT_TRUE(FileExists(Prefix() + "kept.txt"));

  // A file text that leaves the folder is never deleted.
  TLinkList hostile;
  hostile.SetFolder(Prefix() + "sub" + CStr(kPathDelimiter));
  hostile.Add(kLinkFile, CStr("..") + CStr(kPathDelimiter) + ScratchName("kept.txt"), "");
  hostile.Delete(0, true);
  EXPECT_TRUE(FileExists(Prefix() + "kept.txt"));
  RemoveFile(Prefix() + "kept.txt");
}

TEST(LinkList, TypesTheStreamCannotKeepAreRefused) {
  // Type 2 would be saved but not read back, and 256 would be saved as 0.
  TLinkList list;
  try {
    list.Add(2, "a.txt", "");
    FAIL();
  } catch (const CLinkListError& e) {
    EXPECT_STREQ(e.what(), "TLinkList.Add: 2 is not a valid linktype.");
  }
  SLinkInfo* link = list.Add(kLinkOther, "b.txt", "");
  EXPECT_THROW(list.SetType(link, 256), CLinkListError);
  EXPECT_EQ(link->Type, kLinkOther);
  EXPECT_EQ(list.GetCount(), 1);
}

TEST(LinkList, MergeCopyAndSetters) {
  TLinkList a, b;
  a.Add(kLinkFile, "same.txt", "one");
  b.Add(kLinkFile, "same.txt", "two");
  b.Add(kLinkOther, "new", "three");
  a.SetModified(false);
  a.Merge(b);
  ASSERT_EQ(a.GetCount(), 2);
  EXPECT_EQ(a.GetAt(0)->Description, CStr("one"));
  EXPECT_TRUE(a.IsModified());
  a.SetFolder("folder");
  TLinkList copy(a);
  EXPECT_EQ(copy.GetCount(), 2);
  EXPECT_EQ(copy.GetFolder().GetLength(), 0);
  copy.SetModified(false);
  copy.SetFile(copy.GetAt(1), "new");
  EXPECT_FALSE(copy.IsModified());
  copy.SetDescription(copy.GetAt(1), "changed");
  EXPECT_TRUE(copy.IsModified());
  EXPECT_TRUE(copy.FindFile("same.txt"));
  EXPECT_FALSE(copy.FindFile("SAME.txt"));
  EXPECT_EQ(copy.GetMemSize(true), (8 + 3 + 40) + (3 + 7 + 40) + 44);
}

// Adding and merging that run out of memory leave the list as it was, and
// keep nothing they made (the native build's leak check sees every block).
TEST(LinkList, AddAndMergeOutOfMemoryLeaveTheListAsItWas) {
  TLinkList other;
  other.Add(kLinkFile, "a.txt", "kept");
  other.Add(kLinkFile, "b.txt", "new");
  other.Add(kLinkOther, "c", "new too");
  const std::function<void(TLinkList&)> changes[] = {
      [](TLinkList& list) { list.Add(kLinkOther, "d", "added"); },
      [&other](TLinkList& list) { list.Merge(other); },
  };
  for (const auto& change : changes) {
    td::test::WalkAllocations([&](int32_t n) {
      TLinkList list;
      for (const char* file : {"a.txt", "1", "2", "3"}) list.Add(kLinkFile, file, "before");
      list.SetModified(false);
      bool thrown = false;
      td::test::ArmAllocationFailure(n);
      try {
        change(list);
      } catch (const std::bad_alloc&) {
        thrown = true;
      }
      if (!td::test::DisarmAllocationFailure()) return;
      EXPECT_TRUE(thrown) << n;
      ASSERT_EQ(list.GetCount(), 4) << n;
      EXPECT_EQ(list.GetAt(3)->File, "3") << n;
      EXPECT_FALSE(list.IsModified()) << n;
    });
  }
#if TD_LEAK_CHECK
  EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0);
#endif
}

}  // namespace
