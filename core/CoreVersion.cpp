// The core library grows with the device configuration code; this unit keeps it non-empty.
extern const wchar_t kTivenProductKey[] = L"SYSTEM\\CurrentControlSet\\Services\\Tiven";
