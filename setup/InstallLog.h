#pragma once
// What went wrong during one install. Every step goes on after a failure, as the install always
// runs to its end; the log keeps each failure so that the end can say whether all went well.
#include <string>
#include <vector>

namespace setup {

class CInstallLog {
public:
    void Fail(const std::wstring& what) { failures_.push_back(what); }
    bool Succeeded() const { return failures_.empty(); }
    const std::vector<std::wstring>& Failures() const { return failures_; }

private:
    std::vector<std::wstring> failures_;
};

}  // namespace setup
