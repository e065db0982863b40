#include "SegmentaWindow.h"

#include <dbt.h>

#include "DisplayRotation.h"
#include "DisplaySegments.h"

void CSegmentaWindow::ApplyCurrentRotation()
{
    ApplyRotation(CurrentDisplayMode(), orientation_);
}

bool CSegmentaWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_DISPLAYCHANGE:
        ApplyCurrentRotation();
        UpdateSecondarySegments();
        break;
    case WM_DEVICECHANGE:
        if (wp == DBT_DEVNODES_CHANGED)
            ApplyCurrentRotation();
        break;
    case WM_POWERBROADCAST:
        OnPowerBroadcast(wp);
        break;
    case WM_SETTINGCHANGE:
        break;
    default:
        return CHiddenWindow::OnMessage(msg, wp, lp, result);
    }
    result = 0;
    return true;
}

void CSegmentaWindow::OnPowerBroadcast(WPARAM event)
{
    switch (power_.OnPowerEvent(event)) {
    case PowerAction::Suspend:
        SuspendControllers();
        break;
    case PowerAction::Resume:
        ResumeControllers();
        break;
    case PowerAction::None:
        break;
    }
}
