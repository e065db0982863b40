#pragma once
// Redirects one module's import of one function to a replacement while the object lives, so a
// test sees the calls that code linked into the test program (or a module loaded into it) makes
// to the system (which registry values it writes, which sounds it plays). Other modules and
// processes are not seen. The replacement calls Original() to pass a call on.
#include <windows.h>

namespace testsupport {

class ImportRedirect {
public:
    // `importer` is the module whose import is redirected (null: the test program itself).
    ImportRedirect(const wchar_t* module, const char* function, void* replacement,
                   HMODULE importer = nullptr);
    ~ImportRedirect();   // puts the original back
    ImportRedirect(const ImportRedirect&) = delete;
    ImportRedirect& operator=(const ImportRedirect&) = delete;

    // False when the program does not import the function (nothing is redirected then).
    bool Active() const { return slot_ != nullptr; }
    void* Original() const { return original_; }

private:
    void** slot_ = nullptr;   // the import slot that was redirected
    void* original_ = nullptr;
};

}  // namespace testsupport
