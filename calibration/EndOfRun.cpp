#include "EndOfRun.h"

#include "DriverProtocol.h"

namespace calib {

DriverRequest EndOfRunRequest(int calFlag)
{
    DriverRequest r;
    if (calFlag == 25) {
        r.code = IOCTL_CALIBRATION_25_POINT;
        r.input.assign(sizeof(CalibrationRecord25), 0);
    } else if (calFlag == 9) {
        r.code = IOCTL_CALIBRATION_9_POINT;
        r.input.assign(sizeof(CalibrationRecord9), 0);
    } else {
        r.code = IOCTL_CALIBRATION_4_POINT;
        r.input.assign(sizeof(CalibrationRecord4), 0);
    }
    return r;
}

}  // namespace calib
