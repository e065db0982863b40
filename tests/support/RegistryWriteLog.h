#pragma once
// Records the names of the registry values this program writes, in the order it writes them.
//
// Wine enumerates a key's values sorted by name, not in creation order as Windows does, so the
// order of the writes cannot be read back from the registry there. While a RegistryWriteLog
// lives, the program's import of RegSetValueExW is redirected to a recorder that notes the key
// and the value name and then calls the real function. Code under test that is linked into the
// test program is seen; so is a module loaded into it (a loaded applet) when the log is made
// for that module. Other processes are not.
// One at a time; not for tests that write from several threads at once.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ImportRedirect.h"

namespace testsupport {

class RegistryWriteLog {
public:
    // Starts recording the writes of `module` (null: the test program itself).
    explicit RegistryWriteLog(HMODULE module = nullptr);
    ~RegistryWriteLog();   // stops
    RegistryWriteLog(const RegistryWriteLog&) = delete;
    RegistryWriteLog& operator=(const RegistryWriteLog&) = delete;

    bool Active() const { return redirect_ && redirect_->Active(); }
    // The value names written to this key (the handle the code wrote through), in write order.
    std::vector<std::wstring> NamesWrittenTo(HKEY key) const;
    // Every value name written, whatever the key, in write order.
    std::vector<std::wstring> NamesWritten() const;
    void Clear();

private:
    std::unique_ptr<ImportRedirect> redirect_;
};

}  // namespace testsupport
