#include "DeviceRecord.h"

#include "DeviceAccess.h"

CDeviceRecord::~CDeviceRecord()
{
    CloseDeviceHandle(this);
}
