#include "ProgramImage.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "Handle.h"

namespace {
bool ReadAt(HANDLE file, ULONGLONG offset, void* buffer, DWORD size)
{
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(offset);
    DWORD got = 0;
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && ReadFile(file, buffer, size, &got, nullptr) &&
           got == size;
}
}  // namespace

bool IsWholeProgramFile(const std::wstring& path)
{
    CHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size))
        return false;
    const ULONGLONG fileSize = static_cast<ULONGLONG>(size.QuadPart);

    IMAGE_DOS_HEADER dos{};
    if (!ReadAt(file.Get(), 0, &dos, sizeof dos) || dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew <= 0)
        return false;
    DWORD signature = 0;
    IMAGE_FILE_HEADER header{};
    const ULONGLONG at = static_cast<ULONGLONG>(dos.e_lfanew);
    if (!ReadAt(file.Get(), at, &signature, sizeof signature) || signature != IMAGE_NT_SIGNATURE ||
        !ReadAt(file.Get(), at + sizeof signature, &header, sizeof header))
        return false;
    const ULONGLONG sectionTable = at + sizeof signature + sizeof header + header.SizeOfOptionalHeader;
    std::vector<IMAGE_SECTION_HEADER> sections(header.NumberOfSections);
    if (!sections.empty() &&
        !ReadAt(file.Get(), sectionTable, sections.data(), static_cast<DWORD>(sections.size() * sizeof sections[0])))
        return false;

    ULONGLONG end = sectionTable + sections.size() * sizeof(IMAGE_SECTION_HEADER);
    for (const IMAGE_SECTION_HEADER& section : sections) {
        if (section.SizeOfRawData > 0)
            end = std::max<ULONGLONG>(end, ULONGLONG{section.PointerToRawData} + section.SizeOfRawData);
    }
    // A symbol table of 18-byte entries, followed by its string table, whose first four bytes
    // give its own size.
    if (header.PointerToSymbolTable != 0) {
        const ULONGLONG strings = ULONGLONG{header.PointerToSymbolTable} + ULONGLONG{header.NumberOfSymbols} * 18;
        DWORD stringBytes = 0;
        if (!ReadAt(file.Get(), strings, &stringBytes, sizeof stringBytes))
            return false;
        end = std::max<ULONGLONG>(end, strings + std::max<DWORD>(stringBytes, sizeof stringBytes));
    }
    return end <= fileSize;
}
