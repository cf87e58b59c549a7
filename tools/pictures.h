// SPDX-License-Identifier: MIT
// Every picture of the game, drawn at its final size.
#pragma once

#include "tools/canvas.h"

namespace art {

Canvas BallPicture(int kind);  // 75 x 75, on pure white
Canvas PlainWhite(int width, int height);

Canvas GameBackground();    // 1024 x 768
Canvas Insignia(int rank);  // 160 x 140, ranks 0..24
Canvas Popup(int kind);     // 180 x 60: 0 chain line, 1..4 the points 300, 600, 1000, 1500
Canvas MenuBackground();    // 1024 x 768
Canvas NamePanel();         // 167 x 142 each
Canvas AskPanel();
Canvas NewGamePanel();
Canvas ScoreBackground();  // 1024 x 768
Canvas SplashTitle();      // 600 x 150
Canvas HowToBall();        // 75 x 75
enum class MouseButton { None, Left, Right };
Canvas MousePicture(MouseButton lit);  // 91 x 87
Canvas PointerPicture();               // 32 x 32, magenta where transparent
Canvas IconPicture(int size);          // size x size; the window's is 64 x 64
Mask IconAlpha(int size);

}  // namespace art
