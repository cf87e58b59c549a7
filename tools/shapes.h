// SPDX-License-Identifier: MIT
// Signed distance functions of the shapes the pictures are built from.
#pragma once

#include <vector>

#include "tools/canvas.h"

namespace art {

struct Point {
  float x, y;
};

Sdf Circle(float cx, float cy, float r);
Sdf Ellipse(float cx, float cy, float rx, float ry);  // approximate, good for fills
Sdf RoundRect(float x, float y, float w, float h, float radius);
Sdf Capsule(Point a, Point b, float halfWidth);  // a thick line with round ends
Sdf Polygon(std::vector<Point> corners);
Sdf Star(float cx, float cy, float outer, float inner, float rotation = 0);  // five points

Sdf Union(Sdf a, Sdf b);
Sdf Subtract(Sdf a, Sdf b);  // a without b
Sdf Intersect(Sdf a, Sdf b);
Sdf Outline(Sdf a, float halfWidth);  // a band along a's edge
Sdf Grow(Sdf a, float by);            // negative shrinks

}  // namespace art
