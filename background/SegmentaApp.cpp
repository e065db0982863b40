#include "SegmentaApp.h"

bool CSegmentaApp::InitInstance()
{
    if (!window_.Create())
        return false;
    window_.ApplyCurrentRotation();
    return true;
}
