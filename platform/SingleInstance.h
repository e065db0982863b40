#pragma once
// The guard of a program (or a window) that runs once at a time: a named mutex, created
// initially owned. When the mutex already existed another instance runs, and the caller ends
// quietly (or brings that instance to the front). The guard holds the mutex, and its ownership
// when it was first, until it is destroyed.
#include <windows.h>

#include "Handle.h"

class CSingleInstance {
public:
    explicit CSingleInstance(const wchar_t* mutexName);
    ~CSingleInstance();
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // True when another instance held the mutex already (ERROR_ALREADY_EXISTS).
    bool AlreadyRunning() const { return alreadyRunning_; }

private:
    CHandle mutex_;
    bool alreadyRunning_ = false;
};
