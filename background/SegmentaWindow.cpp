#include "SegmentaWindow.h"

#include <dbt.h>

#include "DisplayRotation.h"
#include "DisplaySegments.h"

void CSegmentaWindow::ApplyCurrentRotation()
{
    segmenta::ApplyRotation(segmenta::CurrentDisplayMode(), orientation_);
}

bool CSegmentaWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_DISPLAYCHANGE:
        ApplyCurrentRotation();
        segmenta::UpdateSecondarySegments();
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
    case CPowerEvents::Action::Suspend:
        segmenta::SuspendControllers();
        break;
    case CPowerEvents::Action::Resume:
        segmenta::ResumeControllers();
        break;
    case CPowerEvents::Action::None:
        break;
    }
}
