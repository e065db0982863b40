#include "ChimerApp.h"

#include "SoundManager.h"

bool CChimerApp::InitInstance()
{
    CSoundManager* manager = chimer::CreateSoundManager();
    if (!manager)
        return false;
    window_ = std::make_unique<CChimerWindow>(*manager);
    return window_->Create();
}

int CChimerApp::ExitInstance()
{
    window_.reset();
    chimer::DestroySoundManager();
    return CWinApp::ExitInstance();
}
