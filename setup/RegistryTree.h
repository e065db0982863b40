#pragma once
// Whole registry trees, compared and made equal in place, for the clone restore.
#include <windows.h>

namespace setup {

// Every value of `expected` is in `actual` with the same type and data, and so on for every
// subkey, and `actual` holds nothing more. Names are compared without regard to case.
bool SameTree(HKEY expected, HKEY actual);

// Makes `target`'s values and subkeys those of `source`, keeping `target` itself and each of its
// subkeys that `source` has too, so handles open on them see the new content. Everything is
// written or created first and only then is what `source` lacks deleted, so a write that fails
// leaves every key of `target` in place. Ends with a check of the result against `source`
// (ERROR_INVALID_DATA when they differ).
LONG ReplaceContent(HKEY target, HKEY source);

// Deletes the subkey with all it holds; a subkey that is not there counts as deleted.
LONG DeleteSubtree(HKEY parent, const wchar_t* name);

}  // namespace setup
