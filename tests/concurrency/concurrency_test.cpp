// Every family called from several threads at once, each thread on its own data: the library has
// no shared state, so every result must equal, bit for bit, the one computed on a single thread.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "zr/zr.h"

namespace {

// A job's results as raw bit patterns, so NaN and −0.0 compare exactly.
class Digest {
 public:
  void add(double d) {
    std::uint64_t u;
    std::memcpy(&u, &d, sizeof u);
    bits_.push_back(u);
  }
  void add(int i) { bits_.push_back(static_cast<std::uint64_t>(static_cast<std::int64_t>(i))); }
  void add(const ZR::Point3D& p) {
    add(p.x);
    add(p.y);
    add(p.z);
  }
  void add(const ZR::QuaD& q) {
    add(q.w);
    add(q.x);
    add(q.y);
    add(q.z);
  }
  template <class T>
  void add(const std::vector<T>& v) {
    add(static_cast<int>(v.size()));
    for (const auto& e : v) add(e);
  }
  const std::vector<std::uint64_t>& bits() const { return bits_; }

 private:
  std::vector<std::uint64_t> bits_;
};

// Input data from a seed, the same on every build (doubles are made from mt19937's integers).
class Data {
 public:
  explicit Data(std::uint32_t seed) : gen_(seed) {}
  double real() { return static_cast<double>(static_cast<std::int32_t>(gen_())) / 65536.0; }
  int integer(int lo, int hi) {
    return lo + static_cast<int>(gen_() % static_cast<std::uint32_t>(hi - lo + 1));
  }
  ZR::Point3D point() {
    const double x = real();
    const double y = real();
    return ZR::Point3D{x, y, real()};
  }
  std::vector<double> reals(std::size_t n) {
    std::vector<double> v(n);
    for (double& e : v) e = real();
    return v;
  }
  std::vector<std::vector<double>> matrix(std::size_t r, std::size_t c) {
    std::vector<std::vector<double>> m(r);
    for (auto& row : m) row = reals(c);
    return m;
  }

 private:
  std::mt19937 gen_;
};

using Job = Digest (*)(std::uint32_t seed);

Digest vectorJob(std::uint32_t seed) {
  Data d(seed);
  ZR::mathCommon m;
  Digest out;
  for (int i = 0; i < 50; ++i) {
    const ZR::Point3D a = d.point();
    const ZR::Point3D b = d.point();
    out.add(m.eucDistancePoint22(ZR::Point2F{static_cast<float>(a.x), static_cast<float>(a.y)},
                                 ZR::Point2F{static_cast<float>(b.x), static_cast<float>(b.y)}));
    out.add(m.eucDistancePoint33(a, b));
    out.add(m.vector3Norm(a));
    out.add(m.vectorNorm1(d.reals(7)));
    out.add(m.vector3NormSquare(b));
    ZR::Point3D u{};
    m.vectorUnitize(a, u);
    out.add(u);
    out.add(m.vector3AngleRadian(a, b));
    out.add(m.vector3AngleDegree(a, b));
    out.add(m.cos3Vector(a, b));
    out.add(m.dotProduct3(a, b));
    m.crossVector3(a, b, u);
    out.add(u);
  }
  return out;
}

Digest matrixJob(std::uint32_t seed) {
  Data d(seed);
  ZR::mathMatrix m;
  Digest out;
  for (int round = 0; round < 4; ++round) {
    const int r = d.integer(1, 5);
    const int c = d.integer(1, 5);
    std::vector<double> a = d.reals(static_cast<std::size_t>(r * c));
    std::vector<double> t(a.size());
    m.rotateMat(a.data(), t.data(), r, c);
    out.add(t);
    std::vector<double> p(static_cast<std::size_t>(r * r));
    m.matrixMulmats(a.data(), t.data(), p.data(), r, c, r);
    out.add(p);
    out.add(m.traceMat(p.data(), r));
    out.add(m.detMatrix(p.data(), r, r));
    m.invMat(p.data(), r);
    out.add(p);

    const auto x = d.matrix(static_cast<std::size_t>(r + 1), static_cast<std::size_t>(c));
    out.add(m.prod(x));
    out.add(m.corr2(x, d.matrix(static_cast<std::size_t>(r + 1), static_cast<std::size_t>(c))));
    out.add(m.cov(x));
    std::vector<std::vector<double>> rows;
    m.dataCenter(x, rows);
    m.zscore(x, rows);
    m.fiplr(x, rows);
    m.hilb(r, rows);
    m.vander(d.reals(4), rows);
    m.toeplitz(d.reals(3), rows);
    out.add(rows);
    std::vector<std::vector<int>> ints;
    m.ones(r, c, ints);
    m.pascal2(r + 12, ints);
    out.add(ints);
    ints.clear();
    m.zeros(r, c, ints);
    out.add(ints);

    std::vector<std::vector<float>> f(static_cast<std::size_t>(r),
                                      std::vector<float>(static_cast<std::size_t>(r)));
    for (auto& row : f)
      for (float& e : row) e = static_cast<float>(d.real());
    std::vector<std::vector<float>> g = f;
    m.fipud(f, g);
    out.add(g);
    m.tril(f, g);
    out.add(g);
    m.triu(f, g);
    out.add(g);
    m.rot90(f, g);
    out.add(g);
  }
  return out;
}

Digest rotationJob(std::uint32_t seed) {
  Data d(seed);
  ZR::mathCommon m;
  Digest out;
  for (int i = 0; i < 30; ++i) {
    const ZR::QuaD q{d.real(), d.real(), d.real(), d.real()};
    const ZR::QuaD p{d.real(), d.real(), d.real(), d.real()};
    ZR::QuaD r{};
    m.quaMulti(q, p, r);
    out.add(r);
    m.quaInv(q, r);
    out.add(r);
    m.quaIdentity(p, r);
    out.add(r);
    double mat[3][3];
    m.qua2RMatrix(q, mat);
    for (const auto& row : mat)
      for (const double e : row) out.add(e);
    m.rotation2Qua(r, mat);
    out.add(r);
    double angles[3] = {d.real() / 1000.0, d.real() / 1000.0, d.real() / 1000.0};
    const auto order = static_cast<ZR::ChannelOrderEuler>(i % 6);
    m.euler2QuaRadian(angles, order, r);
    out.add(r);
    m.euler2QuaDegree(angles, order, r);
    out.add(r);
    m.qua2EulRadian(q, order, angles);
    m.rotm2EulDegree(mat, order, angles);
    for (const double e : angles) out.add(e);
    double v[3];
    m.rotm2RodVector(mat, v);
    m.rodVector2Rotm(v, mat);
    for (const auto& row : mat)
      for (const double e : row) out.add(e);
    double angle = 0.0;
    m.qua2AngleAxis(r, angle, v);
    out.add(angle);
  }
  return out;
}

Digest statisticsJob(std::uint32_t seed) {
  Data d(seed);
  ZR::statisticsMath s;
  Digest out;
  for (int i = 0; i < 20; ++i) {
    const std::vector<double> x = d.reals(static_cast<std::size_t>(d.integer(0, 40)));
    double r = 0.0;
    s.mean(x, r);
    out.add(r);
    s.var(x, r);
    out.add(r);
    s.std(x, r);
    out.add(r);
    std::vector<double> pdf;
    const double mu = d.real();
    const double sigma = d.real();
    s.normalpdf(x, mu, sigma, pdf);
    out.add(pdf);
    out.add(s.median(d.matrix(3, 5), 2));
  }
  return out;
}

Digest svdJob(std::uint32_t seed) {
  Data d(seed);
  ZR::SVD svd;
  Digest out;
  for (int i = 0; i < 6; ++i) {
    const auto a =
        d.matrix(static_cast<std::size_t>(d.integer(2, 6)), static_cast<std::size_t>(d.integer(2, 6)));
    std::vector<std::vector<double>> u, s, v;
    svd.compute(a, u, s, v);
    out.add(u);
    out.add(s);
    out.add(v);
  }
  return out;
}

Digest graphJob(std::uint32_t seed) {
  Data d(seed);
  ZR::Graph g;
  Digest out;
  for (int i = 0; i < 4; ++i) {
    std::vector<int> x(static_cast<std::size_t>(d.integer(4, 8))), y(x.size());
    for (std::size_t k = 0; k < x.size(); ++k) {
      x[k] = d.integer(-100, 100);
      y[k] = d.integer(-100, 100);
    }
    std::vector<std::vector<double>> curve;
    g.bezier_n(x, y, 0, curve);
    g.bezier_1(x, y, 0, curve);
    g.bezier_2(x, y, 0, curve);
    g.bezier_3(x, y, 0, curve);
    out.add(curve);
    std::vector<std::vector<int>> pts(static_cast<std::size_t>(d.integer(4, 300)));
    for (auto& q : pts) q = {d.integer(-50, 50), d.integer(-50, 50)};
    out.add(g.convexHullJarvis(pts));
    out.add(g.convexHullDivideConquer(pts));
    out.add(g.convexHullGraham(pts));
  }
  return out;
}

Digest imageJob(std::uint32_t seed) {
  Data d(seed);
  ZR::imageProcessing ip;
  Digest out;
  for (int i = 0; i < 3; ++i) {
    const auto rows = static_cast<std::size_t>(d.integer(3, 24));
    const auto cols = static_cast<std::size_t>(d.integer(3, 24));
    std::vector<std::vector<ZR::colorChannel>> colour(rows, std::vector<ZR::colorChannel>(cols));
    for (auto& row : colour)
      for (auto& px : row) px = {d.integer(0, 255), d.integer(0, 255), d.integer(0, 255)};
    std::vector<std::vector<int>> gray, gx, gy, mag, dir, bin, opened;
    ip.rgbImage2Grayscale(colour, gray);
    ip.canny(gray, gx, gy, mag, dir);
    ip.imageBinaryzation(gray, bin);
    ip.imageopen(bin, opened);
    for (const auto* img : {&gray, &gx, &gy, &mag, &dir, &bin, &opened}) out.add(*img);
    std::vector<std::vector<double>> filtered;
    ip.boxFilter(gray, 3, true, filtered);
    out.add(filtered);
    out.add(ip.getGaussianKernel(d.integer(1, 9), 0.5 + d.integer(0, 8), true));
  }
  return out;
}

Digest elementaryJob(std::uint32_t seed) {
  Data d(seed);
  ZR::foundationMath f;
  ZR::TrigonometricFunctionMath t;
  ZR::geometryMath geo;
  ZR::caculusMath c;
  ZR::convolutionMath cv;
  Digest out;
  for (int i = 0; i < 20; ++i) {
    const double x = d.real() / 8192.0;
    for (double (ZR::TrigonometricFunctionMath::*fn)(double) :
         {&ZR::TrigonometricFunctionMath::sin, &ZR::TrigonometricFunctionMath::cos,
          &ZR::TrigonometricFunctionMath::tand, &ZR::TrigonometricFunctionMath::asin,
          &ZR::TrigonometricFunctionMath::acsch})
      out.add((t.*fn)(x));
    const int a = d.integer(-100000, 100000), b = d.integer(1, 1000);
    out.add(f.rem(a, b));
    out.add(f.gcd(a, b));
    out.add(f.lcm(a, b));
    out.add(f.factor(a));
    out.add(f.factorial(b % 200));
    ZR::Point2D p{};
    f.cart2pol({x, d.real()}, p);
    out.add(p.x);
    geo.circumCenter({d.real(), d.real()}, {d.real(), d.real()}, {d.real(), d.real()}, p);
    out.add(p.y);
    const std::vector<double> poly = d.reals(5);
    out.add(c.polyint(poly, d.reals(2)));
    out.add(c.polyder(poly));
    std::vector<double> w;
    cv.conv(poly, d.reals(7), w);
    out.add(w);
    std::vector<std::vector<double>> m;
    cv.conv2(d.matrix(3, 4), d.matrix(2, 3), m);
    out.add(m);
  }
  return out;
}

struct NamedJob {
  const char* name;
  Job run;
};

const std::vector<NamedJob>& jobs() {
  static const std::vector<NamedJob> all = {
      {"mathCommon vectors", vectorJob},
      {"mathCommon rotations", rotationJob},
      {"mathMatrix", matrixJob},
      {"statisticsMath", statisticsJob},
      {"SVD", svdJob},
      {"Graph", graphJob},
      {"imageProcessing", imageJob},
      {"elementary", elementaryJob},
  };
  return all;
}

TEST(Concurrency, EveryFamilyFromManyThreadsGivesTheSingleThreadedBits) {
  constexpr unsigned kThreads = 4;
  constexpr std::uint32_t kSeeds = 3;
  const auto& all = jobs();

  // Reference: every job for every seed on this thread alone.
  std::vector<std::vector<Digest>> expected(all.size());
  for (std::size_t j = 0; j < all.size(); ++j)
    for (std::uint32_t s = 0; s < kSeeds; ++s) expected[j].push_back(all[j].run(1000 + s));

  // Each thread runs every job for every seed, starting at a different job so that different
  // families overlap in time.
  std::vector<std::vector<std::vector<Digest>>> got(kThreads);
  std::vector<std::thread> threads;
  for (unsigned t = 0; t < kThreads; ++t) {
    got[t].assign(all.size(), std::vector<Digest>(kSeeds));
    threads.emplace_back([t, &all, &got] {
      for (std::size_t k = 0; k < all.size(); ++k) {
        const std::size_t j = (k + t) % all.size();
        for (std::uint32_t s = 0; s < kSeeds; ++s) got[t][j][s] = all[j].run(1000 + s);
      }
    });
  }
  for (auto& th : threads) th.join();

  for (unsigned t = 0; t < kThreads; ++t)
    for (std::size_t j = 0; j < all.size(); ++j)
      for (std::uint32_t s = 0; s < kSeeds; ++s)
        EXPECT_EQ(got[t][j][s].bits(), expected[j][s].bits())
            << all[j].name << ", thread " << t << ", seed " << s;
}

}  // namespace
