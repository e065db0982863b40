#pragma once
// The id of a property sheet's tab control. It is a common control's own id, not a resource of
// the applet, so it stands here once for every test and host that finds or reads a sheet's tabs.
namespace applettest {

constexpr int kTabControlId = 0x3020;

}  // namespace applettest
