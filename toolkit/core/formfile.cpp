#include "formfile.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "classes.h"

namespace {

// ---------------------------------------------------------------- lexer

enum class Tok { End, Ident, Str, Int, Real, Sym, Hex };

struct Token {
    Tok Kind = Tok::End;
    String Text;    // identifier, string value, symbol, hex digits
    int64_t Int = 0;
    double Real = 0;
    int Line = 1;
};

[[noreturn]] void Fail(const String& file, int line, const String& msg, const String& word)
{
    throw EReadError(file + "(" + IntToStr(line) + "): " + msg + " '" + word + "'");
}

class Lexer {
public:
    Lexer(std::string_view text, const String& file) : FText(text), FFile(file) { Next(); }

    const Token& Cur() const { return FCur; }
    const String& File() const { return FFile; }

    void Next()
    {
        SkipBlanks();
        FCur = Token();
        FCur.Line = FLine;
        if (FPos >= FText.size()) {
            FCur.Kind = Tok::End;
            return;
        }
        char c = FText[FPos];
        if (IsAlpha(c))
            return LexIdent();
        if (c == '\'' || c == '#')
            return LexString();
        if ((c >= '0' && c <= '9') || c == '$' ||
            ((c == '-' || c == '+') && FPos + 1 < FText.size() &&
             ((FText[FPos + 1] >= '0' && FText[FPos + 1] <= '9') || FText[FPos + 1] == '$')))
            return LexNumber();
        if (c == '{')
            return LexHex();
        if (std::string_view("=:[](),<>.+-").find(c) != std::string_view::npos) {
            FCur.Kind = Tok::Sym;
            FCur.Text = String(1, c);
            ++FPos;
            return;
        }
        Fail(FFile, FLine, "Invalid character", String(1, c));
    }

    [[noreturn]] void Error(const String& msg) const
    {
        Fail(FFile, FCur.Line, msg, FCur.Kind == Tok::End ? String("end of file") : FCur.Text);
    }

    bool IsSym(char c) const { return FCur.Kind == Tok::Sym && FCur.Text[0] == c; }
    bool IsWord(std::string_view w) const { return FCur.Kind == Tok::Ident && SameText(FCur.Text, w); }

    void Expect(char c)
    {
        if (!IsSym(c))
            Error(String("'") + c + "' expected but found");
        Next();
    }

    String ExpectIdent(const char* what)
    {
        if (FCur.Kind != Tok::Ident)
            Error(String(what) + " expected but found");
        String s = FCur.Text;
        Next();
        return s;
    }

private:
    static bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

    void SkipBlanks()
    {
        while (FPos < FText.size()) {
            char c = FText[FPos];
            if (c == '\n') {
                ++FLine;
                ++FPos;
            } else if (static_cast<unsigned char>(c) <= ' ') {
                ++FPos;
            } else if (c == '/' && FPos + 1 < FText.size() && FText[FPos + 1] == '/') {
                while (FPos < FText.size() && FText[FPos] != '\n')
                    ++FPos;
            } else {
                break;
            }
        }
    }

    void LexIdent()
    {
        size_t b = FPos;
        // Dotted names (Font.Name, Form1.PopupMenu1) are one token.
        while (FPos < FText.size() && (IsAlpha(FText[FPos]) || IsDigit(FText[FPos]) ||
                                       (FText[FPos] == '.' && FPos + 1 < FText.size() && IsAlpha(FText[FPos + 1]))))
            ++FPos;
        FCur.Kind = Tok::Ident;
        FCur.Text = String(FText.substr(b, FPos - b));
    }

    void LexString()
    {
        String value;
        for (;;) {
            if (FPos < FText.size() && FText[FPos] == '\'') {
                ++FPos;
                for (;;) {
                    if (FPos >= FText.size() || FText[FPos] == '\n')
                        Fail(FFile, FLine, "Unterminated string", value);
                    char c = FText[FPos++];
                    if (c == '\'') {
                        if (FPos < FText.size() && FText[FPos] == '\'') {
                            value += '\'';
                            ++FPos;
                            continue;
                        }
                        break;
                    }
                    value += c;
                }
            } else if (FPos < FText.size() && FText[FPos] == '#') {
                ++FPos;
                size_t b = FPos;
                while (FPos < FText.size() && IsDigit(FText[FPos]))
                    ++FPos;
                std::string_view digits = FText.substr(b, FPos - b);
                int code = 0;
                if (digits.empty() || digits.size() > 3 || !TryStrToInt(digits, code) || code > 255)
                    Fail(FFile, FLine, "Invalid character code", "#" + String(digits));
                value += static_cast<char>(code);
            } else {
                break;
            }
        }
        FCur.Kind = Tok::Str;
        FCur.Text = value;
    }

    void LexNumber()
    {
        size_t b = FPos;
        if (FText[FPos] == '-' || FText[FPos] == '+')
            ++FPos;
        bool hex = FPos < FText.size() && FText[FPos] == '$';
        if (hex)
            ++FPos;
        bool real = false;
        while (FPos < FText.size()) {
            char c = FText[FPos];
            if (IsDigit(c) || (hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')))) {
                ++FPos;
            } else if (!hex && (c == '.' || c == 'e' || c == 'E') && FPos + 1 < FText.size() &&
                       (IsDigit(FText[FPos + 1]) || FText[FPos + 1] == '-' || FText[FPos + 1] == '+')) {
                real = true;
                FPos += 2;
            } else {
                break;
            }
        }
        String word(FText.substr(b, FPos - b));
        FCur.Text = word;
        if (real) {
            FCur.Kind = Tok::Real;
            try {
                FCur.Real = std::stod(word);
            } catch (const std::exception&) {
                Fail(FFile, FLine, "Invalid number", word);
            }
            return;
        }
        int v = 0;
        if (!TryStrToInt(word, v))
            Fail(FFile, FLine, "Invalid number", word);
        FCur.Kind = Tok::Int;
        FCur.Int = v;
    }

    void LexHex()
    {
        ++FPos;
        String digits;
        for (;;) {
            if (FPos >= FText.size())
                Fail(FFile, FLine, "Unterminated binary data", "{");
            char c = FText[FPos++];
            if (c == '}')
                break;
            if (c == '\n')
                ++FLine;
            if (static_cast<unsigned char>(c) <= ' ')
                continue;
            bool ok = IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
            if (!ok)
                Fail(FFile, FLine, "Invalid binary data", String(1, c));
            digits += c;
        }
        if (digits.size() % 2)
            Fail(FFile, FLine, "Odd number of hex digits in binary data", "}");
        FCur.Kind = Tok::Hex;
        FCur.Text = std::move(digits);
    }

    std::string_view FText;
    String FFile;
    size_t FPos = 0;
    int FLine = 1;
    Token FCur;
};

// ---------------------------------------------------------------- parser

class Parser {
public:
    Parser(std::string_view text, const String& file) : L(text, file) {}

    TFormNode Root()
    {
        TFormNode n = Object();
        if (L.Cur().Kind != Tok::End)
            L.Error("End of file expected but found");
        return n;
    }

private:
    TFormNode Object()
    {
        if (!L.IsWord("object") && !L.IsWord("inherited"))
            L.Error("'object' expected but found");
        TFormNode n;
        n.Line = L.Cur().Line;
        L.Next();
        n.Name = L.ExpectIdent("Component name");
        L.Expect(':');
        n.ClassName = L.ExpectIdent("Class name");
        for (;;) {
            if (L.IsWord("end")) {
                L.Next();
                return n;
            }
            if (L.IsWord("object") || L.IsWord("inherited")) {
                n.Children.push_back(Object());
                continue;
            }
            if (L.Cur().Kind != Tok::Ident)
                L.Error("Property name expected but found");
            n.Props.push_back(Prop());
        }
    }

    TFormProp Prop()
    {
        TFormProp p;
        p.Line = L.Cur().Line;
        p.Name = L.Cur().Text;
        L.Next();
        L.Expect('=');
        p.Value = Value();
        return p;
    }

    TFormValue Value()
    {
        TFormValue v;
        v.Line = L.Cur().Line;
        const Token& t = L.Cur();
        switch (t.Kind) {
        case Tok::Str:
            v.Kind = TFormValue::String_;
            v.Text = t.Text;
            L.Next();
            while (L.IsSym('+')) {  // 'long ' + 'text' across lines
                L.Next();
                if (L.Cur().Kind != Tok::Str)
                    L.Error("String expected but found");
                v.Text += L.Cur().Text;
                L.Next();
            }
            return v;
        case Tok::Int:
            v.Kind = TFormValue::Integer;
            v.Int = t.Int;
            v.Text = t.Text;
            L.Next();
            return v;
        case Tok::Real:
            v.Kind = TFormValue::Float;
            v.Real = t.Real;
            v.Text = t.Text;
            L.Next();
            return v;
        case Tok::Ident:
            v.Kind = TFormValue::Ident;
            v.Text = t.Text;
            L.Next();
            return v;
        case Tok::Hex:
            v.Kind = TFormValue::Binary;
            v.Bytes.reserve(t.Text.size() / 2);
            for (size_t i = 0; i < t.Text.size(); i += 2)
                v.Bytes.push_back(static_cast<uint8_t>(std::stoi(t.Text.substr(i, 2), nullptr, 16)));
            L.Next();
            return v;
        case Tok::Sym:
            break;
        case Tok::End:
            L.Error("Value expected but found");
        }
        if (L.IsSym('[')) {
            v.Kind = TFormValue::Set;
            L.Next();
            while (!L.IsSym(']')) {
                v.Elements.push_back(L.ExpectIdent("Set element"));
                if (L.IsSym(','))
                    L.Next();
                else if (!L.IsSym(']'))
                    L.Error("',' or ']' expected but found");
            }
            L.Next();
            return v;
        }
        if (L.IsSym('(')) {
            v.Kind = TFormValue::List;
            L.Next();
            while (!L.IsSym(')')) {
                if (L.Cur().Kind == Tok::End)
                    L.Error("')' expected but found");
                v.Items.push_back(Value());
                if (L.IsSym(','))
                    L.Next();
            }
            L.Next();
            return v;
        }
        if (L.IsSym('<')) {
            v.Kind = TFormValue::Collection;
            L.Next();
            while (!L.IsSym('>')) {
                if (!L.IsWord("item"))
                    L.Error("'item' expected but found");
                L.Next();
                std::vector<TFormProp> props;
                while (!L.IsWord("end")) {
                    if (L.Cur().Kind != Tok::Ident)
                        L.Error("Property name expected but found");
                    props.push_back(Prop());
                }
                L.Next();
                v.CollItems.push_back(std::move(props));
            }
            L.Next();
            return v;
        }
        L.Error("Invalid property value");
    }

    Lexer L;
};

// ---------------------------------------------------------------- shared tables

std::map<String, int32_t>& IdentConsts()
{
    static std::map<String, int32_t> m;
    return m;
}

TFindGlobalComponent gFindGlobal = nullptr;

struct Fixup {
    TComponent* Instance;  // the component whose property waits
    String PropPath;
    String RootName;       // the form it names
    String Target;         // the component on that form
    String File;
    int Line;
};
std::vector<Fixup> gPendingFixups;

// ---------------------------------------------------------------- reader

class Reader {
public:
    Reader(TComponent* root, const String& file, bool checkOnly) : FRoot(root), FFile(file), FCheck(checkOnly) {}

    void ReadRoot(const TFormNode& n, const TClassInfo& rootClass)
    {
        FRootClass = &rootClass;
        if (!SameText(n.ClassName, rootClass.Name))
            Fail(FFile, n.Line, "Form file describes another class than " + String(rootClass.Name), n.ClassName);
        if (!FCheck) {
            FRoot->SetLoadingState(true);
            FLoaded.push_back(FRoot);
            if (FRoot->Name().empty())
                FRoot->SetName(n.Name);
        }
        ReadBody(FRoot, &rootClass, n);
        if (FCheck)
            CheckNamesUsed(n);
    }

    void Finish()
    {
        if (FCheck)
            return;
        for (const Fixup& f : FLocalFixups)
            ResolveLocal(f);
        ResolvePendingGlobal();
        for (TComponent* c : FLoaded)
            c->SetLoadingState(false);
        for (TComponent* c : FLoaded)
            c->Loaded();
    }

    // After a failure: components already created stay owned by the root, which frees them.
    void Abandon()
    {
        for (TComponent* c : FLoaded)
            c->EndLoading();
    }

private:
    void ReadBody(TComponent* obj, const TClassInfo* cls, const TFormNode& n)
    {
        for (const TFormProp& p : n.Props)
            ReadProp(obj, cls, p);
        for (const TFormNode& child : n.Children)
            ReadChild(obj, child);
    }

    void ReadChild(TComponent* parent, const TFormNode& n)
    {
        const TClassInfo* cls = FindClassInfo(n.ClassName);
        if (!cls)
            Fail(FFile, n.Line, "Class not found", n.ClassName);
        if (!cls->Create)
            Fail(FFile, n.Line, "Class cannot be created from a form file", n.ClassName);
        if (FCheck) {
            if (!FNames.emplace(UpperCase(n.Name), cls).second)
                Fail(FFile, n.Line, "Duplicate component name", n.Name);
            ReadBody(nullptr, cls, n);
            return;
        }
        TComponent* c = nullptr;
        try {
            c = cls->Create(FRoot);
            c->SetLoadingState(true);
            FLoaded.push_back(c);
            c->SetName(n.Name);
            c->SetParentComponent(parent);
        } catch (const EReadError&) {
            throw;
        } catch (const Exception& e) {
            Fail(FFile, n.Line, e.Message() + ":", n.Name);
        }
        ReadBody(c, cls, n);
    }

    // Walks a dotted name (Font.Name) down to the object that holds the last part.
    void ReadProp(TObject* obj, const TClassInfo* cls, const TFormProp& p)
    {
        String path = p.Name;
        size_t dot;
        while ((dot = path.find('.')) != String::npos) {
            String head = path.substr(0, dot);
            const TPropInfo* pi = cls->FindProp(head);
            if (!pi || pi->Kind != TPropKind::Object)
                Fail(FFile, p.Line, "Property does not exist", p.Name);
            cls = pi->Class();
            if (obj) {
                obj = pi->Get(obj).Obj;
                if (!obj)
                    Fail(FFile, p.Line, "Property has no object", p.Name);
                cls = &obj->ClassType();
            }
            path = path.substr(dot + 1);
        }
        const TPropInfo* pi = cls->FindProp(path);
        if (!pi) {
            if (cls->HasDefined(path)) {
                if (obj)
                    Guard(p, [&] {
                        if (!static_cast<TPersistent*>(obj)->ReadDefinedProperty(path, p.Value))
                            Fail(FFile, p.Line, "Property does not exist", p.Name);
                    });
                return;
            }
            Fail(FFile, p.Line, "Property does not exist", p.Name);
        }
        Guard(p, [&] { SetValue(obj, *pi, p); });
    }

    template <class F>
    void Guard(const TFormProp& p, F f)
    {
        try {
            f();
        } catch (const EReadError&) {
            throw;
        } catch (const Exception& e) {
            Fail(FFile, p.Line, "Error reading " + p.Name + ": " + e.Message(), p.Value.AsText());
        }
    }

    void SetValue(TObject* obj, const TPropInfo& pi, const TFormProp& p)
    {
        const TFormValue& v = p.Value;
        switch (pi.Kind) {
        case TPropKind::Event:
            return SetEvent(obj, pi, p);
        case TPropKind::Component:
            return SetReference(obj, pi, p);
        case TPropKind::Object:
            return SetObject(obj, pi, p);
        default:
            break;
        }
        TValue value;
        if ((pi.Kind == TPropKind::Integer || pi.Kind == TPropKind::Color) && v.Kind == TFormValue::Ident) {
            int32_t n = 0;
            if (!IdentToInt(v.Text, n))
                Fail(FFile, p.Line, "Invalid property value", v.Text);
            value = TValue::OfInt(n);
            value.Kind = pi.Kind;
        } else {
            CheckShape(pi, p);
            value = ValueFromText(pi, v.AsText());
        }
        if (obj) {
            if (!pi.Set)
                Fail(FFile, p.Line, "Property is read-only", p.Name);
            pi.Set(obj, value);
        }
    }

    void CheckShape(const TPropInfo& pi, const TFormProp& p)
    {
        const TFormValue& v = p.Value;
        bool ok = true;
        switch (pi.Kind) {
        case TPropKind::String: ok = v.Kind == TFormValue::String_; break;
        case TPropKind::Integer:
        case TPropKind::Color: ok = v.Kind == TFormValue::Integer; break;
        case TPropKind::Float: ok = v.Kind == TFormValue::Float || v.Kind == TFormValue::Integer; break;
        case TPropKind::Boolean:
        case TPropKind::Enum: ok = v.Kind == TFormValue::Ident; break;
        case TPropKind::Set: ok = v.Kind == TFormValue::Set; break;
        default: ok = false;
        }
        if (!ok)
            Fail(FFile, p.Line, "Invalid property value for " + p.Name, v.AsText());
    }

    void SetEvent(TObject* obj, const TPropInfo& pi, const TFormProp& p)
    {
        if (p.Value.Kind != TFormValue::Ident)
            Fail(FFile, p.Line, "Handler name expected for " + p.Name, p.Value.AsText());
        const THandlerInfo* h = FRootClass->FindHandler(p.Value.Text);
        if (!h)
            Fail(FFile, p.Line, "Handler not found", p.Value.Text);
        TAnyMethod m = h->Unbound;
        if (!obj) {
            // Checking: compare signatures through the property's current (empty) value.
            return;
        }
        m.Data = FRoot;
        pi.Set(obj, TValue::OfMethod(m));
    }

    void SetReference(TObject* obj, const TPropInfo& pi, const TFormProp& p)
    {
        if (p.Value.Kind != TFormValue::Ident)
            Fail(FFile, p.Line, "Component name expected for " + p.Name, p.Value.AsText());
        if (!obj) {
            FCheckedReferences.push_back(p);
            return;
        }
        if (SameText(p.Value.Text, "nil")) {
            pi.Set(obj, TValue::OfObject(nullptr));
            return;
        }
        Fixup f{static_cast<TComponent*>(obj), pi.Name, String(), p.Value.Text, FFile, p.Line};
        size_t dot = p.Value.Text.find('.');
        if (dot != String::npos) {
            f.RootName = p.Value.Text.substr(0, dot);
            f.Target = p.Value.Text.substr(dot + 1);
            if (!SameText(f.RootName, FRoot->Name())) {
                gPendingFixups.push_back(f);
                return;
            }
        }
        FLocalFixups.push_back(f);
    }

    void SetObject(TObject* obj, const TPropInfo& pi, const TFormProp& p)
    {
        if (p.Value.Kind != TFormValue::Collection || !pi.Class()->InheritsFrom(TCollection::StaticClass()))
            Fail(FFile, p.Line, "Invalid property value for " + p.Name, p.Value.AsText());
        if (!obj) {
            return;  // items are checked when they are created
        }
        auto* coll = As<TCollection>(pi.Get(obj).Obj);
        if (!coll)
            Fail(FFile, p.Line, "Property has no collection", p.Name);
        coll->BeginUpdate();
        coll->Clear();
        for (const auto& props : p.Value.CollItems) {
            TCollectionItem* item = coll->Add();
            for (const TFormProp& ip : props)
                ReadProp(item, &item->ClassType(), ip);
        }
        coll->EndUpdate();
    }

    // Checking: the references to this file's components and the class's component fields
    // name components the file has (references into other forms are left to the reader).
    void CheckNamesUsed(const TFormNode& root)
    {
        for (const TFormProp& p : FCheckedReferences) {
            String target = p.Value.Text;
            const size_t dot = target.find('.');
            if (dot != String::npos) {
                if (!SameText(target.substr(0, dot), root.Name))
                    continue;
                target = target.substr(dot + 1);
            }
            if (!SameText(target, "nil") && !SameText(target, root.Name) && !FNames.count(UpperCase(target)))
                Fail(FFile, p.Line, "Component not found", target);
        }
        for (const TClassInfo* c = FRootClass; c; c = c->Parent)
            for (const TFieldInfo& f : c->Fields) {
                auto found = FNames.find(UpperCase(f.Name));
                if (found == FNames.end())
                    Fail(FFile, root.Line, "Component of a field not found", f.Name);
                if (!found->second->InheritsFrom(f.ClassOf()))
                    Fail(FFile, root.Line, "Component is not a " + String(f.ClassOf().Name), f.Name);
            }
    }

    void ResolveLocal(const Fixup& f)
    {
        TComponent* target = SameText(f.Target, FRoot->Name()) ? FRoot : FRoot->FindComponent(f.Target);
        if (!target)
            Fail(f.File, f.Line, "Component not found", f.Target);
        SetPropValue(f.Instance, f.PropPath, TValue::OfObject(target));
    }

    std::vector<TComponent*> FLoaded;
    std::vector<Fixup> FLocalFixups;
    std::map<String, const TClassInfo*> FNames;  // checking: the components, by upper-case name
    std::vector<TFormProp> FCheckedReferences;
    TComponent* FRoot;
    const TClassInfo* FRootClass = nullptr;
    String FFile;
    bool FCheck;

public:
    static void ResolvePendingGlobal()
    {
        if (!gFindGlobal)
            return;
        std::vector<Fixup> still;
        for (const Fixup& f : gPendingFixups) {
            TComponent* root = gFindGlobal(f.RootName);
            TComponent* target = root ? root->FindComponent(f.Target) : nullptr;
            if (!target) {
                still.push_back(f);
                continue;
            }
            SetPropValue(f.Instance, f.PropPath, TValue::OfObject(target));
        }
        gPendingFixups.swap(still);
    }
};

}  // namespace

String TFormValue::AsText() const
{
    switch (Kind) {
    case Integer:
        return IntToStr(Int);
    case Float:
        return Text;
    case Set: {
        String r = "[";
        for (size_t i = 0; i < Elements.size(); ++i)
            r += (i ? "," : "") + Elements[i];
        return r + "]";
    }
    case List:
        return "(...)";
    case Binary:
        return "{...}";
    case Collection:
        return "<...>";
    default:
        return Text;
    }
}

TFormNode ParseFormText(std::string_view text, const String& fileName)
{
    return Parser(text, fileName).Root();
}

void ReadFormInto(TComponent* root, std::string_view text, const String& fileName)
{
    TFormNode n = ParseFormText(text, fileName);
    Reader r(root, fileName, false);
    try {
        r.ReadRoot(n, root->ClassType());
        r.Finish();
    } catch (...) {
        r.Abandon();
        throw;
    }
}

void CheckFormText(std::string_view text, const String& fileName)
{
    TFormNode n = ParseFormText(text, fileName);
    const TClassInfo* cls = FindClassInfo(n.ClassName);
    if (!cls)
        Fail(fileName, n.Line, "Class not found", n.ClassName);
    Reader r(nullptr, fileName, true);
    r.ReadRoot(n, *cls);
}

void CheckFormText(std::string_view text, const String& fileName, const TClassInfo& rootClass)
{
    TFormNode n = ParseFormText(text, fileName);
    Reader r(nullptr, fileName, true);
    r.ReadRoot(n, rootClass);
}

void RegisterIdentConst(const char* name, int32_t value) { IdentConsts()[UpperCase(name)] = value; }

bool IdentToInt(std::string_view name, int32_t& value)
{
    auto it = IdentConsts().find(UpperCase(name));
    if (it == IdentConsts().end())
        return false;
    value = it->second;
    return true;
}

void SetFindGlobalComponent(TFindGlobalComponent f) { gFindGlobal = f; }

void RemoveFixupReferences(TComponent* instance)
{
    gPendingFixups.erase(std::remove_if(gPendingFixups.begin(), gPendingFixups.end(),
                                        [&](const Fixup& f) { return f.Instance == instance; }),
                         gPendingFixups.end());
}
