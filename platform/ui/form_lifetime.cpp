// SPDX-License-Identifier: MIT
// Where forms live and die: the one instance of each screen, the forms closed inside a
// handler waiting for it to return, and the list of every form alive.
#include <algorithm>
#include <map>

#include "platform/backend.h"
#include "platform/ui/form.h"

namespace platform::detail {
namespace {
// Never destroyed: forms still open when the process exits must find these intact.
auto& instances = *new std::map<std::type_index, std::unique_ptr<Form>>;
auto& closed = *new std::vector<std::unique_ptr<Form>>;  // destroyed at the next safe point
auto& live = *new std::vector<Form*>;
Form* active = nullptr;
Form* modal = nullptr;
int handlerDepth = 0;
}  // namespace

Form* FindInstance(std::type_index type) {
  auto it = instances.find(type);
  return it == instances.end() ? nullptr : it->second.get();
}

void AddInstance(std::type_index type, std::unique_ptr<Form> form) {
  instances[type] = std::move(form);
}

const std::vector<Form*>& LiveForms() {
  return live;
}
void AddLiveForm(Form* form) {
  live.push_back(form);
}
void RemoveLiveForm(Form* form) {
  std::erase(live, form);
  if (active == form) active = nullptr;
  if (modal == form) modal = nullptr;
}
bool FormShowing(const void* backendState) {
  for (const Form* form : live)
    if (form->backendState.get() == backendState) return form->Visible();
  return false;
}

Form* ActiveForm() {
  return active;
}
void SetActiveForm(Form* form) {
  active = form;
}

Form* ModalForm() {
  return modal;
}

ModalScope::ModalScope(Form& form) : previousModal_(modal), previousActive_(active) {
  modal = &form;
}

ModalScope::~ModalScope() {
  modal = previousModal_;
  // Typed text goes back where it went, unless that form is gone meanwhile.
  if (!previousActive_ || std::find(live.begin(), live.end(), previousActive_) != live.end())
    active = previousActive_;
}

HandlerScope::HandlerScope() {
  ++handlerDepth;
}
HandlerScope::~HandlerScope() {
  --handlerDepth;
}
bool InHandler() {
  return handlerDepth > 0;
}

bool RetireInstance(Form* form) {
  for (auto it = instances.begin(); it != instances.end(); ++it) {
    if (it->second.get() != form) continue;
    closed.push_back(std::move(it->second));
    instances.erase(it);
    return true;
  }
  return false;
}

void CollectClosedForms() {
  if (InHandler()) return;
  // Destroying a form may close others (never reentrantly here), so take the list first.
  while (!closed.empty()) {
    auto batch = std::move(closed);
    closed.clear();
    batch.clear();
  }
}

void DestroyAllForms(bool orderly) {
  if (orderly) {
    std::vector<Form*> open;
    for (auto& [type, form] : instances) open.push_back(form.get());
    for (Form* form : open)
      if (form->Loaded() && !form->Closing()) form->Close();
  }
  auto all = std::move(instances);
  instances.clear();
  all.clear();
  while (!closed.empty()) {
    auto batch = std::move(closed);
    closed.clear();
    batch.clear();
  }
}

}  // namespace platform::detail
