#pragma once
// The program's own pictures: the loading animation shown while a directory
// of cells loads, and the window icon.
#include <QImage>

#include "GifWriter.h"

// Twelve dots on a ring, the bright one going round clockwise with a fading
// tail; `size` pixels square, one frame per dot.
gif::Animation loadingAnimation(int size = 100);

// A compass rose on a sea-blue rounded square, `size` pixels square.
QImage windowIcon(int size = 64);
