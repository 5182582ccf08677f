#pragma once
// Brenlow.dll: the dialog library's eight exports, the one declaration both sides use. The
// library builds with BRENLOW_BUILD defined; Quistal includes this header and imports the
// functions by name through Brenlow's import library.
//
// Texts are zero-terminated 8-bit strings owned by the caller and read during the call only; a
// null pointer reads as an empty text. A text handed back through Selected or Value belongs to
// the library and stays readable after the call, at least until the next call of the same
// export; the caller never frees it. A null Selected or Value pointer is not written through.
//
// Results: the modal result of the dialog (1 OK, 2 close box, 6 yes, 7 no or cancel) or a truth
// value. An error inside the library never leaves an export: the library shows it in its own
// error box and the export returns 2, or false for the Boolean ones.

// One calling convention for the exports and their callers, chosen here only.
#define BRENLOW_CALL __cdecl

#ifdef BRENLOW_BUILD
#define BRENLOW_API extern "C"
#else
#define BRENLOW_API extern "C" __declspec(dllimport)
#endif

// The note window: Text in a read-only memo that stays above other windows. 1 "OK!", 2 close box.
BRENLOW_API int BRENLOW_CALL Editor(const char* Text, const char* Caption);
// A line of text: 1 OK (Value: the text typed), 7 cancel or Escape, 2 close box (Value: "").
BRENLOW_API int BRENLOW_CALL UIInput(const char* Caption, const char* Text, const char* Default, const char* OkCaption,
                                     const char* CancelCaption, const char** Value);
// A choice from Items, one item between backslashes: true on OK (Selected: the item chosen);
// false otherwise (Selected: null).
BRENLOW_API bool BRENLOW_CALL UIShowSelect(const char* Caption, const char* Text, const char* Items,
                                           const char* OkCaption, const char* CancelCaption, const char** Selected);
// A tip with details shown by "More >>"; always true.
BRENLOW_API bool BRENLOW_CALL UIShowTip(const char* Caption, const char* Text, const char* ButtonCaption,
                                        const char* Details);
// A yes/no question: 6 yes, 7 no or Escape, 2 close box.
BRENLOW_API int BRENLOW_CALL UIAskYesNo(const char* Caption, const char* Text, const char* YesCaption,
                                        const char* NoCaption);
// Stop, information and warning messages with one button; always true.
BRENLOW_API bool BRENLOW_CALL UIStop(const char* Caption, const char* Text, const char* ButtonCaption);
BRENLOW_API bool BRENLOW_CALL UIInfo(const char* Caption, const char* Text, const char* ButtonCaption);
BRENLOW_API bool BRENLOW_CALL UIWarn(const char* Caption, const char* Text, const char* ButtonCaption);
