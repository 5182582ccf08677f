#include "replacedfile.h"

#include <windows.h>

#include "classes.h"

TReplacedFile::TReplacedFile(String path, const std::optional<TFileContent>& content) : FPath(std::move(path))
{
    const String aside = FPath + ".aside";
    if (GetFileAttributesA(FPath.c_str()) != INVALID_FILE_ATTRIBUTES)
        FMoved = MoveFileExA(FPath.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    if (!content)
        return;
    TMemoryStream s;
    s.LoadFromBytes(content->data(), content->size());
    s.SaveToFile(FPath);
}

TReplacedFile::~TReplacedFile()
{
    DeleteFileA(FPath.c_str());
    if (FMoved)
        MoveFileExA((FPath + ".aside").c_str(), FPath.c_str(), MOVEFILE_REPLACE_EXISTING);
}

TFileContent FileContent(const String& path)
{
    TMemoryStream s;
    try {
        s.LoadFromFile(path);
    } catch (const Exception&) {
        return {};
    }
    return s.Bytes();
}
