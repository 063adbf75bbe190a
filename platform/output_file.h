// Output files that never lose or mix data: numbered files are created
// exclusively, replaced files appear whole or not at all, and a pipe or a
// device gets the bytes where it is.
#pragma once

#include <string>
#include <vector>

// Writes `bytes` to `fileName` when nothing of that name exists yet. Returns
// false, writing nothing, when the name is taken (by a file, a folder or a
// link); raises "Cannot create file ..." on any other failure, and then
// leaves no file behind.
bool writeNewFile(const std::string& fileName, const std::string& bytes);

// Replaces `fileName` with `bytes` in one step: the bytes go to a temporary
// file beside it, which is then renamed over it. A link of that name is
// replaced, never followed, unless it leads to a pipe or a character device:
// those (and a link to one) get the bytes where they are, and nothing is
// renamed. Anything else that is not a regular file (a block device, a
// socket) is refused. Raises "Cannot create file ..." naming `fileName`, and
// then leaves neither a partial file nor the temporary.
void replaceFileAtomically(const std::string& fileName, const std::string& bytes);

// Raises the error replaceFileAtomically would raise for `fileName` when the
// folder takes no new file, the name is a folder or a refused kind, or a
// stream of that name cannot be written, before any work is done.
void checkReplaceable(const std::string& fileName);

// An output and its bytes.
struct OutputBytes {
    std::string fileName;
    std::string bytes;
};

// Replaces each file in turn; one that fails does not stop the others. Then
// raises one create error that names every file that failed, one a line.
void replaceFilesAtomically(const std::vector<OutputBytes>& outputs);

// Whether two names lead to one file, as files, not as strings: links
// followed, and a free name by its folder and its name in it.
bool sameFile(const std::string& first, const std::string& second);
