// Replays a corpus without libFuzzer: every file of the folders (or the files) named on the command
// line goes once through the target's LLVMFuzzerTestOneInput. Builds with any compiler, so the
// ordinary test run proves the corpus on every build; a failed check aborts the process.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

int replayFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.string().c_str());
    return 1;
  }
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::uint8_t> data(bytes.size());
  std::transform(bytes.begin(), bytes.end(), data.begin(),
                 [](char c) { return static_cast<std::uint8_t>(c); });
  // An empty vector's data() may be null; libFuzzer always passes a valid pointer.
  const std::uint8_t none = 0;
  LLVMFuzzerTestOneInput(data.empty() ? &none : data.data(), data.size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::filesystem::path> files;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path arg(argv[i]);
    if (std::filesystem::is_directory(arg)) {
      for (const auto& entry : std::filesystem::directory_iterator(arg))
        if (entry.is_regular_file()) files.push_back(entry.path());
    } else {
      files.push_back(arg);
    }
  }
  std::sort(files.begin(), files.end());
  if (files.empty()) {
    std::fprintf(stderr, "no corpus files given\n");
    return 1;
  }
  int failures = 0;
  for (const auto& f : files) failures += replayFile(f);
  std::printf("replayed %zu corpus files\n", files.size() - static_cast<std::size_t>(failures));
  return failures == 0 ? 0 : 1;
}
