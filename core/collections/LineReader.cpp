#include "collections/LineReader.h"

namespace kelo {

LineReader::LineReader(const std::string& path, std::size_t maxBytes)
    : file_(std::fopen(path.c_str(), "rb")), maxBytes_(maxBytes) {}

LineReader::~LineReader() {
    if (file_)
        std::fclose(file_);
}

bool LineReader::NextLine(std::string& line, bool& tooLong) {
    line.clear();
    tooLong = false;
    if (!file_)
        return false;
    std::size_t length = 0;
    int c;
    while ((c = std::fgetc(file_)) != EOF) {
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
                --length;
            }
            tooLong = length + 1 > maxBytes_;
            if (tooLong) {
                line.clear();
                return true;
            }
            return !line.empty();
        }
        // Only what could still be a valid line is kept; the rest is counted.
        if (++length <= maxBytes_)
            line.push_back(static_cast<char>(c));
    }
    return false; // end of the file, or a last line without its line end
}

} // namespace kelo
