#pragma once
// SlopeHistogramDlg: the slope distribution of a terrain run in the suite's
// histogram frame: about 60 bars of a round width, the statistics (of every
// cell) in the frame's table.
// Also renders the shaded relief in an elevation palette.

#include "widgets/tkvqthistogramdlg.h"

#include <QImage>

#include <vector>

struct Grid;
class TKvElevationPalette;

class SlopeHistogramDlg : public TKvQtHistogramDlg {
public:
  // `slope` holds degrees per cell; border cells (0 by convention) are not
  // counted. Nothing is kept of the vector.
  SlopeHistogramDlg(const Grid& grid, const std::vector<float>& slope, QWidget* parent = nullptr);

protected:
  void drawHistogram() override;
};

// The relief coloured by relative elevation in `palette`, lit from the
// north-west and darkened by the all-round hillshade `shade` (0..1 per cell).
// A null image for an empty grid or a shade of another size.
QImage ShadedRelief(const Grid& grid, const std::vector<float>& shade, const TKvElevationPalette& palette);
