#pragma once
// Reads the program's small list files line by line with a fixed maximum line
// length, as they have always been read: a line is at most maxBytes bytes,
// its line end included.

#include <cstdio>
#include <string>

namespace kelo {

class LineReader {
public:
    LineReader(const std::string& path, std::size_t maxBytes);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    // The next complete line without its line end (LF or CR LF). False at the
    // end of the file, at an empty line and at a last line without its line
    // end. A line longer than the limit is passed over whole and flagged.
    bool NextLine(std::string& line, bool& tooLong);

private:
    std::FILE* file_;
    std::size_t maxBytes_;
};

} // namespace kelo
