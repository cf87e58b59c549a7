// The end of the program when its display goes away (the player logs out, the X server
// dies): Xlib then calls its fatal-error handler from inside whatever call noticed, and
// that handler must end the process. Ours does it in an order that cannot crash.
#pragma once

namespace platform::detail {

// Installs the handler; call once the display is open.
void EndCleanlyWhenDisplayIsLost();

}  // namespace platform::detail
