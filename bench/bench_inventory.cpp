#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/system_folders.h"
#include "fakes/fake_ports.h"
#include "inventory/dataset.h"
#include "ui/frm_main.h"
#include "ui/frm_tray.h"

namespace mvx {
namespace {

using Clock = std::chrono::steady_clock;

const char* const kImages = "C:\\Apps\\Murovex\\Images";

std::vector<InventoryEntry> MakeEntries(int count) {
  std::vector<InventoryEntry> entries(static_cast<std::size_t>(count));
  char name[32];
  for (int i = 0; i < count; ++i) {
    InventoryEntry& e = entries[static_cast<std::size_t>(i)];
    std::snprintf(name, sizeof name, "Picture%06d.bmp", i);
    e.FileName = name;
    e.Location = "C:\\Users\\Someone\\Pictures\\Wallpapers\\Set" + std::to_string(i % 50);
    e.LCFilename = "picture" + std::string(name + 7);
    e.LCLocation = "c:\\users\\someone\\pictures\\wallpapers\\set" + std::to_string(i % 50);
    e.Enabled = i % 3 != 0;
    e.Size = 1000 + i;
    e.Timestamp = 45000.0 + i / 1000.0;
  }
  return entries;
}

// The main window over fakes with its inventory open on `count` entries.
struct Window {
  explicit Window(int count) {
    fakes.files.AddDir(kImages);
    tray.FormCreate();
    main.SetDataDir(kImages);
    main.cdtData.CreateDataSet();
    main.LoadInventory();
    main.cdtData.LoadRecords(MakeEntries(count));
    main.cdtSlideShow.CloneCursor(main.cdtData);
    main.cdtInventory.CloneCursor(main.cdtData);
    main.SaveInventory();
  }
  std::string DataFile() const { return main.DataFilePath(); }
  fakes::FakePorts fakes;
  TApplication app{fakes.ports};
  SystemFolders folders = ComputeSystemFolders(fakes.system);
  TFrmTray tray{fakes.ports};
  TFrmMain main{fakes.ports, app, folders, tray};
};

double Seconds(Clock::time_point from) {
  return std::chrono::duration<double>(Clock::now() - from).count();
}

// Raw floor: create, write and close a file of the same size on the same fake.
double RawWrite(fakes::FakeFiles& files, const std::string& bytes) {
  const auto start = Clock::now();
  FileHandle h = 0;
  files.CreateNew(std::string(kImages) + "\\raw.bin", h);
  files.Write(h, bytes);
  files.Close(h);
  const double s = Seconds(start);
  files.Delete(std::string(kImages) + "\\raw.bin");
  return s;
}

void SaveInventory(benchmark::State& state) {
  Window w(static_cast<int>(state.range(0)));
  double real = 0, raw = 0;
  for (auto _ : state) {
    // A toggle, as the user makes one, so every save has new bytes to write.
    w.main.cdtData.First();
    w.main.cdtData.Edit();
    w.main.cdtData.EditFields().Enabled = !w.main.cdtData.Fields().Enabled;
    w.main.cdtData.Post();
    const auto start = Clock::now();
    w.main.SaveInventory();
    const double took = Seconds(start);
    real += took;
    raw += RawWrite(w.fakes.files, w.fakes.files.Content(w.DataFile()));
    state.SetIterationTime(took);
  }
  state.counters["bytes"] = static_cast<double>(w.fakes.files.Content(w.DataFile()).size());
  state.counters["ratio_to_raw"] = real / raw;
}
BENCHMARK(SaveInventory)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);

void LoadInventory(benchmark::State& state) {
  Window w(static_cast<int>(state.range(0)));
  double real = 0, raw = 0;
  for (auto _ : state) {
    w.main.cdtData.LoadRecords({});  // as at start-up: the table is empty before the load
    auto start = Clock::now();
    w.main.LoadInventory();
    const double took = Seconds(start);
    real += took;
    start = Clock::now();
    std::string bytes;
    w.fakes.files.ReadAll(w.DataFile(), bytes);
    benchmark::DoNotOptimize(bytes.data());
    raw += Seconds(start);
    state.SetIterationTime(took);
  }
  if (w.main.cdtData.RecordCount() != state.range(0)) state.SkipWithError("the list did not load");
  state.counters["ratio_to_raw"] = real / raw;
}
BENCHMARK(LoadInventory)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);

void FindKey(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  TClientDataSet data{"cdtData"};
  data.CreateDataSet();
  std::vector<InventoryEntry> entries = MakeEntries(count);
  data.LoadRecords(entries);
  std::mt19937 random(1);
  std::uniform_int_distribution<std::size_t> pick(0, entries.size() - 1);
  for (auto _ : state) {
    const InventoryEntry& e = entries[pick(random)];
    benchmark::DoNotOptimize(data.FindKey(e.LCFilename, e.LCLocation));
  }
}
BENCHMARK(FindKey)->Arg(1000)->Arg(100000);

void SetRecNo(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  TClientDataSet data{"cdtData"}, slides{"cdtSlideShow"};
  data.CreateDataSet();
  data.LoadRecords(MakeEntries(count));
  slides.CloneCursor(data);
  std::mt19937 random(1);
  std::uniform_int_distribution<int> pick(1, count);
  for (auto _ : state) {
    slides.SetRecNo(pick(random));
    benchmark::DoNotOptimize(slides.RecNo());
  }
}
BENCHMARK(SetRecNo)->Arg(1000)->Arg(100000);

// The record number after another position changed the order: a search, not a walk.
void RecNoAfterAChangeElsewhere(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  TClientDataSet data{"cdtData"}, slides{"cdtSlideShow"};
  data.CreateDataSet();
  data.LoadRecords(MakeEntries(count));
  slides.CloneCursor(data);
  slides.SetRecNo(count / 2);
  data.SetRecNo(count);
  for (auto _ : state) {
    data.Edit();
    data.EditFields().LCLocation = data.Fields().LCLocation == "a" ? "b" : "a";
    data.Post();
    benchmark::DoNotOptimize(slides.RecNo());
  }
}
BENCHMARK(RecNoAfterAChangeElsewhere)->Arg(1000)->Arg(100000);

}  // namespace
}  // namespace mvx
