// SPDX-License-Identifier: MIT
// The seam's own state: which backend is chosen, its clock, and whether the program is
// ending. The lowest piece of the layer, so that every room above reaches it.
#include "platform/backend.h"

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {
// Not destroyed at exit, so forms that outlive static destruction still find it.
detail::BackendImpl* backend = nullptr;
bool endRequested = false;
bool sessionEnding = false;
}  // namespace

void EndProgram() {
  endRequested = true;
}
bool EndRequested() {
  return endRequested;
}
bool SessionEnding() {
  return sessionEnding;
}

double NowMs() {
  return detail::CurrentBackend().NowMs();
}

namespace detail {

BackendImpl* ChosenBackend() {
  return backend;
}

BackendImpl& CurrentBackend() {
  // A call before a backend is chosen is a bug in the caller: running headless instead
  // would hide it.
  if (!backend) {
    std::fputs("platform: called before a backend was chosen (InitDesktop or headless::Init)\n",
               stderr);
    std::abort();
  }
  return *backend;
}

BackendImpl* ReplaceChosenBackend(BackendImpl* chosen) {
  BackendImpl* previous = backend;
  backend = chosen;
  return previous;
}

bool MarkSessionEnding() {
  if (sessionEnding) return false;
  sessionEnding = true;
  return true;
}

void ResetEndRequest() {
  endRequested = false;
  sessionEnding = false;
}

}  // namespace detail
}  // namespace platform
