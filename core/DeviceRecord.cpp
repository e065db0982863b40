#include "DeviceRecord.h"

#include "DeviceAccess.h"

template <typename Char>
CBasicDeviceRecord<Char>::~CBasicDeviceRecord()
{
    CloseDeviceHandle(this);
}

template class CBasicDeviceRecord<wchar_t>;
template class CBasicDeviceRecord<char>;
