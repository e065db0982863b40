#include "Equipment.h"

#include <windows.h>

namespace testsupport {

bool SkipMissingEquipment()
{
    wchar_t value[8] = L"";
    DWORD length = GetEnvironmentVariableW(L"TIVEN_SKIP_MISSING_EQUIPMENT", value, 8);
    return length == 1 && value[0] == L'1';
}

}  // namespace testsupport
