#pragma once

// Sorts SatPositions ascending by upper-cased text.
void SortStringArray();
// Sorts Satellites by position, largest (East) first.
void SortSatellitesByPosition();
