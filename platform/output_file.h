// Output files that never lose or mix data: numbered files are created
// exclusively, and replaced files appear whole or not at all.
#pragma once

#include <string>

// Writes `bytes` to `fileName` when nothing of that name exists yet. Returns
// false, writing nothing, when the name is taken (by a file, a folder or a
// link); raises "Cannot create file ..." on any other failure, and then
// leaves no file behind.
bool writeNewFile(const std::string& fileName, const std::string& bytes);

// Replaces `fileName` with `bytes` in one step: the bytes go to a temporary
// file beside it, which is then renamed over it. A link of that name is
// replaced, never followed. Raises "Cannot create file ..." naming
// `fileName`, and then leaves neither a partial file nor the temporary.
void replaceFileAtomically(const std::string& fileName, const std::string& bytes);

// Raises the error replaceFileAtomically would raise for `fileName` when the
// folder takes no new file or the name is a folder, before any work is done.
void checkReplaceable(const std::string& fileName);
