// The random slideshow's pick over 100,000 pictures dealt from the shuffled
// deck, against the floor of the one write a pick must make: the position
// file's bytes written through the same atomic writer. The deck file itself
// must not be written by a pick, only when a round is shuffled.
#include <benchmark/benchmark.h>
#include <time.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/atomic_file.h"
#include "app/system_folders.h"
#include "control/shuffle_deck.h"
#include "fakes/fake_ports.h"
#include "ui/frm_main.h"
#include "ui/frm_tray.h"

namespace mvx {
namespace {

constexpr int kPictures = 100000;
constexpr const char* kData = "C:\\Apps\\Murovex\\Images";

double ThreadNs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
}

struct DeckBench {
  DeckBench() {
    f.trace.listenerRunning = false;
    f.files.AddDir("C:\\Pics");
    f.files.AddDir(kData);
    std::vector<InventoryEntry> records;
    for (int i = 0; i < kPictures; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "pic%06d.bmp", i);
      f.files.Put(std::string("C:\\Pics\\") + name, "BM");
      InventoryEntry e;
      e.Enabled = true;
      e.FileName = e.LCFilename = name;
      e.Location = "C:\\Pics";
      e.LCLocation = "c:\\pics";
      records.push_back(std::move(e));
    }
    main.SetDataDir(kData);
    main.cdtData.CreateDataSet();
    main.cdtData.LoadRecords(std::move(records));
    main.cdtSlideShow.CloneCursor(main.cdtData);
    main.cdtInventory.CloneCursor(main.cdtData);
    main.chkAutoChange.SetChecked(false);
    f.files.onFileArrived = [this](const std::string& path) { ++arrivals[path]; };
  }
  std::string Pick() {
    std::string path;
    DisplayMode mode = DisplayMode::Tile;
    bool save = true;
    main.GetNextSlideInfo(path, mode, save);
    return path;
  }
  std::string DataPath(const char* name) const { return std::string(kData) + "\\" + name; }

  fakes::FakePorts f;
  TApplication app{f.ports};
  SystemFolders folders = ComputeSystemFolders(f.system);
  TFrmTray tray{f.ports};
  TFrmMain main{f.ports, app, folders, tray};
  std::map<std::string, int> arrivals;
};

// Picks within one round (the first pick, which shuffles, is made before).
void BM_DeckPickAt100000Pictures(benchmark::State& state) {
  DeckBench b;
  const double shuffleStart = ThreadNs();
  b.Pick();
  const double shuffleNs = ThreadNs() - shuffleStart;
  const int deckWritesBefore = b.arrivals[b.DataPath(ShuffleDeck::kDeckName)];

  // The floor: the position file's bytes written atomically, as often.
  const std::string positionBytes = b.f.files.Content(b.DataPath(ShuffleDeck::kPositionName));
  const double floorStart = ThreadNs();
  constexpr int kFloorWrites = 2000;
  for (int i = 0; i < kFloorWrites; ++i) {
    WriteFileAtomically(b.f.files, b.DataPath("floor.txt"), positionBytes + std::to_string(i));
  }
  const double floorNs = (ThreadNs() - floorStart) / kFloorWrites;

  std::int64_t picks = 0;
  const double start = ThreadNs();
  for (auto _ : state) {
    benchmark::DoNotOptimize(b.Pick());
    ++picks;
  }
  const double nsPerPick = (ThreadNs() - start) / static_cast<double>(picks);
  state.counters["floor_ns/write"] = floorNs;
  state.counters["ratio"] = nsPerPick / floorNs;
  state.counters["shuffle_ms"] = shuffleNs / 1e6;
  state.counters["deck_writes/pick"] =
      static_cast<double>(b.arrivals[b.DataPath(ShuffleDeck::kDeckName)] - deckWritesBefore) /
      static_cast<double>(picks);
  state.counters["deck_kB"] = static_cast<double>(b.f.files.Content(b.DataPath(ShuffleDeck::kDeckName)).size()) / 1e3;
}
BENCHMARK(BM_DeckPickAt100000Pictures)->Iterations(5000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace mvx
