#pragma once
// How a row of buttons or other controls is laid out. Stored and passed as
// one byte; values other than the two named lines select a grid.

enum TKvOrientation : unsigned char {
  kvoVertical = 0,   // one column
  kvoHorizontal = 1, // one row
  kvoGrid = 2        // a grid (any value from 2 on)
};
