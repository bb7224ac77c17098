#include "lib/foundation/display/Progress.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

uint32_t Call(const SProgress* record, float fraction, uint32_t value) {
  uint32_t err = 99;
  td::ProgressCall(record, fraction, value, &err);
  return err;
}

struct Recorder {
  std::vector<SProgressInfo> calls;
  bool cancel = false;
};

void TD_STDCALL Record(void* userData, SProgressInfo* info) {
  auto* recorder = static_cast<Recorder*>(userData);
  recorder->calls.push_back(*info);
  if (recorder->cancel) info->cancel = 1;
}

TEST(ProgressTest, TwoStagesCoverTheWholeScale) {
  Recorder recorder;
  SProgress root;
  td::ProgressStageInit1(&root, 0.5f, 7, Record, &recorder, 42);
  EXPECT_EQ(Call(&root, 0.0f, 1), 0u);
  EXPECT_EQ(Call(&root, 1.0f, 2), 0u);
  td::ProgressStageNext(&root, 0.5f, 8);
  EXPECT_EQ(Call(&root, 0.0f, 3), 0u);
  EXPECT_EQ(Call(&root, 1.0f, 4), 0u);
  ASSERT_EQ(recorder.calls.size(), 4u);
  const float positions[] = {0.0f, 0.5f, 0.5f, 1.0f};
  const uint32_t stages[] = {7, 7, 8, 8};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(recorder.calls[i].position, positions[i]);
    EXPECT_EQ(recorder.calls[i].stageId, stages[i]);
    EXPECT_EQ(recorder.calls[i].extra, 42u);
    EXPECT_EQ(recorder.calls[i].value, i + 1);
  }
}

TEST(ProgressTest, LoopStepsAreEqualShares) {
  Recorder recorder;
  SProgress root;
  td::ProgressLoopInit1(&root, 4, 1.0f, 1, Record, &recorder, 0);
  EXPECT_FLOAT_EQ(root.step, 0.25f);
  for (int i = 0; i < 3; ++i) td::ProgressLoopNext(&root);
  Call(&root, 0.5f, 0);
  ASSERT_EQ(recorder.calls.size(), 1u);
  EXPECT_FLOAT_EQ(recorder.calls[0].position, 0.875f);
  EXPECT_FLOAT_EQ(recorder.calls[0].fraction, 0.5f);
}

TEST(ProgressTest, LoopOfZeroItemsStartsAtItsFraction) {
  SProgress root;
  td::ProgressLoopInit1(&root, 0, 0.3f, 1, nullptr, nullptr, 0);
  EXPECT_FLOAT_EQ(root.position, 0.3f);
  EXPECT_FLOAT_EQ(root.step, 0.3f);
}

TEST(ProgressTest, ChildrenNestWithinTheirParentsStep) {
  Recorder recorder;
  SProgress root, stage, loop;
  td::ProgressStageInit1(&root, 0.5f, 1, Record, &recorder, 9);
  td::ProgressStageNext(&root, 0.5f, 2);  // second half: 0.5 .. 1.0
  td::ProgressStageInit(&stage, &root, 0.5f, 3);
  EXPECT_FLOAT_EQ(stage.scale, 0.5f);
  EXPECT_FLOAT_EQ(stage.step, 0.25f);
  td::ProgressLoopInit(&loop, &stage, 5, 1.0f, 4);
  EXPECT_FLOAT_EQ(loop.step, 0.05f);
  td::ProgressLoopNext(&loop);
  Call(&loop, 1.0f, 0);
  ASSERT_EQ(recorder.calls.size(), 1u);
  EXPECT_FLOAT_EQ(recorder.calls[0].position, 0.6f);
  EXPECT_EQ(recorder.calls[0].stageId, 4u);
  EXPECT_EQ(recorder.calls[0].extra, 9u);
  SProgress empty;
  td::ProgressLoopInit(&empty, &stage, 0, 1.0f, 5);
  EXPECT_FLOAT_EQ(empty.step, 0.25f);
  EXPECT_FLOAT_EQ(empty.position, 0.5f);
}

TEST(ProgressTest, CancelAndNullCallback) {
  Recorder recorder;
  recorder.cancel = true;
  SProgress root;
  td::ProgressStageInit1(&root, 1.0f, 1, Record, &recorder, 0);
  EXPECT_EQ(Call(&root, 0.5f, 0), 2u);
  td::ProgressStageInit1(&root, 1.0f, 1, nullptr, nullptr, 0);
  EXPECT_EQ(Call(&root, 0.5f, 0), 0u);
}

}  // namespace
