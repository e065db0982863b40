#pragma once
#include <string>
#include <vector>

namespace testsupport {
// The Windows folder and the system folder, as the system names them.
std::wstring WindowsFolder();
std::wstring SystemFolder();
// Full path of a file in the folder of the running test program (all programs of the build
// land in one bin folder).
std::wstring BinPath(const std::wstring& fileName);
// A fresh empty folder under %TEMP% for this test, removed by the caller when it wants.
std::wstring MakeTempDir(const std::wstring& stem);
// Writes bytes to a file; returns false on failure.
bool WriteFileBytes(const std::wstring& path, const void* data, size_t size);
// Every file and folder below `folder`, as full paths, each folder before what it holds.
std::vector<std::wstring> TreeBelow(const std::wstring& folder);
}  // namespace testsupport
