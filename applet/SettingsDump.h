#pragma once
// The settings dump: a plain-text report of every device's settings as the applet holds them,
// applied or not. UTF-16 little-endian without a byte-order mark; the text is made of pieces
// (the title, each header line, each line of a device block), and every piece is followed by one
// NUL character in the file. Lines end in LF, except the device-name and controller-type lines,
// which end in CR LF. Nothing is cut: names and paths of any length are written whole.
#include <windows.h>

#include <string>

class CDeviceSettings;
class CNameTable;
class CRegistryKey;

class CSettingsDump {
public:
    // Appends one piece and its NUL.
    void AddPiece(const std::wstring& text);
    // The title, the UTC time, the operating system (the expanded %OS%) and the line that
    // announces the device blocks.
    void AddHeader(const SYSTEMTIME& utc, const std::wstring& operatingSystem);

    const std::wstring& Text() const { return text_; }

    // Replaces any file of that name with the text; false when the file cannot be created. The
    // text is written as it is; a failing write leaves a shorter file.
    bool Write(const std::wstring& path) const;

private:
    std::wstring text_;
};

// The block of one device: its key under HKEY_LOCAL_MACHINE, then one line per value. Segment
// and button modes show their display names; an index outside the name table shows as a number.
void DumpDeviceSettings(CSettingsDump& dump, const CDeviceSettings& record, const CNameTable& segmentNames,
                        const CNameTable& buttonModeNames);

// The file the dump goes to: the product key's "Dump File Path" (read through `productKey`,
// attached to the product key) when it can be read, otherwise "TivenSettings.txt" in the
// folder named by %TEMP%.
std::wstring DumpFilePath(CRegistryKey& productKey);

// A text with its environment variables expanded, of any length.
std::wstring ExpandEnvironment(const std::wstring& text);
