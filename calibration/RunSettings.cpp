#include "RunSettings.h"

namespace calib {

int CalibPointOrDefault(DWORD stored)
{
    return stored >= 1 && stored <= 5 ? static_cast<int>(stored) : kDefaultCalibPoint;
}

int TimeoutOrDefault(DWORD stored)
{
    return stored >= 10 && stored <= 60 ? static_cast<int>(stored) : kDefaultTimeoutSeconds;
}

int CalFlagOrDefault(DWORD stored)
{
    return stored == 4 || stored == 9 || stored == 25 ? static_cast<int>(stored) : kDefaultCalFlag;
}

}  // namespace calib
