#include "DevicesTestBase.h"

using namespace applettest;

namespace devicestest {

void DevicesTest::Install(const std::vector<DeviceRow>& devices, const std::wstring& current,
                          const std::vector<std::wstring>& ports, DWORD controllerKind)
{
    SheetTest::Install(devices, current, controllerKind);
    SetPorts(ports);
}

}  // namespace devicestest
