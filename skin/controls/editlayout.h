#pragma once
// Where the edit skin draws its border: the rings over the edit's own border, and whether the
// edit has a border to draw over at all.
#include <array>

#include "pixelview.h"

// The edit has a border: its client area is smaller than its window both ways.
bool EditHasBorder(int clientWidth, int clientHeight, const TPixRect& window);
// Printed, only a border of at least two pixels each way gets the skin's lines.
bool EditPrintBorderFits(int clientWidth, int clientHeight, const TPixRect& window);
// The outer line (ButtonShadow) and the two rings inside it (white).
std::array<TPixRect, 3> EditBorderRings(const TPixRect& window);
