#pragma once
// The room a text or a sounding takes on the drawing surface, and when two
// of them are said to collide.

// A box in logical units.
struct TextBox {
  int left = 0, right = 0, top = 0, bottom = 0;
};

// Two boxes collide when they overlap by at least 100 logical units (about
// four pixels) both across and down: boxes that only touch, or overlap by
// a sliver of their margins, leave both readable. (Wide arithmetic: a box
// far out may reach the int range.)
inline bool boxesCollide(const TextBox& a, const TextBox& b) {
  using W = long long;
  return W{a.bottom} - b.top >= 100 && W{a.top} - b.bottom <= -100 && W{a.right} - b.left >= 100 &&
         W{a.left} - b.right <= -100;
}

// Whether two boxes share any area at all: a text must not touch the
// figures of a sounding.
inline bool boxesOverlap(const TextBox& a, const TextBox& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
