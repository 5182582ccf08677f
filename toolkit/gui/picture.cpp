// TGraphic, the registries of graphic classes and file extensions, and TPicture.
#include <vector>

#include "formfile.h"
#include "gdiutil.h"
#include "graphics.h"

namespace {

struct TFileFormat {
    String Extension;  // lower case, without the dot
    String Description;
    TGraphicFactory Factory;
};

TGraphic* NewBitmap() { return new TBitmap; }
TGraphic* NewIcon() { return new TIcon; }
TGraphic* NewJPEG() { return new TJPEGImage; }

std::vector<TFileFormat>& FileFormats()
{
    static std::vector<TFileFormat> formats = {
        {"bmp", "Bitmaps", NewBitmap},
        {"ico", "Icons", NewIcon},
        {"jpg", "JPEG Image File", NewJPEG},
        {"jpeg", "JPEG Image File", NewJPEG},
    };
    return formats;
}

struct TGraphicClass {
    String Name;
    TGraphicFactory Factory;
};

std::vector<TGraphicClass>& GraphicClasses()
{
    static std::vector<TGraphicClass> classes = {
        {"TBitmap", NewBitmap},
        {"TIcon", NewIcon},
        {"TJPEGImage", NewJPEG},
    };
    return classes;
}

String NormalExtension(std::string_view ext)
{
    if (!ext.empty() && ext.front() == '.')
        ext.remove_prefix(1);
    return LowerCase(ext);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Stream helpers

std::vector<uint8_t> ReadStreamRest(TStream& s)
{
    int64_t left = s.Size() - s.Position();
    std::vector<uint8_t> data(static_cast<size_t>(left > 0 ? left : 0));
    s.ReadBuffer(data.data(), static_cast<int64_t>(data.size()));
    return data;
}

std::vector<uint8_t> ReadSizedBlock(TStream& s, const char* what)
{
    uint8_t n[4];
    if (s.Read(n, 4) != 4)
        throw EInvalidGraphic(String("Invalid ") + what + " data: the size is missing");
    uint32_t size = n[0] | (n[1] << 8) | (n[2] << 16) | (uint32_t(n[3]) << 24);
    if (size > s.Size() - s.Position())
        throw EInvalidGraphic(String("Invalid ") + what + " data: shorter than its size says");
    std::vector<uint8_t> data(size);
    s.ReadBuffer(data.data(), size);
    return data;
}

void WriteSizedBlock(TStream& s, const std::vector<uint8_t>& data)
{
    uint32_t size = static_cast<uint32_t>(data.size());
    uint8_t n[4] = {static_cast<uint8_t>(size), static_cast<uint8_t>(size >> 8), static_cast<uint8_t>(size >> 16),
                    static_cast<uint8_t>(size >> 24)};
    s.WriteBuffer(n, 4);
    if (size)
        s.WriteBuffer(data.data(), size);
}

// ---------------------------------------------------------------------------------------------
// Graphic classes

void RegisterGraphicClass(const char* className, TGraphicFactory factory)
{
    for (TGraphicClass& c : GraphicClasses())
        if (SameText(c.Name, className)) {
            c.Factory = factory;
            return;
        }
    GraphicClasses().push_back({className, factory});
}

TGraphic* CreateGraphicByClassName(std::string_view className)
{
    for (const TGraphicClass& c : GraphicClasses())
        if (SameText(c.Name, className))
            return c.Factory();
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// TGraphic

const TClassInfo& TGraphic::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TGraphic>("TGraphic", &TPersistent::StaticClass()).Defined("Data").Build();
    return info;
}

void TGraphic::SetSize(int, int)
{
    throw EInvalidGraphic(String("Cannot change the size of a ") + ClassName());
}

void TGraphic::SetTransparent(bool v)
{
    if (v != FTransparent) {
        FTransparent = v;
        Changed();
    }
}

void TGraphic::Changed()
{
    FModified = true;
    Fire(OnChange, this);
}

void TGraphic::LoadFromFile(const String& fileName)
{
    TMemoryStream m;
    m.LoadFromFile(fileName);  // a file that can't be opened is named by its error
    try {
        LoadFromStream(m);
    } catch (const EInvalidGraphic& e) {
        // The reader's reason alone does not say which of a program's pictures is damaged.
        throw EInvalidGraphic("The picture \"" + fileName + "\" is damaged: " + e.Message());
    }
}

void TGraphic::SaveToFile(const String& fileName)
{
    TMemoryStream m;
    SaveToStream(m);
    m.SaveToFile(fileName);
}

void TGraphic::SaveToStream(TStream&)
{
    throw EInvalidGraphic(String("Cannot save a ") + ClassName());
}

void TGraphic::ReadData(TStream& s) { LoadFromStream(s); }

void TGraphic::WriteData(TStream& s) { SaveToStream(s); }

bool TGraphic::ReadDefinedProperty(const String& name, const TFormValue& value)
{
    if (!SameText(name, "Data"))
        return false;
    if (value.Kind != TFormValue::Binary)
        throw EInvalidGraphic("Picture data must be binary");
    TMemoryStream m;
    m.LoadFromBytes(value.Bytes.data(), value.Bytes.size());
    ReadData(m);
    return true;
}

// ---------------------------------------------------------------------------------------------
// TPicture

const TClassInfo& TPicture::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TPicture>("TPicture", &TPersistent::StaticClass()).Defined("Data").Build();
    return info;
}

TPicture::TPicture() = default;

TPicture::~TPicture() = default;

void TPicture::RegisterFileFormat(const String& extension, const String& description, TGraphicFactory factory)
{
    String ext = NormalExtension(extension);
    for (TFileFormat& f : FileFormats())
        if (f.Extension == ext) {
            f.Description = description;
            f.Factory = factory;
            return;
        }
    FileFormats().push_back({ext, description, factory});
}

TGraphicFactory TPicture::FindFileFormat(std::string_view extension)
{
    String ext = NormalExtension(extension);
    for (const TFileFormat& f : FileFormats())
        if (f.Extension == ext)
            return f.Factory;
    return nullptr;
}

void TPicture::Take(TGraphic* g)
{
    FGraphic.Reset(g);
    if (g)
        g->OnChange = TNotifyEvent(this, &TPicture::GraphicChanged);
    Changed();
}

void TPicture::GraphicChanged(TObject*) { Changed(); }

void TPicture::Changed() { Fire(OnChange, this); }

void TPicture::SetGraphic(TGraphic* g)
{
    if (!g) {
        Take(nullptr);
        return;
    }
    if (g == FGraphic.Get())
        return;
    TOwnedObject<TGraphic> copy(CreateGraphicByClassName(g->ClassName()));
    if (!copy)
        throw EInvalidGraphic("Unknown picture class " + g->ClassName());
    copy->Assign(g);
    Take(copy.Release());
}

TBitmap* TPicture::Bitmap()
{
    if (!As<TBitmap>(FGraphic.Get()))
        Take(new TBitmap);
    return static_cast<TBitmap*>(FGraphic.Get());
}

TIcon* TPicture::Icon()
{
    if (!As<TIcon>(FGraphic.Get()))
        Take(new TIcon);
    return static_cast<TIcon*>(FGraphic.Get());
}

void TPicture::LoadFromFile(const String& fileName)
{
    String ext = ExtractFileExt(fileName);
    TGraphicFactory factory = FindFileFormat(ext);
    if (!factory)
        throw EInvalidGraphic("Unknown picture file extension (" + ext + ") of \"" + fileName + "\"");
    TOwnedObject<TGraphic> g(factory());
    g->LoadFromFile(fileName);
    Take(g.Release());
}

void TPicture::SaveToFile(const String& fileName)
{
    if (FGraphic)
        FGraphic->SaveToFile(fileName);
}

void TPicture::Assign(TPersistent* source)
{
    if (!source)
        return SetGraphic(nullptr);
    if (auto* p = As<TPicture>(source))
        return SetGraphic(p->Graphic());
    if (auto* g = As<TGraphic>(source))
        return SetGraphic(g);
    TPersistent::Assign(source);
}

void TPicture::AssignTo(TPersistent* dest)
{
    if (auto* g = As<TGraphic>(dest); g && FGraphic)
        return g->Assign(FGraphic.Get());
    TPersistent::AssignTo(dest);
}

bool TPicture::ReadDefinedProperty(const String& name, const TFormValue& value)
{
    if (!SameText(name, "Data"))
        return false;
    if (value.Kind != TFormValue::Binary)
        throw EInvalidGraphic("Picture data must be binary");
    TMemoryStream m;
    m.LoadFromBytes(value.Bytes.data(), value.Bytes.size());
    ReadData(m);
    return true;
}

void TPicture::ReadData(TStream& s)
{
    uint8_t len = 0;
    if (s.Read(&len, 1) != 1)
        throw EInvalidGraphic("Invalid picture data: the class name is missing");
    String name(len, '\0');
    if (len && s.Read(name.data(), len) != len)
        throw EInvalidGraphic("Invalid picture data: the class name is truncated");
    if (name.empty()) {
        Take(nullptr);
        return;
    }
    TOwnedObject<TGraphic> g(CreateGraphicByClassName(name));
    if (!g)
        throw EInvalidGraphic("Unknown picture class " + name);
    g->ReadData(s);
    Take(g.Release());
}

void TPicture::WriteData(TStream& s)
{
    String name = FGraphic ? FGraphic->ClassName() : String();
    uint8_t len = static_cast<uint8_t>(name.size());
    s.WriteBuffer(&len, 1);
    s.WriteBuffer(name.data(), len);
    if (FGraphic)
        FGraphic->WriteData(s);
}
