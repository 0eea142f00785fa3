#pragma once
// Where 转到 takes the view: a position and, optionally, a scale.

struct GoToTarget {
  double latitude = 0, longitude = 0;
  float scale = 0;  // 0: keep the view's scale
};
