#pragma once
// Paths as the system reads them: the one spelling of a full path that the install-folder checks
// and the file identities compare, and its parts.
#include <string>
#include <vector>

// The full, long path without a trailing backslash (but "C:\" for a root), with forward slashes,
// repeated and trailing backslashes, "." and "..", trailing dots and blanks of a name, "\\?\"
// and "\\.\" prefixes and the short names of existing folders resolved. Empty when `path` is
// no full path (relative, "\x", "C:x") or not a valid name.
std::wstring NormalisedFolder(const std::wstring& path);

// A normalised path in parts: "C:" or "\\server\share" stands for the root, the rest are the
// names below it.
struct SplitPath {
    std::wstring root;
    std::vector<std::wstring> names;
};
SplitPath SplitNormalised(const std::wstring& normalised);
// The root and the first `count` names joined again ("C:\" for the root alone).
std::wstring JoinedPath(const SplitPath& split, size_t count);

// Paths and names compare without regard to case, as the file system compares them.
bool SamePathText(const std::wstring& a, const std::wstring& b);
// `inner` lies below `outer` (both normalised).
bool PathInside(const std::wstring& inner, const std::wstring& outer);
// "C:\" or "\\server\share" (normalised).
bool IsRootPath(const std::wstring& normalised);
