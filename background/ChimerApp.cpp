#include "ChimerApp.h"

#include "SoundManager.h"

bool CChimerApp::InitInstance()
{
    CSoundManager* manager = CreateSoundManager();
    if (!manager)
        return false;
    window_ = std::make_unique<CChimerWindow>(*manager);
    return window_->Create();
}

int CChimerApp::ExitInstance()
{
    window_.reset();
    DestroySoundManager();
    return CWinApp::ExitInstance();
}
