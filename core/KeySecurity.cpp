#include "KeySecurity.h"

#include <aclapi.h>

namespace {
EXPLICIT_ACCESS_W FullAccessFor(PSID sid, TRUSTEE_TYPE type)
{
    EXPLICIT_ACCESS_W access{};
    access.grfAccessPermissions = KEY_ALL_ACCESS;
    access.grfAccessMode = SET_ACCESS;
    access.grfInheritance = NO_INHERITANCE;
    access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    access.Trustee.TrusteeType = type;
    access.Trustee.ptstrName = static_cast<LPWSTR>(sid);
    return access;
}
}  // namespace

CKeySecurity::CKeySecurity()
{
    if (!Build() && descriptor_) {
        LocalFree(descriptor_);
        descriptor_ = nullptr;
    }
}

CKeySecurity::~CKeySecurity()
{
    if (everyone_)
        FreeSid(everyone_);
    if (administrators_)
        FreeSid(administrators_);
    if (acl_)
        LocalFree(acl_);
    if (descriptor_)
        LocalFree(descriptor_);
}

bool CKeySecurity::Build()
{
    SID_IDENTIFIER_AUTHORITY worldAuthority = SECURITY_WORLD_SID_AUTHORITY;
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    if (!AllocateAndInitializeSid(&worldAuthority, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone_))
        return false;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0,
                                  0, 0, &administrators_))
        return false;

    EXPLICIT_ACCESS_W entries[2] = {FullAccessFor(everyone_, TRUSTEE_IS_WELL_KNOWN_GROUP),
                                    FullAccessFor(administrators_, TRUSTEE_IS_GROUP)};
    if (SetEntriesInAclW(2, entries, nullptr, &acl_) != ERROR_SUCCESS)
        return false;

    descriptor_ = static_cast<PSECURITY_DESCRIPTOR>(LocalAlloc(LPTR, SECURITY_DESCRIPTOR_MIN_LENGTH));
    return descriptor_ && InitializeSecurityDescriptor(descriptor_, SECURITY_DESCRIPTOR_REVISION) &&
           SetSecurityDescriptorDacl(descriptor_, TRUE, acl_, FALSE);
}
