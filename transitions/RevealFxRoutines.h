#pragma once
// Pixel and region routines shared by the transition effects.

#include "transitions/FxBitmap.h"

#include <QPoint>

#include <vector>

// Darkens a band of columns (rows) so it looks curled: the first line is
// darkened by Amount, the middle line (Count / 2) hardly at all, the last by
// about Amount again. Nothing happens when Count < 2 or Amount is 0.
void ShadeColumns(TFxBitmap& Screen, int Amount, int FirstColumn, int Count);
void ShadeRows(TFxBitmap& Screen, int Amount, int FirstRow, int Count);

// The darkening of each of Count lines, as ShadeColumns applies it.
std::vector<int> ShadeProfile(int Amount, int Count);

// Moves each colour byte of Screen in the rectangle towards Picture by
// Percent: S + ((256 * Percent / 100) * (N - S)) >> 8.
void BlendRect(TFxBitmap& Screen, const TFxBitmap& Picture, int Percent,
               int Height, int Width, int Top, int Left);

// Every Screen pixel takes the Picture pixel found by rotating its offset
// from the pivot by Angle (16.16 fixed point); pixels whose source lies
// outside the picture keep the old frame.
void RotateBitmap(TFxBitmap& Screen, const TFxBitmap& Picture, int PivotX,
                  double Angle, int PivotY);

// Rotates points about a centre, rounding to nearest with ties to even.
void RotatePoints(QPoint* Points, int Count, int CentreX, double Angle, int CentreY);

// The centre and Segments points on the circle from StartAngle towards
// EndAngle (the last point is one segment short of EndAngle); winding fill.
TFxRegion SectorRegion(int CentreX, int CentreY, int Radius, int Segments,
                       double EndAngle, double StartAngle);

// A polygon of (High + 1) / 2 points from a flat list x0, y0, x1, y1, ...;
// winding fill.
TFxRegion PolygonRegion(const int* Points, int High);
TFxRegion PolygonRegion(const std::vector<QPoint>& Points);

// Rounded rectangle (Left, Top, Right, Bottom) whose corners are quarters of
// an ellipse CornerWidth x CornerHeight; an ellipse when the corners are the
// whole rectangle.
TFxRegion RoundRectRegion(int Left, int Top, int Right, int Bottom,
                          int CornerWidth, int CornerHeight);
TFxRegion EllipseRegion(int Left, int Top, int Right, int Bottom);

// Drawing steps of the effects.
// Copies Picture's (Left, Top, Width, Height) onto the same place of Screen.
void CopyPicture(TFxBitmap& Screen, const TFxBitmap& Picture, int Left, int Top,
                 int Width, int Height);
// Copies the whole picture onto Screen through the region.
void RevealRegion(TFxBitmap& Screen, const TFxBitmap& Picture, const TFxRegion& Region);
