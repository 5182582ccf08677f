#pragma once
// Form files: the text that describes a form and everything on it, and the reader that streams
// it into live components (class by name, properties by name, events by name, references fixed
// up, then Loaded).
//
//   object Form1: TForm1
//     Caption = 'Alarm'#160'time'
//     Font.Name = 'Comic Sans MS'
//     Items.Strings = ('a' 'b')
//     Panels = <item Width = 200 end>
//     Data = {0A1B2C}
//     Anchors = [akLeft, akTop]
//     OnClick = Button1Click
//     object Button1: TButton
//     end
//   end
#include <cstdint>
#include <vector>

#include "component.h"

struct TFormProp;

struct TFormValue {
    enum TKind { Ident, String_, Integer, Float, Set, List, Binary, Collection } Kind = Ident;
    int Line = 0;
    String Text;                                     // Ident (may be dotted), String_
    int64_t Int = 0;                                 // Integer
    double Real = 0;                                 // Float
    std::vector<String> Elements;                    // Set
    std::vector<TFormValue> Items;                   // List
    std::vector<uint8_t> Bytes;                      // Binary
    std::vector<std::vector<TFormProp>> CollItems;   // Collection
    // The value as property text: numbers in decimal, sets as "[a,b]", identifiers and strings as written.
    String AsText() const;
};

struct TFormProp {
    String Name;  // may be dotted: Font.Name
    TFormValue Value;
    int Line = 0;
};

struct TFormNode {
    String Name;
    String ClassName;
    int Line = 0;
    std::vector<TFormProp> Props;
    std::vector<TFormNode> Children;
};

// Parses a form file; a fault raises EReadError "file(line): message 'word'".
TFormNode ParseFormText(std::string_view text, const String& fileName);

// Streams a form file into an existing root component (the form): creates its components,
// sets their properties, binds handlers of the root's class, fixes references, calls Loaded.
void ReadFormInto(TComponent* root, std::string_view text, const String& fileName);

// Checks a form file against the registered classes without creating anything: syntax, class
// names, property names and values, handler names, the components that references and the root
// class's component fields name. Raises EReadError like the reader.
void CheckFormText(std::string_view text, const String& fileName);
// The same for a form whose class is known to the caller rather than registered.
void CheckFormText(std::string_view text, const String& fileName, const TClassInfo& rootClass);

// Names of integer constants a form file may use for integer and colour properties
// (clWindow, crHandPoint, ...).
void RegisterIdentConst(const char* name, int32_t value);
bool IdentToInt(std::string_view name, int32_t& value);

// Finds a component by "Form.Name" or "Name" among loaded forms; the window layer supplies the
// search over the application's forms.
using TFindGlobalComponent = TComponent* (*)(std::string_view rootName);
void SetFindGlobalComponent(TFindGlobalComponent f);
// Drops any pending reference of a component that goes away before the target form loads.
void RemoveFixupReferences(TComponent* instance);
