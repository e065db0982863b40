#pragma once
// Desktop segments by their English display names, and the secondary-monitor step of the
// segment listener: every device mapped to the secondary monitor gets that monitor's segment
// code, in its device key and at its driver, whenever the display changes.
#include <windows.h>

class CDisplaySegments {
public:
    virtual ~CDisplaySegments() = default;
    // The driver's segment code for a segment's English display name ("Whole Desktop" ...
    // "Bottom Right", compared exactly); 0 for any other text. "Secondary Monitor" follows the
    // monitor layout: 2, 3, 4 or 5 by where that monitor lies, 19 when there is none or it is
    // not aligned with the primary monitor.
    DWORD GetSegmentId(const char* displayName) const;
};

namespace segmenta {

// For each device key of the serial driver, then of the USB driver, whose "Logical Desktop
// Segment" is the secondary monitor (2): writes the secondary monitor's code as "Logical Desktop
// Segment ID" and sends it with IOCTL_DEVICE_SEGMENT, changed or not, 19 included.
void UpdateSecondarySegments();

}  // namespace segmenta
