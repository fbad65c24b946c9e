// mathCommon against Eigen's Quaternion/AngleAxis, mathMatrix and SVD against Eigen's dense matrices.

#include <benchmark/benchmark.h>

#include <Eigen/Dense>
#include <Eigen/Geometry>
#include <vector>

#include "bench_data.h"
#include "zr/zr.h"

namespace {

const ZR::QuaD kQa{0.8, 0.2, -0.3, 0.469041575982343};
const ZR::QuaD kQb{0.5, -0.5, 0.5, 0.5};

void ZR_quaMulti(benchmark::State& s) {
  ZR::mathCommon m;
  ZR::QuaD a = kQa, b = kQb, out{};
  for (auto _ : s) {
    benchmark::DoNotOptimize(a);
    m.quaMulti(a, b, out);
    benchmark::DoNotOptimize(out);
  }
}
void Eigen_quaternionProduct(benchmark::State& s) {
  Eigen::Quaterniond a(kQa.w, kQa.x, kQa.y, kQa.z), b(kQb.w, kQb.x, kQb.y, kQb.z);
  for (auto _ : s) {
    benchmark::DoNotOptimize(a);
    Eigen::Quaterniond out = a * b;
    benchmark::DoNotOptimize(out);
  }
}

void ZR_qua2RMatrix(benchmark::State& s) {
  ZR::mathCommon m;
  ZR::QuaD q = kQa;
  double r[3][3];
  for (auto _ : s) {
    benchmark::DoNotOptimize(q);
    m.qua2RMatrix(q, r);
    benchmark::DoNotOptimize(r);
  }
}
void Eigen_toRotationMatrix(benchmark::State& s) {
  Eigen::Quaterniond q(kQa.w, kQa.x, kQa.y, kQa.z);
  for (auto _ : s) {
    benchmark::DoNotOptimize(q);
    Eigen::Matrix3d r = q.toRotationMatrix();
    benchmark::DoNotOptimize(r);
  }
}

void ZR_rotation2Qua(benchmark::State& s) {
  ZR::mathCommon m;
  double r[3][3];
  m.qua2RMatrix(kQa, r);
  ZR::QuaD out{};
  for (auto _ : s) {
    benchmark::DoNotOptimize(r);
    m.rotation2Qua(out, r);
    benchmark::DoNotOptimize(out);
  }
}
void Eigen_quaternionFromMatrix(benchmark::State& s) {
  Eigen::Matrix3d r = Eigen::Quaterniond(kQa.w, kQa.x, kQa.y, kQa.z).toRotationMatrix();
  for (auto _ : s) {
    benchmark::DoNotOptimize(r);
    Eigen::Quaterniond q(r);
    benchmark::DoNotOptimize(q);
  }
}

void ZR_euler2QuaRadian(benchmark::State& s) {
  ZR::mathCommon m;
  double a[3] = {0.3, -0.7, 1.1};
  ZR::QuaD out{};
  for (auto _ : s) {
    benchmark::DoNotOptimize(a);
    m.euler2QuaRadian(a, ZR::ZYX, out);
    benchmark::DoNotOptimize(out);
  }
}
void Eigen_threeAngleAxis(benchmark::State& s) {
  double a[3] = {0.3, -0.7, 1.1};
  for (auto _ : s) {
    benchmark::DoNotOptimize(a);
    Eigen::Quaterniond q = Eigen::AngleAxisd(a[2], Eigen::Vector3d::UnitZ()) *
                           Eigen::AngleAxisd(a[1], Eigen::Vector3d::UnitY()) *
                           Eigen::AngleAxisd(a[0], Eigen::Vector3d::UnitX());
    benchmark::DoNotOptimize(q);
  }
}

// The read-backs: atan2 and asin (Euler angles), acos and sin (rotation vector).
void ZR_qua2EulRadian(benchmark::State& s) {
  ZR::mathCommon m;
  ZR::QuaD q = kQa;
  double a[3];
  for (auto _ : s) {
    benchmark::DoNotOptimize(q);
    m.qua2EulRadian(q, ZR::ZYX, a);
    benchmark::DoNotOptimize(a);
  }
}
void ZR_rotm2EulRadian(benchmark::State& s) {
  ZR::mathCommon m;
  double r[3][3], a[3];
  m.qua2RMatrix(kQa, r);
  for (auto _ : s) {
    benchmark::DoNotOptimize(r);
    m.rotm2EulRadian(r, ZR::XYZ, a);
    benchmark::DoNotOptimize(a);
  }
}
void ZR_rotm2RodVector(benchmark::State& s) {
  ZR::mathCommon m;
  double r[3][3], v[3];
  m.qua2RMatrix(kQa, r);
  for (auto _ : s) {
    benchmark::DoNotOptimize(r);
    m.rotm2RodVector(r, v);
    benchmark::DoNotOptimize(v);
  }
}

void ZR_matrixMulmats(benchmark::State& s) {
  const auto n = static_cast<std::size_t>(s.range(0));
  const std::vector<double> a = zrbench::reals(n * n, 1), b = zrbench::reals(n * n, 2);
  std::vector<double> c(n * n);
  ZR::mathMatrix m;
  const int k = static_cast<int>(n);
  for (auto _ : s) {
    m.matrixMulmats(a.data(), b.data(), c.data(), k, k, k);
    benchmark::DoNotOptimize(c.data());
  }
}
void Eigen_matrixProduct(benchmark::State& s) {
  const auto n = static_cast<Eigen::Index>(s.range(0));
  const Eigen::MatrixXd a = Eigen::MatrixXd::Random(n, n), b = Eigen::MatrixXd::Random(n, n);
  Eigen::MatrixXd c(n, n);
  for (auto _ : s) {
    c.noalias() = a * b;
    benchmark::DoNotOptimize(c.data());
  }
}

void ZR_invMat(benchmark::State& s) {
  const auto n = static_cast<std::size_t>(s.range(0));
  const std::vector<double> a = zrbench::dominant(n);
  std::vector<double> w(a.size());
  ZR::mathMatrix m;
  for (auto _ : s) {
    w = a;  // invMat works in place
    m.invMat(w.data(), static_cast<int>(n));
    benchmark::DoNotOptimize(w.data());
  }
}
void Eigen_inverse(benchmark::State& s) {
  const auto n = static_cast<Eigen::Index>(s.range(0));
  const std::vector<double> a = zrbench::dominant(static_cast<std::size_t>(n));
  const Eigen::MatrixXd m =
      Eigen::Map<const Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>>(a.data(), n,
                                                                                               n);
  Eigen::MatrixXd inv(n, n);
  for (auto _ : s) {
    inv = m.inverse();
    benchmark::DoNotOptimize(inv.data());
  }
}

// The determinant as a direct transcription: every minor built as a new vector-of-rows matrix.
double detByCopiedMinors(const std::vector<std::vector<double>>& a) {
  const std::size_t n = a.size();
  if (n == 1) return a[0][0];
  double s = 0.0, sign = 1.0;
  for (std::size_t j = 0; j < n; ++j) {
    std::vector<std::vector<double>> minor(n - 1);
    for (std::size_t i = 1; i < n; ++i)
      for (std::size_t c = 0; c < n; ++c)
        if (c != j) minor[i - 1].push_back(a[i][c]);
    s = s + (sign * a[0][j]) * detByCopiedMinors(minor);
    sign = -sign;
  }
  return s;
}

void ZR_detMatrix(benchmark::State& s) {
  const auto n = static_cast<std::size_t>(s.range(0));
  const std::vector<double> a = zrbench::dominant(n);
  ZR::mathMatrix m;
  for (auto _ : s) benchmark::DoNotOptimize(m.detMatrix(a.data(), static_cast<int>(n), static_cast<int>(n)));
}
void Baseline_detCopiedMinors(benchmark::State& s) {
  const auto n = static_cast<std::size_t>(s.range(0));
  const std::vector<double> flat = zrbench::dominant(n);
  std::vector<std::vector<double>> a(n);
  for (std::size_t i = 0; i < n; ++i)
    a[i].assign(flat.begin() + static_cast<long>(i * n), flat.begin() + static_cast<long>((i + 1) * n));
  for (auto _ : s) benchmark::DoNotOptimize(detByCopiedMinors(a));
}
void Eigen_determinant(benchmark::State& s) {
  const auto n = static_cast<Eigen::Index>(s.range(0));
  const Eigen::MatrixXd m = Eigen::MatrixXd::Random(n, n);
  for (auto _ : s) benchmark::DoNotOptimize(m.determinant());
}

void ZR_svd(benchmark::State& s) {
  const auto n = static_cast<std::size_t>(s.range(0));
  const std::vector<double> flat = zrbench::reals(n * n);
  std::vector<std::vector<double>> a(n, std::vector<double>(n));
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t j = 0; j < n; ++j) a[i][j] = flat[i * n + j];
  ZR::SVD svd;
  std::vector<std::vector<double>> u, sv, v;
  for (auto _ : s) {
    svd.compute(a, u, sv, v);
    benchmark::DoNotOptimize(u.data());
  }
}
void Eigen_jacobiSVD(benchmark::State& s) {
  const auto n = static_cast<Eigen::Index>(s.range(0));
  const Eigen::MatrixXd m = Eigen::MatrixXd::Random(n, n);
  for (auto _ : s) {
    Eigen::JacobiSVD<Eigen::MatrixXd> svd(m, Eigen::ComputeFullU | Eigen::ComputeFullV);
    benchmark::DoNotOptimize(svd.singularValues().data());
  }
}

// Cost as the work grows (bench/plot_sweep.py runs these, filter "Sweep_").
BENCHMARK(ZR_detMatrix)->Name("Sweep_ZR_detMatrix")->DenseRange(2, 20, 2);
BENCHMARK(Eigen_determinant)->Name("Sweep_Eigen_determinant")->DenseRange(2, 20, 2);
BENCHMARK(ZR_svd)->Name("Sweep_ZR_svd")->RangeMultiplier(2)->Range(2, 64);
BENCHMARK(Eigen_jacobiSVD)->Name("Sweep_Eigen_jacobiSVD")->RangeMultiplier(2)->Range(2, 64);

}  // namespace

BENCHMARK(ZR_quaMulti);
BENCHMARK(Eigen_quaternionProduct);
BENCHMARK(ZR_qua2RMatrix);
BENCHMARK(Eigen_toRotationMatrix);
BENCHMARK(ZR_rotation2Qua);
BENCHMARK(Eigen_quaternionFromMatrix);
BENCHMARK(ZR_euler2QuaRadian);
BENCHMARK(Eigen_threeAngleAxis);
BENCHMARK(ZR_qua2EulRadian);
BENCHMARK(ZR_rotm2EulRadian);
BENCHMARK(ZR_rotm2RodVector);
BENCHMARK(ZR_matrixMulmats)->Arg(4)->Arg(16)->Arg(64);
BENCHMARK(Eigen_matrixProduct)->Arg(4)->Arg(16)->Arg(64);
BENCHMARK(ZR_invMat)->Arg(4)->Arg(8)->Arg(16);
BENCHMARK(Eigen_inverse)->Arg(4)->Arg(8)->Arg(16);
BENCHMARK(ZR_detMatrix)->DenseRange(3, 10);
BENCHMARK(Baseline_detCopiedMinors)->DenseRange(3, 10);
BENCHMARK(Eigen_determinant)->DenseRange(3, 10);
BENCHMARK(ZR_svd)->Arg(3)->Arg(8)->Arg(16);
BENCHMARK(Eigen_jacobiSVD)->Arg(3)->Arg(8)->Arg(16);
