// Figures for the file tools over generated trees, beside find and cp doing the same work.
// Each figure is also given per file, which should stay flat as a folder grows.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "system/FileTools.h"
#include "system/HostSettings.h"
#include "system/UserDialogs.h"

namespace {

namespace fs = std::filesystem;

// Counts "Error copying directory" boxes instead of waiting for a user.
class CountingDialogs final : public UserDialogs::Service {
 public:
  int boxes = 0;
  UserDialogs::Answer Message(const std::string&, const std::string&, UserDialogs::Icon,
                              UserDialogs::Buttons, UserDialogs::Question) override {
    ++boxes;
    return UserDialogs::Answer::Ok;
  }
  std::string PickFolder(const std::string&, UserDialogs::Question) override { return {}; }
  void OpenInShell(const std::string&) override {}
};

struct Tree {
  std::string name;    // folder below the drive root
  int files = 0;       // regular files in it, at any depth
  bool flat = false;   // all files in the one folder
  std::string native;  // its POSIX path
  std::string windows() const { return "C:\\" + name; }
};

void WriteSmallFile(const std::string& path, int number) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return;
  const std::string text = "inventory " + std::to_string(number) + "\n";
  if (write(fd, text.data(), text.size()) < 0) std::perror(path.c_str());
  close(fd);
}

void MakeFlat(const Tree& tree) {
  fs::create_directories(tree.native);
  for (int i = 0; i < tree.files; ++i)
    WriteSmallFile(tree.native + "/FILE" + std::to_string(i) + ".W98", i);
}

// Three levels: 10 folders of 10 folders, each holding files / 100.
void MakeDeep(const Tree& tree) {
  int number = 0;
  for (int a = 0; a < 10; ++a) {
    for (int b = 0; b < 10; ++b) {
      const std::string folder =
          tree.native + "/Level" + std::to_string(a) + "/Sub" + std::to_string(b);
      fs::create_directories(folder);
      for (int i = 0; i < tree.files / 100; ++i)
        WriteSmallFile(folder + "/file" + std::to_string(i) + ".bm", number++);
    }
  }
}

// Seconds per file, printed as a per-file time.
benchmark::Counter PerFile(int files) {
  return benchmark::Counter(files, benchmark::Counter::kIsIterationInvariantRate |
                                       benchmark::Counter::kInvert);
}

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

void RunShell(benchmark::State& state, const std::string& command) {
  if (std::system(command.c_str()) != 0) state.SkipWithError(("failed: " + command).c_str());
}

void Register(const Tree& tree, const std::string& root, CountingDialogs& dialogs) {
  const std::string suffix = "/" + tree.name;
  benchmark::RegisterBenchmark(("CountFiles" + suffix).c_str(), [tree](benchmark::State& state) {
    for (auto _ : state) {
      if (FileTools::CountFiles(tree.windows(), true) != tree.files)
        state.SkipWithError("wrong count");
    }
    state.counters["per_file"] = PerFile(tree.files);
  })->Unit(benchmark::kMillisecond)->UseRealTime();

  benchmark::RegisterBenchmark(("find|wc" + suffix).c_str(), [tree](benchmark::State& state) {
    const std::string command = "find " + Quoted(tree.native) + " -type f | wc -l >/dev/null";
    for (auto _ : state) RunShell(state, command);
    state.counters["per_file"] = PerFile(tree.files);
  })->Unit(benchmark::kMillisecond)->UseRealTime();

  if (tree.flat) {
    benchmark::RegisterBenchmark(
        ("ListVisible+FileExists" + suffix).c_str(), [tree](benchmark::State& state) {
          for (auto _ : state) {
            const auto entries =
                FileTools::ListVisible(tree.windows() + "\\*.*", FileTools::Mask::Files);
            int found = 0;
            for (const auto& entry : entries)
              found += FileTools::FileExists(tree.windows() + "\\" + entry.name);
            if (found != tree.files) state.SkipWithError("a listed file was not found");
          }
          state.counters["per_file"] = PerFile(tree.files);
        })->Unit(benchmark::kMillisecond)->UseRealTime();
  }

  benchmark::RegisterBenchmark(
      ("CopyFolder" + suffix).c_str(), [tree, root, &dialogs](benchmark::State& state) {
        int copy = 0;
        for (auto _ : state) {
          const std::string name = "copy-" + tree.name + "-" + std::to_string(copy++);
          FileTools::CopyFolder(tree.windows(), "C:\\" + name);
          state.PauseTiming();
          std::error_code ignored;
          fs::remove_all(root + "/" + name, ignored);
          state.ResumeTiming();
        }
        if (dialogs.boxes) state.SkipWithError("the copy showed an error box");
        state.counters["per_file"] = PerFile(tree.files);
      })->Unit(benchmark::kMillisecond)->UseRealTime();

  benchmark::RegisterBenchmark(("cp -r" + suffix).c_str(), [tree, root](benchmark::State& state) {
    const std::string target = root + "/cp-" + tree.name;
    const std::string command =
        "cp -r --preserve=timestamps " + Quoted(tree.native) + " " + Quoted(target);
    for (auto _ : state) {
      RunShell(state, command);
      state.PauseTiming();
      std::error_code ignored;
      fs::remove_all(target, ignored);
      state.ResumeTiming();
    }
    state.counters["per_file"] = PerFile(tree.files);
  })->Unit(benchmark::kMillisecond)->UseRealTime();
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  std::string pattern = (fs::temp_directory_path() / "quillfen-bench-XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    std::perror("mkdtemp");
    return 1;
  }
  const std::string root = pattern;
  HostSettings::Use({.drives = "C=" + root});
  CountingDialogs dialogs;
  UserDialogs::Scope scope(dialogs);

  std::vector<Tree> trees = {{"flat2k", 2000, true, root + "/flat2k"},
                             {"flat20k", 20000, true, root + "/flat20k"},
                             {"deep20k", 20000, false, root + "/deep20k"}};
  for (const Tree& tree : trees) {
    if (tree.flat)
      MakeFlat(tree);
    else
      MakeDeep(tree);
    Register(tree, root, dialogs);
  }

  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ignored;
  fs::remove_all(root, ignored);
  return 0;
}
