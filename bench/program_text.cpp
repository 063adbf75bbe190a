#include "bench/program_text.h"

#include "base/crlf_text.h"
#include "base/file_io.h"

namespace {

// Windows editors start a UTF-8 file with one; drivers take it for text and
// reject the header after it.
const std::string byteOrderMark = "\xEF\xBB\xBF";

}  // namespace

ProgramSource splitProgramText(const std::string& bytes) {
    std::string text = bytes.substr(0, bytes.find('\0'));
    std::size_t marks = 0;
    while (text.compare(marks, byteOrderMark.size(), byteOrderMark) == 0) marks += byteOrderMark.size();
    text.erase(0, marks);
    ProgramSource lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lineEnd = text.find_first_of("\r\n", start);
        if (lineEnd == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, lineEnd - start));
        const bool crlf = text[lineEnd] == '\r' && lineEnd + 1 < text.size() && text[lineEnd + 1] == '\n';
        start = lineEnd + (crlf ? 2 : 1);
    }
    return lines;
}

std::string programString(const ProgramSource& source) { return crlfText(source); }

ProgramSource loadProgramText(const std::string& fileName) {
    return splitProgramText(readWholeFile(fileName));
}
