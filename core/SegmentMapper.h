#pragma once
// Maps a desktop-segment index ("Logical Desktop Segment") to the segment code the drivers use
// ("Logical Desktop Segment ID").
#include <windows.h>

constexpr DWORD kInvalidSegmentCode = 19;

// The code of the secondary-monitor segment from that monitor's rectangle: where it lies
// relative to the primary monitor.
DWORD SecondaryMonitorSegmentCode(const RECT& secondary);
// The code for an index; `secondary` is the secondary monitor's rectangle, or null when there
// is no secondary monitor.
DWORD SegmentCodeFor(int index, const RECT* secondary);

class CSegmentMapper {
public:
    virtual ~CSegmentMapper() = default;
    // Looks the secondary monitor up when the index asks for it.
    DWORD GetSegmentId(int index) const;
};
