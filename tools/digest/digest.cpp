// zr_digest: runs every exported operation over a fixed corpus and prints, per operation in the
// order of tools/operations.h, `Class::operation <64-bit hash> <calls>`. Every result bit goes into
// the hash: returned values, everything written through references and pointers (arguments changed
// in place included), container shapes, and the type and message of any exception.
//
//   zr_digest                    print the digest
//   zr_digest --check FILE       compare with a golden file; print the operations that differ
//   zr_digest --dump Class::op   print that operation's inputs and outputs call by call (%a)
//   zr_digest --threads N        run the digest on N threads at once; each must equal this one
//   zr_digest --golden FILE      print FILE with this platform's column brought up to date
//   zr_digest --times all        seconds per operation (or --times Class::op)
//
// Golden file: one line per operation, `Class::operation hash calls`, then, where this platform's
// C runtime makes the bits differ, `platform=hash` columns (x86_64, i386, aarch64, riscv64). An
// operation without a column for the running platform must match the first hash exactly.

#include <chrono>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <new>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "digest/corpus.h"

namespace {

using namespace zr_corpus;

#if defined(__x86_64__)
constexpr const char* kPlatform = "x86_64";
#elif defined(__i386__)
constexpr const char* kPlatform = "i386";
#elif defined(__aarch64__)
constexpr const char* kPlatform = "aarch64";
#elif defined(__riscv) && __riscv_xlen == 64
constexpr const char* kPlatform = "riscv64";
#else
constexpr const char* kPlatform = "other";
#endif

// ---- Folding ---------------------------------------------------------------------------------

/// Hashes a stream of 64-bit words; with a dump file, also prints what it folds.
class Sink {
 public:
  Sink(std::FILE* dump, bool fold) : dump_(dump), fold_(fold) {}
  void word(std::uint64_t w) {
    if (!fold_) return;
    std::uint64_t z = h_ ^ w;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    h_ = (z ^ (z >> 31)) + 0x9E3779B97F4A7C15ull;
  }
  void print(const char* text) {
    if (dump_) std::fputs(text, dump_);
  }
  /// One number in the dump, e.g. number("%a", x).
  template <class T>
  void number(const char* format, T value) {
    if (!dump_) return;
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    std::fputs(text, dump_);
  }
  std::uint64_t hash() const { return h_; }

 private:
  std::FILE* dump_;
  bool fold_;
  std::uint64_t h_ = 0x6A09E667F3BCC908ull;
};

constexpr std::uint64_t kTagFloat = 0xF1000000'00000000ull;
constexpr std::uint64_t kTagInt = 0x1D000000'00000000ull;
constexpr std::uint64_t kTagShape = 0x5A000000'00000000ull;
constexpr std::uint64_t kTagCall = 0xCA000000'00000000ull;
constexpr std::uint64_t kTagThrow = 0xE7000000'00000000ull;

// NaN results are folded as NaN-ness only: their sign and payload are not portable (they depend on
// the CPU and on how the compiler orders operands), so every NaN folds to one word. All other bits
// are folded as they are, so -0.0 and +0.0 differ, and so does every ulp.
void put(Sink& s, double d) {
  std::uint64_t u = 0x7FF8000000000000ull;
  if (!std::isnan(d)) std::memcpy(&u, &d, sizeof u);
  s.word(u);
  if (std::isnan(d))
    s.print("nan");
  else
    s.number("%a", d);
}
void put(Sink& s, float f) {
  std::uint32_t u = 0x7FC00000u;
  if (!std::isnan(f)) std::memcpy(&u, &f, sizeof u);
  s.word(kTagFloat | u);
  if (std::isnan(f))
    s.print("nan");
  else
    s.number("%af", static_cast<double>(f));
}
void put(Sink& s, int i) {
  s.word(kTagInt ^ static_cast<std::uint32_t>(i));
  s.number("%d", i);
}
void put(Sink& s, bool b) { put(s, b ? 1 : 0); }
void put(Sink& s, std::uint64_t u) {
  s.word(u);
  s.number("%" PRIu64, u);
}
void put(Sink& s, ZR::ChannelOrderEuler o) { put(s, static_cast<int>(o)); }

template <class T, class... Rest>
void fields(Sink& s, const T& first, const Rest&... rest) {
  s.print("{");
  put(s, first);
  ((s.print(", "), put(s, rest)), ...);
  s.print("}");
}
void put(Sink& s, const ZR::Point2F& p) { fields(s, p.x, p.y); }
void put(Sink& s, const ZR::Point2D& p) { fields(s, p.x, p.y); }
void put(Sink& s, const ZR::Point3D& p) { fields(s, p.x, p.y, p.z); }
void put(Sink& s, const ZR::QuaD& q) { fields(s, q.w, q.x, q.y, q.z); }
void put(Sink& s, const ZR::colorChannel& p) { fields(s, p.red, p.green, p.blue); }
void put(Sink& s, const Mat3& a) {
  s.print("{");
  for (int i = 0; i < 3; ++i) {
    s.print(i ? ", " : "");
    fields(s, a.m[i][0], a.m[i][1], a.m[i][2]);
  }
  s.print("}");
}

template <class T>
void put(Sink& s, const std::vector<T>& v) {
  s.word(kTagShape ^ static_cast<std::uint64_t>(v.size()));
  s.print("[");
  for (std::size_t i = 0; i < v.size(); ++i) {
    s.print(i ? ", " : "");
    put(s, v[i]);
  }
  s.print("]");
}
void put(Sink& s, const Flat& a) { put(s, a.v); }

void failure(Sink& s, std::uint64_t kind, const char* name, const char* message) {
  s.word(kTagThrow ^ kind);
  s.print("throws ");
  s.print(name);
  if (!message) return;
  const std::size_t n = std::strlen(message);
  s.word(kTagShape ^ n);
  for (std::size_t i = 0; i < n; ++i) s.word(static_cast<unsigned char>(message[i]));
  s.print("(\"");
  s.print(message);
  s.print("\")");
}

// ---- Running one operation ------------------------------------------------------------------------

struct OpResult {
  std::uint64_t hash;
  int calls;
};

template <class P, class S>
void generateOne(Corpus& c, S& s) {
  if constexpr (isOutput<P>)
    prepare(c, s);
  else
    make(c, s);
}
template <class... P, class Args, std::size_t... I>
void generate(Corpus& c, Args& a, std::index_sequence<I...>) {
  (generateOne<P>(c, std::get<I>(a)), ...);
}

template <class... P, class Args, std::size_t... I>
void putAll(Sink& s, const Args& a, std::index_sequence<I...>) {
  ((s.print(I ? ", " : ""), put(s, std::get<I>(a))), ...);
}

template <class P, class S>
void putWritten(Sink& s, const S& v, std::size_t i) {
  if constexpr (isWritten<P>) {
    s.number("\n  arg %u: ", static_cast<unsigned>(i));
    put(s, v);
  }
}
template <class... P, class Args, std::size_t... I>
void putAllWritten(Sink& s, const Args& a, std::index_sequence<I...>) {
  (putWritten<P>(s, std::get<I>(a), I), ...);
}

template <auto F, class C, class R, class... P>
OpResult runOp(const char* name, std::FILE* dump, R (C::*)(P...)) {
  using Args = std::tuple<Store<P>...>;
  using Couple = Coupling<F>;
  const auto seq = std::index_sequence_for<P...>{};
  Gen g(seedOf(name));
  Sink sink(dump, true);
  for (int call = 0; call < Couple::calls; ++call) {
    Corpus c{g};
    Args args;
    generate<P...>(c, args, seq);
    Couple::adjust(c, args);
    if (dump) {
      std::fprintf(dump, "%s #%d\n  in: ", name, call);
      Sink quiet(dump, false);
      putAll<P...>(quiet, args, seq);
      std::fprintf(dump, "\n  out: ");
    }
    sink.word(kTagCall);
    C object;
    try {
      auto invoke = [&object](auto&... s) -> R { return (object.*F)(pass(s)...); };
      if constexpr (std::is_void_v<R>) {
        std::apply(invoke, args);
        sink.print("returns");
      } else {
        const R r = std::apply(invoke, args);
        sink.print("returns ");
        put(sink, r);
      }
    } catch (const std::length_error& e) {
      failure(sink, 1, "length_error", e.what());
    } catch (const std::out_of_range& e) {
      failure(sink, 2, "out_of_range", e.what());
    } catch (const std::bad_alloc&) {
      failure(sink, 3, "bad_alloc", nullptr);  // the message belongs to the standard library
    } catch (const std::exception& e) {
      failure(sink, 4, "exception", e.what());
    } catch (...) {
      failure(sink, 5, "something", nullptr);
    }
    putAllWritten<P...>(sink, args, seq);
    if (dump) std::fprintf(dump, "\n");
  }
  return {sink.hash(), Couple::calls};
}

struct Op {
  const char* name;
  OpResult (*run)(std::FILE* dump);
};

#define ZR_DIGEST_ROW(cls, op)                                                                    \
  Op{#cls "::" #op, [](std::FILE* dump) { return runOp<&ZR::cls::op>(#cls "::" #op, dump, &ZR::cls::op); }},
const Op kOps[] = {ZR_OPERATIONS(ZR_DIGEST_ROW)};
#undef ZR_DIGEST_ROW
constexpr std::size_t kOpCount = sizeof kOps / sizeof kOps[0];

/// The whole digest, computed starting at operation `first` (results kept in table order).
std::vector<OpResult> digest(std::size_t first = 0) {
  std::vector<OpResult> out(kOpCount);
  for (std::size_t k = 0; k < kOpCount; ++k) {
    const std::size_t i = (first + k) % kOpCount;
    out[i] = kOps[i].run(nullptr);
  }
  return out;
}

std::string hex(std::uint64_t h) {
  char buf[17];
  std::snprintf(buf, sizeof buf, "%016" PRIx64, h);
  return buf;
}

// ---- Golden file -----------------------------------------------------------------------------------

struct GoldenLine {
  std::string name;
  std::string hash;
  int calls = 0;
  std::vector<std::pair<std::string, std::string>> platforms;  // platform, hash

  /// The hash this platform must give.
  const std::string& expected() const {
    for (const auto& p : platforms)
      if (p.first == kPlatform) return p.second;
    return hash;
  }
};

bool readGolden(const char* path, std::vector<GoldenLine>& lines) {
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "zr_digest: cannot read %s\n", path);
    return false;
  }
  std::string text;
  while (std::getline(in, text)) {
    if (text.empty() || text[0] == '#') continue;
    std::istringstream fields(text);
    GoldenLine line;
    fields >> line.name >> line.hash >> line.calls;
    std::string column;
    while (fields >> column) {
      const std::size_t eq = column.find('=');
      if (eq != std::string::npos) line.platforms.emplace_back(column.substr(0, eq), column.substr(eq + 1));
    }
    lines.push_back(line);
  }
  return true;
}

const GoldenLine* find(const std::vector<GoldenLine>& lines, const char* name) {
  for (const auto& l : lines)
    if (l.name == name) return &l;
  return nullptr;
}

int check(const char* path) {
  std::vector<GoldenLine> golden;
  if (!readGolden(path, golden)) return 2;
  const std::vector<OpResult> got = digest();
  int differ = 0;
  for (std::size_t i = 0; i < kOpCount; ++i) {
    const GoldenLine* g = find(golden, kOps[i].name);
    if (!g) {
      std::printf("%s: not in %s\n", kOps[i].name, path);
      ++differ;
      continue;
    }
    if (g->expected() != hex(got[i].hash) || g->calls != got[i].calls) {
      std::printf("%s: %s %d, expected %s %d (%s)\n", kOps[i].name, hex(got[i].hash).c_str(), got[i].calls,
                  g->expected().c_str(), g->calls, kPlatform);
      ++differ;
    }
  }
  for (const auto& g : golden) {
    bool known = false;
    for (const Op& op : kOps) known = known || g.name == op.name;
    if (!known) {
      std::printf("%s: in %s but not an operation\n", g.name.c_str(), path);
      ++differ;
    }
  }
  std::printf("%d of %zu operations differ from %s (%s)\n", differ, kOpCount, path, kPlatform);
  return differ ? 1 : 0;
}

/// Prints the golden file with this platform's column set where the bits differ from the first
/// column (and dropped where they agree); operations new to the file get a first column.
int golden(const char* path) {
  std::vector<GoldenLine> lines;
  if (!readGolden(path, lines)) return 2;
  const std::vector<OpResult> got = digest();
  std::printf(
      "# zr_digest golden file: Class::operation hash calls [platform=hash ...]. The first hash\n"
      "# holds on every platform without a column of its own for the operation.\n");
  for (std::size_t i = 0; i < kOpCount; ++i) {
    const GoldenLine* old = find(lines, kOps[i].name);
    GoldenLine l = old ? *old : GoldenLine{kOps[i].name, hex(got[i].hash), got[i].calls, {}};
    std::vector<std::pair<std::string, std::string>> platforms;
    for (const auto& p : l.platforms)
      if (p.first != kPlatform) platforms.push_back(p);
    if (hex(got[i].hash) != l.hash) platforms.emplace_back(kPlatform, hex(got[i].hash));
    std::printf("%s %s %d", l.name.c_str(), l.hash.c_str(), l.calls);
    for (const auto& p : platforms) std::printf(" %s=%s", p.first.c_str(), p.second.c_str());
    std::printf("\n");
  }
  return 0;
}

int threads(int n) {
  const std::vector<OpResult> expected = digest();
  std::vector<std::vector<OpResult>> got(static_cast<std::size_t>(n));
  std::vector<std::thread> pool;
  // Each thread starts at a different operation, so different families overlap in time.
  for (int t = 0; t < n; ++t)
    pool.emplace_back([t, n, &got] {
      got[static_cast<std::size_t>(t)] = digest(static_cast<std::size_t>(t) * kOpCount / static_cast<std::size_t>(n));
    });
  for (auto& th : pool) th.join();
  int differ = 0;
  for (int t = 0; t < n; ++t)
    for (std::size_t i = 0; i < kOpCount; ++i)
      if (got[static_cast<std::size_t>(t)][i].hash != expected[i].hash) {
        std::printf("%s: thread %d gives %s, one thread %s\n", kOps[i].name, t,
                    hex(got[static_cast<std::size_t>(t)][i].hash).c_str(), hex(expected[i].hash).c_str());
        ++differ;
      }
  std::printf("%d threads: %d differences from the single-threaded digest\n", n, differ);
  return differ ? 1 : 0;
}

int usage() {
  std::fprintf(stderr,
               "usage: zr_digest [--check FILE | --golden FILE | --dump Class::operation | --threads N |\n"
               "                  --times all|Class::operation]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 1) {
    const std::vector<OpResult> got = digest();
    for (std::size_t i = 0; i < kOpCount; ++i)
      std::printf("%s %s %d\n", kOps[i].name, hex(got[i].hash).c_str(), got[i].calls);
    return 0;
  }
  if (argc != 3) return usage();
  const std::string option = argv[1];
  if (option == "--check") return check(argv[2]);
  if (option == "--golden") return golden(argv[2]);
  if (option == "--times") {
    // Seconds per operation, slowest first is left to sort(1): to keep the corpus sizes sane.
    for (const Op& op : kOps)
      if (argv[2] == std::string("all") || op.name == std::string(argv[2])) {
        const auto start = std::chrono::steady_clock::now();
        op.run(nullptr);
        const std::chrono::duration<double> t = std::chrono::steady_clock::now() - start;
        std::printf("%s %.4f\n", op.name, t.count());
      }
    return 0;
  }
  if (option == "--threads") {
    const int n = std::atoi(argv[2]);
    return n >= 1 && n <= 64 ? threads(n) : usage();
  }
  if (option == "--dump") {
    for (const Op& op : kOps)
      if (op.name == std::string(argv[2])) {
        const OpResult r = op.run(stdout);
        std::printf("%s %s %d\n", op.name, hex(r.hash).c_str(), r.calls);
        return 0;
      }
    std::fprintf(stderr, "zr_digest: no operation %s\n", argv[2]);
    return 2;
  }
  return usage();
}
