// How fast game data is read: fields of a large data file, and file look-ups through the
// case-insensitive resolver (every frame change resolves dozens of paths).
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "common/FieldReader.h"
#include "common/FileResolver.h"

namespace {

namespace fs = std::filesystem;

std::string FrameLikeText(int groups) {
  std::string text;
  for (int i = 0; i < groups; ++i) {
    text += "1,\"Hall_" + std::to_string(i) + ".jpg\",#FALSE#,#TRUE#,\"music.mid\"\r\n";
    text += "2.5,\"[last visited frame]\",-1234,\"|script| with, commas\",#NULL#\r\n";
  }
  return text;
}

void BM_ReadFields(benchmark::State& state) {
  const std::string text = FrameLikeText(static_cast<int>(state.range(0)));
  std::size_t fields = 0;
  for (auto _ : state) {
    tw::FieldReader reader(text);
    while (!reader.atEnd()) {
      benchmark::DoNotOptimize(reader.readAny());
      ++fields;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.counters["fields"] = benchmark::Counter(static_cast<double>(fields),
                                                benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReadFields)->Arg(100)->Arg(10000);

class Folder {
 public:
  explicit Folder(int files) {
    root_ = fs::temp_directory_path() / ("talewick-bench-" + std::to_string(::getpid()));
    fs::create_directories(root_ / "Frames");
    for (int i = 0; i < files; ++i) {
      std::ofstream(root_ / "Frames" / ("Frame" + std::to_string(i) + ".FME")) << "0";
    }
    // A game folder is old: the resolver trusts its cached listing only for folders that
    // have not changed in the last seconds.
    const auto past = fs::file_time_type::clock::now() - std::chrono::hours(1);
    fs::last_write_time(root_ / "Frames", past);
    fs::last_write_time(root_, past);
  }
  ~Folder() { fs::remove_all(root_); }
  std::string path() const { return root_.string(); }

 private:
  fs::path root_;
};

void BM_ResolveMixedCase(benchmark::State& state) {
  const int files = static_cast<int>(state.range(0));
  Folder folder(files);
  tw::FileResolver resolver;
  int i = 0;
  for (auto _ : state) {
    const std::string path =
        folder.path() + "\\frames\\frame" + std::to_string(i++ % files) + ".fme";
    if (!resolver.resolve(path)) {
      state.SkipWithError("an existing file was not found");
      return;
    }
  }
}
BENCHMARK(BM_ResolveMixedCase)->Arg(20)->Arg(2000)->Arg(10000);

// A look-up of a file that is not there (a hotspot without an item file, a picture stored
// under its coded name): answered from the cached listing of the folder.
void BM_ResolveMissing(benchmark::State& state) {
  const int files = static_cast<int>(state.range(0));
  Folder folder(files);
  tw::FileResolver resolver;
  int i = 0;
  for (auto _ : state) {
    const std::string path = folder.path() + "/Frames/Frame" + std::to_string(i++ % files) + ".lks";
    if (resolver.resolve(path)) {
      state.SkipWithError("a missing file was found");
      return;
    }
  }
  state.SetComplexityN(files);
}
BENCHMARK(BM_ResolveMissing)->Arg(100)->Arg(1000)->Arg(10000)->Complexity();

void BM_ListPattern(benchmark::State& state) {
  Folder folder(static_cast<int>(state.range(0)));
  tw::FileResolver resolver;
  for (auto _ : state) benchmark::DoNotOptimize(resolver.list(folder.path() + "/Frames", "*.fme"));
}
BENCHMARK(BM_ListPattern)->Arg(500)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
