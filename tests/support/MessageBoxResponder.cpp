#include "MessageBoxResponder.h"

namespace testsupport {

MessageBoxResponder::MessageBoxResponder(int buttonId, DWORD deadlineMs)
    : thread_([this, buttonId, deadlineMs] {
          // Short waits in a loop, so Cancel takes effect quickly.
          DWORD start = GetTickCount();
          while (!cancelled_ && !info_ && GetTickCount() - start < deadlineMs)
              info_ = WaitForMessageBox(50, GetCurrentProcessId());
          if (info_)
              DismissMessageBox(info_, buttonId);
      })
{
}

MessageBoxResponder::~MessageBoxResponder()
{
    if (thread_.joinable())
        thread_.join();
}

const MessageBoxInfo& MessageBoxResponder::Cancel()
{
    cancelled_ = true;
    return Result();
}

const MessageBoxInfo& MessageBoxResponder::Result()
{
    if (thread_.joinable())
        thread_.join();
    return info_;
}

}  // namespace testsupport
