#include "lib/gps/NMEADetector.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "include/TdLib.h"
#include "tests/ThreadStartRefused.h"
#include "tests/gps/SerialLink.h"

namespace {

const std::string kLog = TDLIB_TEST_DATA_DIR "/gps/data/sample.nmea";
constexpr uint32_t kTalkerGP = 0x5047, kTalkerGN = 0x4E47;
constexpr uint32_t kRMC = 0x434D52;

// What the callbacks saw.
struct SSearch {
  std::vector<float> Progress;
  int Finished = 0;
  CNMEADetector* Detector = nullptr;
};

void TD_STDCALL OnProgress(void* context, CNMEADetector* detector) {
  static_cast<SSearch*>(context)->Progress.push_back(detector->GetProgress());
}
void TD_STDCALL OnFinished(void* context, CNMEADetector*) {
  ++static_cast<SSearch*>(context)->Finished;
}

struct SDetectorDeleter {
  void operator()(CNMEADetector* d) const { td::Free(d); }
};
using TDetector = std::unique_ptr<CNMEADetector, SDetectorDeleter>;

TDetector MakeDetector(SSearch& search) {
  TDetector d(new CNMEADetector());
  d->SetListenTime(0.5f);
  d->SetOnProgress(OnProgress, &search);
  d->SetOnFinished(OnFinished, &search);
  search.Detector = d.get();
  return d;
}

// Plays the log at 4800 baud (about 3 s) into each port, from now on.
class CPlayers {
 public:
  explicit CPlayers(std::initializer_list<uint32_t> ports) {
    for (uint32_t port : ports) {
      m_Links.push_back(std::make_unique<CSerialLink>(port));
      EXPECT_TRUE(m_Links.back()->Reset());
      EXPECT_TRUE(m_Links.back()->Play(4800, kLog));
    }
  }
  ~CPlayers() {
    for (auto& link : m_Links) link->Reset();
  }

 private:
  std::vector<std::unique_ptr<CSerialLink>> m_Links;
};

void Add(CNMEADetector& d, int32_t port, uint8_t dataBits = 8) {
  d.AddSetting(port, 4800, dataBits, 0, 0, 0);
}

bool Finish(SSearch& search) {
  return PumpUntil([&] { return search.Finished > 0; }, 20000);
}

// Progress rises, stays below 100 % while the search runs and ends at 100 %.
void ExpectProgressRule(const std::vector<float>& seen) {
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen.front(), 0.0f);
  EXPECT_EQ(seen.back(), 100.0f);
  for (size_t i = 1; i < seen.size(); ++i) EXPECT_LE(seen[i - 1], seen[i]) << i;
  for (size_t i = 0; i + 1 < seen.size(); ++i) EXPECT_LT(seen[i], 100.0f) << i;
}

std::vector<int32_t> ResultPorts(CNMEADetector& d) {
  std::vector<int32_t> ports;
  for (int32_t i = 0; i < d.GetResultCount(); ++i) {
    SNMEADetectorSetting s;
    uint32_t value = 9;
    d.GetResult(i, &s, &value);
    EXPECT_EQ(value, 0u);
    ports.push_back(s.Port);
  }
  return ports;
}

// COM20 carries NMEA, COM21 is silent, COM22's first setting cannot open.
TEST(NMEADetector, FindsThePortThatCarriesNMEAAndReportsRisingProgress) {
  CPlayers players{20};
  SSearch search;
  TDetector d = MakeDetector(search);
  Add(*d, 20);
  Add(*d, 20);
  Add(*d, 21);
  Add(*d, 22, 9);
  Add(*d, 22);
  d->Start(0);
  EXPECT_TRUE(d->IsRunning());
  EXPECT_EQ(d->GetResultCount(), 0);
  ASSERT_TRUE(Finish(search));
  EXPECT_FALSE(d->IsRunning());
  EXPECT_EQ(ResultPorts(*d), std::vector<int32_t>{20});
  ExpectProgressRule(search.Progress);
}

// Two settings on silent COM21 and one on silent COM24: two rounds, the
// second after two of the three settings have settled.
TEST(NMEADetector, ProgressFollowsTheSettledSettingsUntilTheLastRoundEnds) {
  SSearch search;
  TDetector d = MakeDetector(search);
  d->SetListenTime(1.0f);
  Add(*d, 21);
  Add(*d, 21);
  Add(*d, 24);
  d->Start(0);
  ASSERT_TRUE(Finish(search));
  EXPECT_EQ(d->GetResultCount(), 0);
  ExpectProgressRule(search.Progress);
  const auto inSecondRound = [](float p) { return p >= 200.0f / 3.0f && p < 100.0f; };
  EXPECT_TRUE(std::any_of(search.Progress.begin(), search.Progress.end(), inSecondRound));
  const auto inFirstRound = [](float p) { return p > 0.0f && p < 200.0f / 3.0f; };
  EXPECT_TRUE(std::any_of(search.Progress.begin(), search.Progress.end(), inFirstRound));
}

// No search starts without its thread: the detector stays idle and takes
// settings and a new start as before.
TEST(NMEADetector, AThreadThatCannotStartLeavesTheDetectorIdle) {
  SSearch search;
  TDetector d = MakeDetector(search);
  Add(*d, 21);
  {
    CThreadStartRefused refused;
    ASSERT_TRUE(refused.IsActive());
    d->Start(0);
    EXPECT_FALSE(d->IsRunning());
  }
  PumpFor(100);
  EXPECT_EQ(search.Finished, 0);
  d->SetListenTime(0.2f);
  EXPECT_EQ(d->GetListenTime(), 0.2f);
  d->Start(0);
  EXPECT_TRUE(d->IsRunning());
  ASSERT_TRUE(Finish(search));
  EXPECT_FALSE(d->IsRunning());
}

TEST(NMEADetector, FiltersDecideWhatCounts) {
  struct SCase {
    uint32_t Talker, Sentence;
    size_t Results;
  };
  for (const SCase& c : {SCase{kTalkerGN, 0, 0}, SCase{kTalkerGP, kRMC, 1}}) {
    CPlayers players{20};
    SSearch search;
    TDetector d = MakeDetector(search);
    Add(*d, 20);
    d->AddTalkerFilter(c.Talker);
    d->AddTalkerFilter(c.Talker);  // once
    if (c.Sentence) d->AddSentenceFilter(c.Sentence);
    EXPECT_EQ(d->GetTalkerFilterCount(), 1);
    EXPECT_EQ(d->GetTalkerFilter(0), c.Talker);
    d->Start(0);
    ASSERT_TRUE(Finish(search));
    EXPECT_EQ(ResultPorts(*d).size(), c.Results);
  }
}

TEST(NMEADetector, StopAtFirstGivesOnePortOnly) {
  CPlayers players{20, 23};
  SSearch search;
  TDetector d = MakeDetector(search);
  d->SetListenTime(5.0f);
  Add(*d, 20);
  Add(*d, 23);
  const DWORD start = GetTickCount();
  d->Start(1);
  ASSERT_TRUE(Finish(search));
  EXPECT_LT(GetTickCount() - start, 4000u);  // did not listen the full 5 s
  EXPECT_EQ(ResultPorts(*d).size(), 1u);
}

TEST(NMEADetector, StopEndsTheSearchWithoutTheLastProgress) {
  SSearch search;
  TDetector d = MakeDetector(search);
  d->SetListenTime(10.0f);
  Add(*d, 21);
  d->Start(0);
  PumpFor(600);
  d->Stop();
  EXPECT_TRUE(d->IsStopped());
  ASSERT_TRUE(Finish(search));
  EXPECT_EQ(d->GetResultCount(), 0);
  ASSERT_FALSE(search.Progress.empty());
  EXPECT_LT(search.Progress.back(), 100.0f);
}

TEST(NMEADetector, DeletingADetectorDuringASearchCallsNothing) {
  SSearch search;
  TDetector d = MakeDetector(search);
  Add(*d, 21);
  Add(*d, 24);
  d->Start(0);
  PumpFor(400);
  const size_t progress = search.Progress.size();
  d.reset();
  PumpFor(300);
  EXPECT_EQ(search.Finished, 0);
  EXPECT_EQ(search.Progress.size(), progress);
}

TEST(NMEADetector, WithoutSettingsNothingRunsAndBadIndicesGiveNothing) {
  SSearch search;
  TDetector d = MakeDetector(search);
  d->Start(0);
  EXPECT_FALSE(d->IsRunning());
  PumpFor(100);
  EXPECT_EQ(search.Finished, 0);
  EXPECT_TRUE(search.Progress.empty());
  d->SetListenTime(std::nanf(""));
  d->SetListenTime(-1.0f);
  EXPECT_EQ(d->GetListenTime(), 0.5f);
  SNMEADetectorSetting s;
  std::memset(&s, 0x55, sizeof s);
  d->GetResult(3, &s, nullptr);
  EXPECT_EQ(s.Port, 0);
  EXPECT_EQ(s.BaudRate, 0);
  EXPECT_EQ(d->GetSetting(0), nullptr);
  EXPECT_EQ(d->GetTalkerFilter(-1), 0u);
  EXPECT_EQ(d->GetSentenceFilter(7), 0u);
  Add(*d, 20);
  const SNMEADetectorSetting* setting = d->GetSetting(0);
  ASSERT_NE(setting, nullptr);
  EXPECT_EQ(setting->Port, 20);
  EXPECT_EQ(setting->BaudRate, 4800);
  EXPECT_EQ(setting->DataBits, 8);
}

TEST(NMEADetector, ExportedTableInItsOrder) {
  TdObject* d = NMEADetectorCreate();
  ASSERT_NE(d, nullptr);
  const TdNMEADetectorTable* t = *reinterpret_cast<const TdNMEADetectorTable* const*>(d);
  EXPECT_EQ(t->GetListenTime(d), 3.0f);
  t->SetListenTime(d, 1.5f);
  EXPECT_EQ(t->GetListenTime(d), 1.5f);
  t->AddSetting(d, 7, 9600, 7, 2, 1, 2);
  t->AddTalkerFilter(d, kTalkerGP);
  t->AddSentenceFilter(d, kRMC);
  EXPECT_EQ(t->GetSettingCount(d), 1);
  const TdNMEADetectorSetting* s = t->GetSetting(d, 0);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->port, 7);
  EXPECT_EQ(s->baudRate, 9600);
  EXPECT_EQ(s->dataBits, 7);
  EXPECT_EQ(s->stopBits, 2);
  EXPECT_EQ(s->parity, 1);
  EXPECT_EQ(s->handshake, 2);
  EXPECT_EQ(t->GetTalkerFilterCount(d), 1);
  EXPECT_EQ(t->GetSentenceFilter(d, 0), kRMC);
  EXPECT_EQ(t->GetProgress(d), 0.0f);
  EXPECT_EQ(t->IsRunning(d), 0);
  EXPECT_EQ(t->IsStopped(d), 0);
  EXPECT_EQ(t->GetResultCount(d), 0);
  ObjectDelete(d);
}

}  // namespace
