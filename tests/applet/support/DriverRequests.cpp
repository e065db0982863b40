#include "DriverRequests.h"

namespace applettest {

std::vector<standin::LoggedRequest> Requests(const testsupport::DeviceRow& device, DWORD code)
{
    return standin::Select(standin::ReadLog(), device.serial ? standin::Driver::Rilo : standin::Driver::Meka,
                           static_cast<unsigned>(device.instance), code);
}

std::vector<standin::LoggedRequest> Requests(DWORD code)
{
    std::vector<standin::LoggedRequest> found;
    for (const standin::LoggedRequest& request : standin::ReadLog())
        if (request.code == code)
            found.push_back(request);
    return found;
}

std::vector<DWORD> Codes(const std::vector<standin::LoggedRequest>& log)
{
    std::vector<DWORD> codes;
    for (const auto& request : log)
        codes.push_back(request.code);
    return codes;
}

std::vector<uint8_t> ModeBytes(DWORD primaryCode, DWORD secondaryCode, BYTE click, BYTE tap, BYTE liftOff)
{
    std::vector<uint8_t> bytes;
    for (DWORD code : {primaryCode, secondaryCode})
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<uint8_t>(code >> shift));
    bytes.insert(bytes.end(), {click, tap, liftOff, 0});
    return bytes;
}

}  // namespace applettest
