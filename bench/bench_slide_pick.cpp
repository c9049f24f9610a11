// One slide pick over 100,000 pictures, against the floor of the file probes
// it makes: the same number of existence tests on the same paths alone.
#include <benchmark/benchmark.h>
#include <time.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/system_folders.h"
#include "fakes/fake_ports.h"
#include "ui/frm_main.h"
#include "ui/frm_tray.h"

namespace mvx {
namespace {

constexpr int kPictures = 100000;

// CPU time of this thread: the machines are shared, and waiting for a core
// is no part of either side of the ratio.
double ThreadNs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
}

// The fake file system with its existence probes counted.
class CountingFiles : public FilePort {
 public:
  explicit CountingFiles(FilePort& inner) : in_(inner) {}
  std::int64_t probes = 0;
  std::vector<std::string>* seen = nullptr;  // the probed paths, when set

  bool FileExists(const std::string& p) override {
    ++probes;
    if (seen != nullptr) seen->push_back(p);
    return in_.FileExists(p);
  }
  bool DirectoryExists(const std::string& p) override { return in_.DirectoryExists(p); }
  std::optional<std::int64_t> OpenedFileSize(const std::string& p) override { return in_.OpenedFileSize(p); }
  std::optional<std::uint32_t> LocalDosDateTime(const std::string& p) override { return in_.LocalDosDateTime(p); }
  Status ReadBlock(const std::string& p, ByteBlock& b) override { return in_.ReadBlock(p, b); }
  Status MapBlock(const std::string& p, ByteBlock& b) override { return in_.MapBlock(p, b); }
  Status ReadHead(const std::string& p, std::size_t n, std::string& b) override { return in_.ReadHead(p, n, b); }
  VolumeState ProbeVolume(const std::string& r) override { return in_.ProbeVolume(r); }
  bool OnFixedDrive(const std::string& p) override { return in_.OnFixedDrive(p); }
  Status Recycle(const std::string& p) override { return in_.Recycle(p); }
  Status CreateNew(const std::string& p, FileHandle& h) override { return in_.CreateNew(p, h); }
  Status Write(FileHandle h, std::string_view b) override { return in_.Write(h, b); }
  Status Flush(FileHandle h) override { return in_.Flush(h); }
  void Close(FileHandle h) override { in_.Close(h); }
  Status MoveReplace(const std::string& f, const std::string& t) override { return in_.MoveReplace(f, t); }
  Status Move(const std::string& f, const std::string& t) override { return in_.Move(f, t); }
  Status Copy(const std::string& f, const std::string& t, bool x) override { return in_.Copy(f, t, x); }
  Status Delete(const std::string& p) override { return in_.Delete(p); }
  Status MakeDirectory(const std::string& p) override { return in_.MakeDirectory(p); }
  Status ChangeDirectory(const std::string& p) override { return in_.ChangeDirectory(p); }
  std::string CurrentDirectory() override { return in_.CurrentDirectory(); }
  std::vector<std::string> FindFiles(const std::string& f, const std::string& p) override {
    return in_.FindFiles(f, p);
  }
  std::vector<std::string> FindFolders(const std::string& f) override { return in_.FindFolders(f); }
  void RetryPause(std::uint32_t ms) override { in_.RetryPause(ms); }

 private:
  FilePort& in_;
};

// The main window over fakes with an inventory of kPictures files, all on
// disk; only those for which `enabled` says so are enabled.
struct Bench {
  template <class Enabled>
  explicit Bench(Enabled enabled) {
    f.trace.listenerRunning = false;  // traces cost a lookup, as with no listener
    f.files.AddDir("C:\\Pics");
    std::vector<InventoryEntry> records;
    for (int i = 0; i < kPictures; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "pic%06d.bmp", i);
      f.files.Put(std::string("C:\\Pics\\") + name, "BM");
      InventoryEntry e;
      e.Enabled = enabled(i);
      e.FileName = e.LCFilename = name;
      e.Location = "C:\\Pics";
      e.LCLocation = "c:\\pics";
      paths.push_back(e.LCLocation + "\\" + e.LCFilename);
      records.push_back(std::move(e));
    }
    main.cdtData.CreateDataSet();
    main.cdtData.LoadRecords(std::move(records));
    main.cdtSlideShow.CloneCursor(main.cdtData);
    main.cdtInventory.CloneCursor(main.cdtData);
    main.chkAutoChange.SetChecked(false);
  }

  // Nanoseconds of one existence probe alone: the paths that warm-up picks
  // probed, in their order, probed again without the picks.
  double FloorNsPerProbe() {
    std::vector<std::string> order;
    files.seen = &order;
    std::string path;
    DisplayMode tile = DisplayMode::Tile;
    bool save = true;
    while (order.size() < 200000) main.GetNextSlideInfo(path, tile, save);
    files.seen = nullptr;
    const double start = ThreadNs();
    int found = 0;
    for (const std::string& p : order) found += f.files.FileExists(p) ? 1 : 0;
    benchmark::DoNotOptimize(found);
    return (ThreadNs() - start) / static_cast<double>(order.size());
  }

  fakes::FakePorts f;
  CountingFiles files{f.files};
  Ports ports{f.time,    f.time,   f.prompts, f.registry,   f.profile, files,     f.instance, f.trace,
              f.desktop, f.system, f.help,    f.notifyIcon, f.shell,   f.dialogs, f.pictures, f.watches, f.monitors,
              f.hotkeys};
  TApplication app{ports};
  SystemFolders folders = ComputeSystemFolders(f.system);
  TFrmTray tray{ports};
  TFrmMain main{ports, app, folders, tray};
  std::vector<std::string> paths;
};

void RunPicks(benchmark::State& state, Bench& b) {
  const double floorNs = b.FloorNsPerProbe();
  b.files.probes = 0;
  std::string path;
  DisplayMode tile = DisplayMode::Tile;
  bool save = true;
  std::int64_t picks = 0;
  const double start = ThreadNs();
  for (auto _ : state) {
    path.clear();
    b.main.GetNextSlideInfo(path, tile, save);
    benchmark::DoNotOptimize(path);
    ++picks;
  }
  const double spent = ThreadNs() - start;
  const double probesPerPick = static_cast<double>(b.files.probes) / static_cast<double>(picks);
  const double nsPerPick = spent / static_cast<double>(picks);
  state.counters["probes/pick"] = probesPerPick;
  state.counters["floor_ns/probe"] = floorNs;
  state.counters["ratio"] = nsPerPick / (probesPerPick * floorNs);
}

// In order, only the first picture enabled: each pick walks the whole list
// and wraps round to it.
void BM_SequentialPickWalksTheWholeList(benchmark::State& state) {
  Bench b([](int i) { return i == 0; });
  b.main.chkRandom.SetChecked(false);
  RunPicks(state, b);
}
BENCHMARK(BM_SequentialPickWalksTheWholeList)->Unit(benchmark::kMillisecond);

// At random, nothing enabled: 500 tries, then the round in order finds nothing.
void BM_RandomPickWithNothingQualifying(benchmark::State& state) {
  Bench b([](int) { return false; });
  RunPicks(state, b);
}
BENCHMARK(BM_RandomPickWithNothingQualifying)->Unit(benchmark::kMillisecond);

// At random, everything enabled: usually the first try is taken.
void BM_RandomPickEverythingEnabled(benchmark::State& state) {
  Bench b([](int) { return true; });
  RunPicks(state, b);
}
BENCHMARK(BM_RandomPickEverythingEnabled);

}  // namespace
}  // namespace mvx
