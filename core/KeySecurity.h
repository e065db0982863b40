#pragma once
// The security descriptor of the secured key create: a DACL of two explicit entries, Everyone
// then Administrators, each granting KEY_ALL_ACCESS without inheritance, so that users without
// administrator rights can later write the product and device keys. Owns the SIDs, the list and
// the descriptor, and frees them on every path.
#include <windows.h>

class CKeySecurity {
public:
    // Builds the descriptor; Descriptor() stays null when a step fails.
    CKeySecurity();
    ~CKeySecurity();
    CKeySecurity(const CKeySecurity&) = delete;
    CKeySecurity& operator=(const CKeySecurity&) = delete;

    // An absolute descriptor with the list as its DACL (present, not defaulted), or null.
    PSECURITY_DESCRIPTOR Descriptor() const { return descriptor_; }

private:
    bool Build();

    PSID everyone_ = nullptr;
    PSID administrators_ = nullptr;
    PACL acl_ = nullptr;
    PSECURITY_DESCRIPTOR descriptor_ = nullptr;
};
