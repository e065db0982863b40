#pragma once
// The record that tells the driver a calibration run is over: the run's own record with every
// value 0.
#include <windows.h>

#include <vector>

namespace calib {

struct DriverRequest {
    DWORD code = 0;
    std::vector<BYTE> input;
};

DriverRequest EndOfRunRequest(int calFlag);

}  // namespace calib
