// skinpack: packs a skin folder into a skin file and looks inside skin files.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "lzh.h"
#include "skinreader.h"
#include "skinwriter.h"

namespace fs = std::filesystem;

namespace {

constexpr int ExitDone = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

constexpr const char* Usage =
    R"(usage: skinpack pack [--version V] DIR OUT   pack a skin folder into a skin file
       skinpack list FILE                    show the container version and each entry's size and name
       skinpack extract FILE DIR             write every entry into DIR (made if missing)
       skinpack inflate FILE OUT             write the unpacked container bytes

pack: DIR holds the skin description, the one file whose name ends in ".ini",
and the bitmaps it names; nothing else. Entry names are the file names in lower
case. The description is stored first and the bitmaps follow in name order, so
the reader, which takes the first entry whose name contains ".ini" as the
description, always finds it. V is the container version: 20000, 30000, 40000,
50000, 60000 or 70000 (default 70000, the newest).

exit status: 0 done, 1 failed (the reason on standard error), 2 wrong usage
)";

// Any failure of a command: its message goes to standard error, the exit status is 1.
class EFailed : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class EUsage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

bool EndsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

TBytes ReadFile(const fs::path& Path)
{
    std::ifstream in(Path, std::ios::binary);
    if (!in)
        throw EFailed("cannot open " + Path.string());
    TBytes data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw EFailed("cannot read " + Path.string());
    return data;
}

void WriteFile(const fs::path& Path, const TBytes& Data)
{
    std::ofstream out(Path, std::ios::binary | std::ios::trunc);
    if (out)
        out.write(reinterpret_cast<const char*>(Data.data()), static_cast<std::streamsize>(Data.size()));
    out.close();
    if (!out) {
        std::error_code ignored;
        fs::remove(Path, ignored);
        throw EFailed("cannot write " + Path.string());
    }
}

std::int32_t ParseVersion(const std::string& Text)
{
    std::size_t used = 0;
    int version = 0;
    try {
        version = std::stoi(Text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != Text.size() || TSkinReader::VersionBlockSize(version) < 0)
        throw EUsage("unknown container version \"" + Text + "\"");
    return version;
}

int Pack(const std::vector<std::string>& Args)
{
    std::int32_t version = TSkinWriter::NewestVersion;
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < Args.size(); ++i) {
        if (Args[i] == "--version") {
            if (++i == Args.size())
                throw EUsage("--version needs a value");
            version = ParseVersion(Args[i]);
        } else {
            paths.push_back(Args[i]);
        }
    }
    if (paths.size() != 2)
        throw EUsage("pack takes a folder and an output file");
    const fs::path dir = paths[0];
    if (!fs::is_directory(dir))
        throw EFailed(dir.string() + " is not a folder");

    std::vector<fs::path> descriptions;
    std::vector<std::pair<std::string, fs::path>> bitmaps;  // by lower-case name
    for (const auto& item : fs::directory_iterator(dir)) {
        if (!item.is_regular_file())
            throw EFailed(item.path().string() + " is not a file; a skin folder holds only files");
        const std::string name = AsciiLowerCase(item.path().filename().string());
        if (EndsWith(name, ".ini"))
            descriptions.push_back(item.path());
        else
            bitmaps.emplace_back(name, item.path());
    }
    if (descriptions.empty())
        throw EFailed(dir.string() + " holds no description file (a name ending in .ini)");
    if (descriptions.size() > 1)
        throw EFailed(dir.string() + " holds more than one description file (names ending in .ini)");
    std::sort(bitmaps.begin(), bitmaps.end());

    TSkinWriter writer(version);
    try {
        writer.AddEntry(AsciiLowerCase(descriptions[0].filename().string()), ReadFile(descriptions[0]));
        for (const auto& [name, path] : bitmaps)
            writer.AddEntry(name, ReadFile(path));
    } catch (const std::invalid_argument& e) {
        throw EFailed(e.what());
    }
    WriteFile(paths[1], writer.SkinFile());
    return ExitDone;
}

TSkinReader Load(const std::string& File)
{
    TSkinReader reader;
    if (!reader.LoadSkinStream(ReadFile(File)))
        throw EFailed(File + ": unknown container version (an older skin file, or no skin file)");
    return reader;
}

int List(const std::vector<std::string>& Args)
{
    if (Args.size() != 1)
        throw EUsage("list takes one skin file");
    const TSkinReader reader = Load(Args[0]);
    std::cout << "version " << reader.Version() << ", " << reader.Count() << " entries\n";
    for (int i = 0; i < reader.Count(); ++i)
        std::cout << reader.EntrySize(i) << '\t' << reader.Names()[static_cast<std::size_t>(i)] << '\n';
    return ExitDone;
}

// Entry names come from the file: only a plain file name may become a path.
bool IsPlainFileName(const std::string& Name)
{
    return !Name.empty() && Name != "." && Name != ".." && Name.find_first_of("/\\:") == std::string::npos;
}

int Extract(const std::vector<std::string>& Args)
{
    if (Args.size() != 2)
        throw EUsage("extract takes a skin file and a folder");
    const TSkinReader reader = Load(Args[0]);
    for (const auto& name : reader.Names())
        if (!name.empty() && !IsPlainFileName(name))
            throw EFailed(Args[0] + ": entry name \"" + name + "\" is not a plain file name");

    const fs::path dir = Args[1];
    std::error_code error;
    fs::create_directories(dir, error);
    if (error)
        throw EFailed("cannot make " + dir.string() + ": " + error.message());
    std::set<std::string> written;
    TBytes data;
    for (const auto& name : reader.Names()) {
        if (name.empty()) {
            std::cerr << "skinpack: skipping an entry with an empty name\n";
            continue;
        }
        // Lookups find the first of equal names; the later ones are unreachable.
        if (!written.insert(name).second) {
            std::cerr << "skinpack: skipping a second entry named " << name << '\n';
            continue;
        }
        reader.GetEntry(name, data);
        WriteFile(dir / name, data);
    }
    return ExitDone;
}

int Inflate(const std::vector<std::string>& Args)
{
    if (Args.size() != 2)
        throw EUsage("inflate takes a skin file and an output file");
    TBytes unpacked;
    TSkinReader::Decompress(ReadFile(Args[0]), unpacked);
    WriteFile(Args[1], unpacked);
    return ExitDone;
}

int Run(const std::vector<std::string>& Args)
{
    if (Args.empty())
        throw EUsage("no command");
    const std::string& command = Args[0];
    const std::vector<std::string> rest(Args.begin() + 1, Args.end());
    if (command == "pack")
        return Pack(rest);
    if (command == "list")
        return List(rest);
    if (command == "extract")
        return Extract(rest);
    if (command == "inflate")
        return Inflate(rest);
    if (command == "-h" || command == "--help" || command == "help") {
        std::cout << Usage;
        return ExitDone;
    }
    throw EUsage("unknown command \"" + command + "\"");
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const EUsage& e) {
        std::cerr << "skinpack: " << e.what() << "\n\n" << Usage;
        return ExitUsage;
    } catch (const std::exception& e) {
        std::cerr << "skinpack: " << e.what() << '\n';
        return ExitFailed;
    }
}
