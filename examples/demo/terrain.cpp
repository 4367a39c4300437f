#include "terrain.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <exception>
#include <limits>
#include <numeric>
#include <random>
#include <thread>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Solves the 6x6 normal equations by Gaussian elimination with pivoting.
bool Solve6(std::array<std::array<double, 7>, 6>& m, std::array<double, 6>& x) {
  for (int c = 0; c < 6; ++c) {
    int p = c;
    for (int r = c + 1; r < 6; ++r)
      if (std::fabs(m[r][c]) > std::fabs(m[p][c]))
        p = r;
    if (std::fabs(m[p][c]) < 1e-12)
      return false;
    std::swap(m[p], m[c]);
    for (int r = 0; r < 6; ++r) {
      if (r == c)
        continue;
      const double f = m[r][c] / m[c][c];
      for (int k = c; k < 7; ++k)
        m[r][k] -= f * m[c][k];
    }
  }
  for (int i = 0; i < 6; ++i)
    x[i] = m[i][6] / m[i][i];
  return true;
}

} // namespace

Grid GenerateTerrain(int order, uint32_t seed, double roughness, int voids, const TerrainHooks& hooks) {
  const int n = (1 << order) + 1;
  Grid g;
  g.Width = g.Height = n;
  g.Z.assign(size_t(n) * size_t(n), 0.f);
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> u(-1.f, 1.f);

  g.at(0, 0) = 400.f + 100.f * u(rng);
  g.at(n - 1, 0) = 400.f + 100.f * u(rng);
  g.at(0, n - 1) = 400.f + 100.f * u(rng);
  g.at(n - 1, n - 1) = 400.f + 100.f * u(rng);

  float amp = 600.f;
  int step = n - 1;
  int done = 0;
  while (step > 1) {
    const int half = step / 2;
    for (int y = half; y < n; y += step) {
      for (int x = half; x < n; x += step) {
        const float avg = (g.at(x - half, y - half) + g.at(x + half, y - half) + g.at(x - half, y + half) +
                           g.at(x + half, y + half)) * 0.25f;
        g.at(x, y) = avg + amp * u(rng);
      }
      if (hooks.Check)
        hooks.Check();
    }
    for (int y = 0; y < n; y += half) {
      for (int x = (y / half) % 2 == 0 ? half : 0; x < n; x += step) {
        float sum = 0;
        int cnt = 0;
        if (x >= half) { sum += g.at(x - half, y); ++cnt; }
        if (x + half < n) { sum += g.at(x + half, y); ++cnt; }
        if (y >= half) { sum += g.at(x, y - half); ++cnt; }
        if (y + half < n) { sum += g.at(x, y + half); ++cnt; }
        g.at(x, y) = sum / float(cnt) + amp * u(rng);
      }
      if (hooks.Check)
        hooks.Check();
    }
    amp *= float(std::pow(2.0, -roughness));
    step = half;
    ++done;
    if (hooks.Progress)
      hooks.Progress(double(done) / order * 0.9);
  }

  // Round voids, as radar shadow and water leave them in real models.
  std::uniform_int_distribution<int> pos(n / 10, n - n / 10);
  std::uniform_int_distribution<int> rad(std::max(2, n / 200), std::max(3, n / 60));
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (int v = 0; v < voids; ++v) {
    const int cx = pos(rng), cy = pos(rng), r = rad(rng);
    for (int y = std::max(0, cy - r); y < std::min(n, cy + r + 1); ++y)
      for (int x = std::max(0, cx - r); x < std::min(n, cx + r + 1); ++x)
        if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r)
          g.at(x, y) = nan;
  }
  if (hooks.Progress)
    hooks.Progress(1.0);
  return g;
}

VoidStats FillVoids(Grid& g, const TerrainHooks& hooks) {
  VoidStats st;
  const int w = g.Width, h = g.Height;
  std::vector<int> todo;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (std::isnan(g.at(x, y)))
        todo.push_back(y * w + x);
  st.VoidCells = todo.size();

  // Regions by flood fill, for the report.
  {
    std::vector<char> seen(g.cells(), 0);
    std::vector<int> stack;
    for (int start : todo) {
      if (seen[size_t(start)])
        continue;
      ++st.Regions;
      size_t size = 0;
      stack.push_back(start);
      seen[size_t(start)] = 1;
      while (!stack.empty()) {
        const int c = stack.back();
        stack.pop_back();
        ++size;
        const int cx = c % w, cy = c / w;
        const int nb[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (auto& d : nb) {
          const int x = cx + d[0], y = cy + d[1];
          if (x < 0 || y < 0 || x >= w || y >= h)
            continue;
          const int i = y * w + x;
          if (!seen[size_t(i)] && std::isnan(g.Z[size_t(i)])) {
            seen[size_t(i)] = 1;
            stack.push_back(i);
          }
        }
      }
      st.LargestRegion = std::max(st.LargestRegion, size);
    }
  }

  const size_t total = todo.size();
  std::vector<std::pair<int, float>> fills;
  while (!todo.empty()) {
    ++st.Passes;
    fills.clear();
    std::vector<int> rest;
    for (int c : todo) {
      const int cx = c % w, cy = c / w;
      float sum = 0;
      int cnt = 0;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
          const int x = cx + dx, y = cy + dy;
          if ((dx || dy) && x >= 0 && y >= 0 && x < w && y < h) {
            const float z = g.at(x, y);
            if (!std::isnan(z)) { sum += z; ++cnt; }
          }
        }
      if (cnt >= 2 || (cnt == 1 && st.Passes > 1))
        fills.emplace_back(c, sum / float(cnt));
      else
        rest.push_back(c);
    }
    if (fills.empty()) { // a void with no known cell anywhere around: flatten it
      for (int c : rest)
        fills.emplace_back(c, 0.f);
      rest.clear();
    }
    for (auto& f : fills)
      g.Z[size_t(f.first)] = f.second;
    todo.swap(rest);
    if (hooks.Check)
      hooks.Check();
    if (hooks.Progress && total)
      hooks.Progress(1.0 - double(todo.size()) / double(total));
  }
  return st;
}

SlopeStats SlopeAspect(const Grid& g, int threads, std::vector<float>* slopeOut, const TerrainHooks& hooks,
                       std::vector<float>* shadeOut) {
  const int w = g.Width, h = g.Height;
  std::vector<float> slope(g.cells(), 0.f);
  std::vector<float> shade(g.cells(), 0.f);
  constexpr int kLights = 64;
  double lightCos[kLights], lightSin[kLights];
  for (int k = 0; k < kLights; ++k) {
    lightCos[k] = std::cos(2 * kPi * k / kLights);
    lightSin[k] = std::sin(2 * kPi * k / kLights);
  }
  const double sunZenith = 45.0 * kPi / 180.0;
  std::vector<unsigned char> aspect(g.cells(), 0);
  std::atomic<int> nextRow{1};
  std::atomic<int> rowsDone{0};
  threads = std::max(1, threads);

  auto worker = [&]() {
    for (;;) {
      const int y0 = nextRow.fetch_add(16);
      if (y0 >= h - 1)
        return;
      if (hooks.ThreadTick)
        hooks.ThreadTick(); // waits here while the operation is paused
      const int y1 = std::min(h - 1, y0 + 16);
      for (int y = y0; y < y1; ++y) {
        for (int x = 1; x < w - 1; ++x) {
          const double a = g.at(x - 1, y - 1), b = g.at(x, y - 1), c = g.at(x + 1, y - 1);
          const double d = g.at(x - 1, y), f = g.at(x + 1, y);
          const double gg = g.at(x - 1, y + 1), hh = g.at(x, y + 1), i = g.at(x + 1, y + 1);
          const double dzdx = ((c + 2 * f + i) - (a + 2 * d + gg)) / (8 * g.CellSize);
          const double dzdy = ((gg + 2 * hh + i) - (a + 2 * b + c)) / (8 * g.CellSize);
          const size_t k = size_t(y) * size_t(w) + size_t(x);
          const double slopeRad = std::atan(std::hypot(dzdx, dzdy));
          slope[k] = float(slopeRad * 180.0 / kPi);
          // Light from every direction in turn: soft relief shading that does
          // not favour one side of a ridge.
          const double aspRad = std::atan2(dzdy, -dzdx);
          const double ca = std::cos(aspRad), sa = std::sin(aspRad);
          const double flat = std::cos(sunZenith) * std::cos(slopeRad);
          const double tilt = std::sin(sunZenith) * std::sin(slopeRad);
          double lit = 0;
          for (int l = 0; l < kLights; ++l)
            lit += std::max(0.0, flat + tilt * (lightCos[l] * ca + lightSin[l] * sa));
          shade[k] = float(lit / kLights);
          double asp = std::atan2(dzdy, -dzdx) * 180.0 / kPi; // 0 = east, counter-clockwise
          double compass = std::fmod(450.0 - asp, 360.0);    // 0 = north, clockwise
          aspect[k] = static_cast<unsigned char>(int((compass + 22.5) / 45.0) % 8);
        }
      }
      rowsDone.fetch_add(y1 - y0);
    }
  };

  std::vector<std::thread> pool;
  for (int t = 0; t < threads; ++t)
    pool.emplace_back(worker);
  // The GUI thread watches the workers, keeps the window alive and checks
  // for a cancel; a cancel lets the workers run out before it is thrown on.
  std::exception_ptr cancelled;
  while (rowsDone.load() < h - 2) {
    try {
      if (hooks.Progress)
        hooks.Progress(double(rowsDone.load()) / double(h - 2));
      if (hooks.Check)
        hooks.Check();
    } catch (...) {
      cancelled = std::current_exception();
      nextRow.store(h); // no more rows for anybody
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  for (auto& t : pool)
    t.join();
  if (cancelled)
    std::rethrow_exception(cancelled);

  SlopeStats st;
  double sum = 0;
  size_t n = 0, steep = 0;
  size_t asp[8] = {};
  for (int y = 1; y < h - 1; ++y)
    for (int x = 1; x < w - 1; ++x) {
      const size_t k = size_t(y) * size_t(w) + size_t(x);
      sum += slope[k];
      st.MeanShade += shade[k];
      st.MaxSlopeDeg = std::max(st.MaxSlopeDeg, double(slope[k]));
      steep += slope[k] > 30.f;
      ++asp[aspect[k]];
      ++n;
    }
  if (n) {
    st.MeanSlopeDeg = sum / double(n);
    st.MeanShade /= double(n);
    st.SteepShare = double(steep) / double(n);
    for (int i = 0; i < 8; ++i)
      st.AspectShare[i] = double(asp[i]) / double(n);
  }
  if (hooks.Progress)
    hooks.Progress(1.0);
  if (slopeOut)
    *slopeOut = std::move(slope);
  if (shadeOut)
    *shadeOut = std::move(shade);
  return st;
}

std::vector<double> FitTrendSurface(const Grid& g, double eps, int maxIterations,
                                    const std::function<bool(const FitStep&)>& step) {
  // A regular sample keeps each iteration fast on large models.
  const int stride = std::max(1, int(std::sqrt(double(g.cells()) / 250000.0)));
  std::array<double, 6> coef{};
  std::array<double, 6> prev{};
  const double sx = 2.0 / g.Width, sy = 2.0 / g.Height; // coordinates scaled to -1..1
  double sigma = 0;
  double huber = 1e30; // the first pass is ordinary least squares
  for (int it = 1; it <= maxIterations; ++it) {
    std::array<std::array<double, 7>, 6> m{};
    double ss = 0;
    size_t cnt = 0;
    for (int y = 0; y < g.Height; y += stride)
      for (int x = 0; x < g.Width; x += stride) {
        const double z = g.at(x, y);
        if (std::isnan(z))
          continue;
        const double u = x * sx - 1, v = y * sy - 1;
        const double a[6] = {1, u, v, u * u, u * v, v * v};
        const double fit = coef[0] + coef[1] * u + coef[2] * v + coef[3] * u * u + coef[4] * u * v + coef[5] * v * v;
        const double r = z - fit;
        const double wgt = it == 1 ? 1.0 : (std::fabs(r) <= huber ? 1.0 : huber / std::fabs(r));
        for (int i = 0; i < 6; ++i) {
          for (int j = 0; j < 6; ++j)
            m[size_t(i)][size_t(j)] += wgt * a[i] * a[j];
          m[size_t(i)][6] += wgt * a[i] * z;
        }
        if (it > 1) {
          ss += r * r;
          ++cnt;
        }
      }
    prev = coef;
    if (!Solve6(m, coef))
      break;
    sigma = cnt > 6 ? std::sqrt(ss / double(cnt - 6)) : 0.0;
    huber = std::max(1.0, 1.345 * (sigma > 0 ? sigma : 100.0));
    double corr = 0;
    for (int i = 0; i < 6; ++i)
      corr = std::max(corr, std::fabs(coef[size_t(i)] - prev[size_t(i)]));
    if (it == 1)
      corr = std::max(corr, 1.0);
    if (!step(FitStep{it, corr, sigma}))
      break;
    if (corr < eps)
      break;
  }
  return std::vector<double>(coef.begin(), coef.end());
}

std::string FormatCount(size_t n) {
  std::string s = std::to_string(n);
  for (int i = int(s.size()) - 3; i > 0; i -= 3)
    s.insert(size_t(i), ",");
  return s;
}
