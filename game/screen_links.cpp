// SPDX-License-Identifier: MIT
#include "game/screen_links.h"

namespace game {

ScreenLinks& Links() {
  static ScreenLinks links;
  return links;
}

}  // namespace game
