#include "SegmentMapper.h"

#include "MonitorRect.h"

DWORD SecondaryMonitorSegmentCode(const RECT& r)
{
    if (r.left == 0 && r.bottom == 0)
        return 3;   // above the primary monitor
    if (r.right == 0 && r.top == 0)
        return 2;   // to its left
    if (r.top == 0 && r.left != 0)
        return 4;   // to its right
    if (r.left == 0 && r.top != 0)
        return 5;   // below it
    return kInvalidSegmentCode;
}

DWORD SegmentCodeFor(int index, const RECT* secondary)
{
    if (index < 0 || index > 19)
        return kInvalidSegmentCode;
    if (index == 2)
        return secondary ? SecondaryMonitorSegmentCode(*secondary) : kInvalidSegmentCode;
    if (index >= 3 && index <= 18)
        return static_cast<DWORD>(index + 3);
    return static_cast<DWORD>(index);
}

DWORD CSegmentMapper::GetSegmentId(int index) const
{
    if (index != 2)
        return SegmentCodeFor(index, nullptr);
    RECT secondary{};
    bool found = FindMonitorRect(kSecondaryMonitor, &secondary);
    return SegmentCodeFor(index, found ? &secondary : nullptr);
}
