#include "app/control_access.h"

#include "core/user.h"

namespace app {
namespace {

ControlStore* g_store = nullptr;

ControlStore& Store() {
    if (!g_store) core::FatalError(0, "指定窗口尚未载入");
    return *g_store;
}

}  // namespace

ControlStore* InstallControlStore(ControlStore* store) {
    ControlStore* previous = g_store;
    g_store = store;
    return previous;
}

bool HasControlStore() { return g_store != nullptr; }

core::Text GetControlText(const core::Text& control, Property property) {
    return Store().Read(control, property);
}

void SetControlText(const core::Text& control, Property property, const core::Text& text) {
    Store().Write(control, property, text);
}

}  // namespace app
