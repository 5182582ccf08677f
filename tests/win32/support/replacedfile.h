#pragma once
// A data file of the program folder replaced while a test runs: moved aside, and put back when
// the scope ends.
#include <cstdint>
#include <optional>
#include <vector>

#include "sysutils.h"

using TFileContent = std::vector<uint8_t>;

class TReplacedFile {
public:
    // With content the file holds exactly those bytes; without it the file is missing.
    TReplacedFile(String path, const std::optional<TFileContent>& content);
    ~TReplacedFile();
    TReplacedFile(const TReplacedFile&) = delete;
    TReplacedFile& operator=(const TReplacedFile&) = delete;

    const String& Path() const { return FPath; }

private:
    String FPath;
    bool FMoved = false;
};

// The bytes of a file (empty when it can't be read).
TFileContent FileContent(const String& path);
