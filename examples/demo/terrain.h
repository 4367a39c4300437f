#pragma once
// The geospatial work the demo does: a synthetic elevation model, void
// filling, slope and aspect on worker threads, and an iterative least-squares
// fit of a trend surface. Free of any GUI: progress, breaks and pauses come
// in through the callbacks of TerrainHooks.

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Grid {
  int Width = 0;
  int Height = 0;
  double CellSize = 30.0; // metres
  std::vector<float> Z;   // row-major; NaN marks a void

  float& at(int x, int y) { return Z[size_t(y) * size_t(Width) + size_t(x)]; }
  float at(int x, int y) const { return Z[size_t(y) * size_t(Width) + size_t(x)]; }
  size_t cells() const { return Z.size(); }
};

struct TerrainHooks {
  // Position of the current stage, 0..1 (GUI thread).
  std::function<void(double)> Progress;
  // Called often on the GUI thread; throws to cancel.
  std::function<void()> Check;
  // Called often on worker threads; blocks while paused.
  std::function<void()> ThreadTick;
};

struct VoidStats {
  size_t VoidCells = 0;
  size_t Regions = 0;
  size_t LargestRegion = 0;
  int Passes = 0;
};

struct SlopeStats {
  double MeanShade = 0; // multi-directional hillshade, 0..1
  double MeanSlopeDeg = 0;
  double MaxSlopeDeg = 0;
  double SteepShare = 0; // share of cells steeper than 30 degrees
  double AspectShare[8] = {}; // N, NE, E, SE, S, SW, W, NW
};

// Fractal terrain by the diamond-square method on a (2^order + 1)² grid,
// with a few round voids cut into it.
Grid GenerateTerrain(int order, uint32_t seed, double roughness, int voids, const TerrainHooks& hooks);

// Fills voids from their rims inwards: each pass gives every void cell with
// known neighbours their mean, until none is left.
VoidStats FillVoids(Grid& grid, const TerrainHooks& hooks);

// Slope and aspect (Horn's method) and a multi-directional hillshade (64
// light directions, sun 45 degrees high) on `threads` worker threads. The
// slope (degrees) and the shade (0..1) of every cell go to `slope` and
// `shade` when they are not null; border cells are 0 in both.
SlopeStats SlopeAspect(const Grid& grid, int threads, std::vector<float>* slope, const TerrainHooks& hooks,
                       std::vector<float>* shade = nullptr);

// One iteration of the trend-surface fit, reported to the caller.
struct FitStep {
  int Iteration;
  double Correction; // largest change of a coefficient
  double Sigma;      // residual standard deviation, metres
};

// Fits z = a + bx + cy + dx² + exy + fy² by iteratively reweighted least
// squares (Huber weights, so ridges and pits do not drag the trend). Returns
// the coefficients; `step` is called after each iteration and returns false
// to stop early.
std::vector<double> FitTrendSurface(const Grid& grid, double eps, int maxIterations,
                                    const std::function<bool(const FitStep&)>& step);

std::string FormatCount(size_t n);
