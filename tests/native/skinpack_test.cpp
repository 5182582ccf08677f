// The skinpack tool, run as the build runs it, on our test skin.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "skinini.h"
#include "skinreader.h"
#include "skintestutil.h"
#include "skinwriter.h"

namespace fs = std::filesystem;

namespace {

TBytes ReadFile(const fs::path& Path)
{
    std::ifstream in(Path, std::ios::binary);
    return TBytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& Path, const TBytes& Data)
{
    std::ofstream(Path, std::ios::binary).write(reinterpret_cast<const char*>(Data.data()),
                                                 static_cast<std::streamsize>(Data.size()));
}

class SkinPack : public testing::Test {
protected:
    void SetUp() override
    {
        FDir = fs::temp_directory_path() / ("skinpack-test-" + std::to_string(getpid()));
        fs::remove_all(FDir);
        fs::create_directories(FDir);
    }
    void TearDown() override { fs::remove_all(FDir); }

    // Runs skinpack with Args; keeps its output and error text.
    int Run(const std::string& Args)
    {
        const std::string command = std::string(SKINPACK_EXE) + " " + Args + " >" + (FDir / "out").string() +
                                    " 2>" + (FDir / "err").string();
        const int status = std::system(command.c_str());
        Out = std::string(BytesToText(ReadFile(FDir / "out")));
        Err = std::string(BytesToText(ReadFile(FDir / "err")));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    static std::string BytesToText(const TBytes& Bytes) { return std::string(Bytes.begin(), Bytes.end()); }
    std::string Path(const std::string& Name) const { return (FDir / Name).string(); }

    const fs::path Basic = fs::path(TEST_SKINS_DIR) / "basic";
    fs::path FDir;
    std::string Out;
    std::string Err;
};

}  // namespace

TEST_F(SkinPack, PacksListsExtractsAndInflates)
{
    ASSERT_EQ(Run("pack " + Basic.string() + " " + Path("basic.skn")), 0) << Err;

    TSkinReader reader;
    const TBytes file = ReadFile(Path("basic.skn"));
    ASSERT_TRUE(reader.LoadSkinStream(file));
    EXPECT_EQ(reader.Version(), 70000);
    EXPECT_EQ(reader.Names(), (std::vector<std::string>{"skin.ini", "caption.bmp", "left.bmp"}));
    TBytes description;
    std::string name;
    reader.FindEntry(".ini", description, name);
    EXPECT_EQ(description, ReadFile(Basic / "skin.ini"));
    TQuickIni ini;
    ini.LoadFromStream(description);
    EXPECT_EQ(ini.ReadString("TitlebarSkin", "SkinName", ""), "Basic Test");
    EXPECT_EQ(ini.ReadInteger("Buttons", "NormalColour", 0), static_cast<std::int32_t>(0xFF000008));

    ASSERT_EQ(Run("list " + Path("basic.skn")), 0) << Err;
    EXPECT_EQ(Out, "version 70000, 3 entries\n" + std::to_string(fs::file_size(Basic / "skin.ini")) +
                       "\tskin.ini\n630\tcaption.bmp\n246\tleft.bmp\n");

    ASSERT_EQ(Run("extract " + Path("basic.skn") + " " + Path("x")), 0) << Err;
    for (const char* entry : {"skin.ini", "caption.bmp", "left.bmp"})
        EXPECT_EQ(ReadFile(FDir / "x" / entry), ReadFile(Basic / entry)) << entry;

    ASSERT_EQ(Run("inflate " + Path("basic.skn") + " " + Path("raw")), 0) << Err;
    TBytes unpacked;
    TSkinReader::Decompress(file, unpacked);
    EXPECT_EQ(ReadFile(Path("raw")), unpacked);

    ASSERT_EQ(Run("pack --version 20000 " + Basic.string() + " " + Path("old.skn")), 0) << Err;
    ASSERT_TRUE(reader.LoadSkinStream(ReadFile(Path("old.skn"))));
    EXPECT_EQ(reader.Version(), 20000);
}

TEST_F(SkinPack, FailsWithAReason)
{
    fs::create_directories(FDir / "none");
    WriteFile(FDir / "none" / "a.bmp", BytesOf("x"));
    EXPECT_EQ(Run("pack " + Path("none") + " " + Path("o.skn")), 1);
    EXPECT_NE(Err.find("holds no description file"), std::string::npos) << Err;
    EXPECT_FALSE(fs::exists(Path("o.skn")));

    fs::create_directories(FDir / "two");
    WriteFile(FDir / "two" / "a.ini", BytesOf("x"));
    WriteFile(FDir / "two" / "B.INI", BytesOf("y"));
    EXPECT_EQ(Run("pack " + Path("two") + " " + Path("o.skn")), 1);
    EXPECT_NE(Err.find("more than one description file"), std::string::npos) << Err;

    fs::create_directories(FDir / "dup");  // two names the reader could not tell apart
    WriteFile(FDir / "dup" / "skin.ini", BytesOf("x"));
    WriteFile(FDir / "dup" / "a.bmp", BytesOf("x"));
    WriteFile(FDir / "dup" / "A.bmp", BytesOf("y"));
    EXPECT_EQ(Run("pack " + Path("dup") + " " + Path("o.skn")), 1);
    EXPECT_NE(Err.find("entry name \"a.bmp\" is already taken"), std::string::npos) << Err;

    WriteFile(FDir / "cut.skn", BytesOf("\x10\x00\x00"));
    EXPECT_EQ(Run("list " + Path("cut.skn")), 1);
    EXPECT_NE(Err.find("too short to hold its unpacked size"), std::string::npos) << Err;

    // Entry names come from the file and must not reach outside the target folder.
    TSkinWriter writer;
    writer.AddEntry("skin.ini", BytesOf("[A]"));
    writer.AddEntry("../escape.bmp", BytesOf("x"));
    WriteFile(FDir / "evil.skn", writer.SkinFile());
    EXPECT_EQ(Run("extract " + Path("evil.skn") + " " + Path("x")), 1);
    EXPECT_NE(Err.find("is not a plain file name"), std::string::npos) << Err;
    EXPECT_FALSE(fs::exists(FDir / "escape.bmp"));

    EXPECT_EQ(Run("pack --version 12345 " + Basic.string() + " " + Path("o.skn")), 2);
    EXPECT_NE(Err.find("unknown container version"), std::string::npos) << Err;
    EXPECT_EQ(Run("squash a b"), 2);
    EXPECT_EQ(Run(""), 2);
}
