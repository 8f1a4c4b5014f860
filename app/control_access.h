#pragma once
// How routines reach the controls of the main window: by control name and
// property, with GBK texts. The main window installs itself as the store while
// it exists; tests install a plain map.

#include "core/text.h"

namespace app {

enum class Property { Content, Caption, WebAddress, Url };

class ControlStore {
public:
    virtual ~ControlStore() = default;
    virtual core::Text Read(const core::Text& control, Property property) = 0;
    virtual void Write(const core::Text& control, Property property, const core::Text& text) = 0;
};

// Installs store (not owned; null when the window is gone) and gives the previous one.
ControlStore* InstallControlStore(ControlStore* store);
bool HasControlStore();

// A fresh copy of the property's text. With no window, FatalError "指定窗口尚未载入".
core::Text GetControlText(const core::Text& control, Property property);
// The control keeps its own copy. With no window, FatalError "指定窗口尚未载入".
void SetControlText(const core::Text& control, Property property, const core::Text& text);

}  // namespace app
