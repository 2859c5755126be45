#pragma once
// The cache folder beside the program, the listing cache file names and the
// dump files of fetched pages in the working folder.

#include <string>
#include <string_view>

namespace kelo {

// The cache folder "Kelo_CASHs" beside the program file (or in the user's data
// folder when that one cannot be made or written), created on demand; reports
// 001005 when neither can be created. Never ends in a separator.
std::string GetCacheFolder();
// The cache folder, a separator and the local time as "%Y%m%d%H%M%S.kls".
std::string MakeCacheFileName();

// Dump file names in the working folder.
inline constexpr const char* DUMP_GETDATA = "getdata.txt";
inline constexpr const char* DUMP_BIDDATA1 = "biddata1.txt";
inline constexpr const char* DUMP_GETDATA2 = "getdata2.txt";
inline constexpr const char* DUMP_ADDMYAUCTION = "addmyauction.txt";
inline constexpr const char* DUMP_ERR_010003 = "ERR_010003.txt";
inline constexpr const char* DUMP_ERR_015004 = "ERR_015004.txt";
inline constexpr const char* DUMP_ERR_070004 = "ERR_070004.txt";
inline constexpr const char* DUMP_ERR_09A001 = "ERR_09A001.TXT";

// Replaces the named file in the working folder with the page's bytes;
// a file that cannot be written is skipped silently.
void WriteDumpFile(const char* name, std::string_view page);

// Test seam: where the program file is taken to be.
void SetProgramPathForTests(const std::string& path);

} // namespace kelo
