#pragma once

#include "DemoLauncher.h"

#include <vector>

namespace corvane {
class CorvaneDialogsMgr;
namespace reference {
struct ReferenceHost;
}
} // namespace corvane

namespace corvane::demo {

/// The dialogs the demo offers, one entry each.
std::vector<DemoEntry> demoEntries(CorvaneDialogsMgr& manager, reference::ReferenceHost& host);

} // namespace corvane::demo
