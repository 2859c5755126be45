#pragma once
// Replaces a file whole or not at all: the content goes to a temporary file
// beside it, which is flushed to disk and then renamed over the old one, so a
// crash or a full disk in the middle leaves the old file as it was.

#include <string>
#include <string_view>

namespace kelo {

bool WriteFileAtomically(const std::string& path, std::string_view content);

} // namespace kelo
