#pragma once
// Multi-line text: TMemo over the system EDIT window and TRichEdit over RichEdit 2.0. Both show
// their text also as Lines, one string a line.
#include <memory>
#include <optional>
#include <vector>

#include "stdctrls.h"

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
extern const TEnumInfo ScrollStyleInfo;

class TCustomMemo;

// The lines of a memo: a view of its text split at CR LF, LF or CR. The text has no line break
// after the last line, unless that line is empty. Changes made between BeginUpdate and
// EndUpdate reach the window once, at the end.
class TMemoStrings : public TStrings {
    TK_CLASS(TMemoStrings, TStrings)
public:
    explicit TMemoStrings(TCustomMemo* memo) : FMemo(memo) {}
    int Count() const override;
    String Get(int i) const override;
    void Put(int i, const String& s) override;
    TObject* GetObject(int) const override { return nullptr; }
    void PutObject(int, TObject*) override {}
    void Insert(int i, const String& s) override;
    void Delete(int i) override;
    void Clear() override;

    static std::vector<String> Split(std::string_view text);
    static String Join(const std::vector<String>& lines);

protected:
    void Changed() override;

private:
    std::vector<String> Current() const;
    void Commit(std::vector<String> lines);
    static void Check(int i, int count);

    TCustomMemo* FMemo;
    std::optional<std::vector<String>> FPending;
};

class TCustomMemo : public TCustomEdit {
    TK_CLASS(TCustomMemo, TCustomEdit)
public:
    explicit TCustomMemo(TComponent* owner);
    ~TCustomMemo() override;

    TStrings* Lines() const { return FLines.get(); }
    void SetLines(TStrings* v) { FLines->Assign(v); }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    // Return goes into the text (otherwise it presses the default button); Tab likewise.
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool v) { FWantReturns = v; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool v) { FWantTabs = v; }

protected:
    void CreateParams(TCreateParams& p) override;
    void InitializeWnd() override;
    void Dispatch(TMessage& m) override;
    // Stores the text with its line breaks made CR LF, then fires OnChange once.
    void WriteText(const String& v) override;

private:
    std::unique_ptr<TMemoStrings> FLines;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    TAlignment FAlignment = taLeftJustify;
    bool FWantReturns = true;
    bool FWantTabs = false;
};

class TMemo : public TCustomMemo {
    TK_CLASS(TMemo, TCustomMemo)
public:
    using TCustomMemo::TCustomMemo;
};

// Rich text over "RichEdit20A" (riched20.dll, loaded on first use). With PlainText the text is
// always taken literally; otherwise a text that starts with "{\rtf" is read as rich text.
class TCustomRichEdit : public TCustomMemo {
    TK_CLASS(TCustomRichEdit, TCustomMemo)
public:
    explicit TCustomRichEdit(TComponent* owner);

    bool PlainText() const { return FPlainText; }
    void SetPlainText(bool v) { FPlainText = v; }
    // The plain text, lines ending in CR LF.
    String GetText() const override;

protected:
    void CreateParams(TCreateParams& p) override;
    void CreateWnd() override;
    void InitializeWnd() override;
    void Dispatch(TMessage& m) override;
    void PutWindowText(const String& v) override;
    void ApplyMaxLength() override;

private:
    // Rich edit ignores the colour messages: background and text colour are set on it.
    void ApplyColors();

    bool FPlainText = false;
};

class TRichEdit : public TCustomRichEdit {
    TK_CLASS(TRichEdit, TCustomRichEdit)
public:
    using TCustomRichEdit::TCustomRichEdit;
};
