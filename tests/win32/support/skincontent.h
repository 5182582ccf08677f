#pragma once
// A skin as its description and named pictures: read from a skin file, changed by a test, and
// packed again by our own packer into a skin file the skin data component loads.
#include <windows.h>

#include <utility>
#include <vector>

#include "classes.h"
#include "skinreader.h"
#include "skinwriter.h"
#include "sysutils.h"

struct TSkinContent {
    String Origin;
    String IniName;
    String Ini;
    std::vector<std::pair<String, TBytes>> Pictures;

    // The skin file our packer makes of it.
    TBytes Packed(int32_t version = TSkinWriter::NewestVersion) const
    {
        TSkinWriter writer(version);
        writer.AddEntry(IniName, TBytes(Ini.begin(), Ini.end()));
        for (const auto& [name, bytes] : Pictures)
            writer.AddEntry(name, bytes);
        // Literals only: quicker to make, and the reader decodes it like any other.
        return writer.SkinFile({.UseMatches = false});
    }
};

inline TSkinContent FromSkinFile(const String& path)
{
    TMemoryStream file;
    file.LoadFromFile(path);
    TSkinReader reader;
    if (!reader.LoadSkinStream(file.Bytes()))
        throw Exception("not a skin file: " + path);
    TSkinContent skin{path, {}, {}, {}};
    for (const String& name : reader.Names()) {
        TBytes bytes;
        reader.GetEntry(name, bytes);
        if (name.find(".ini") != String::npos && skin.IniName.empty()) {
            skin.IniName = name;
            skin.Ini.assign(bytes.begin(), bytes.end());
        } else {
            skin.Pictures.emplace_back(name, std::move(bytes));
        }
    }
    return skin;
}

// A skin file of this test program's own in the temporary folder; `kind` tells the programs'
// files apart.
inline String TempSkinFile(const String& kind)
{
    char dir[MAX_PATH] = {};
    GetTempPathA(sizeof dir, dir);
    return String(dir) + "velmora-" + kind + "-" + IntToStr(GetCurrentProcessId()) + ".skn";
}
