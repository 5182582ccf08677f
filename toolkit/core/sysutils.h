#pragma once
// Strings, exceptions, date-time and file-name helpers shared by every module.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

using String = std::string;  // 8-bit text, as the whole system uses

// Base of every toolkit exception; the message is what the error box shows.
class Exception : public std::exception {
public:
    explicit Exception(String msg) : FMessage(std::move(msg)) {}
    const char* what() const noexcept override { return FMessage.c_str(); }
    const String& Message() const { return FMessage; }
    virtual const char* ClassName() const { return "Exception"; }

private:
    String FMessage;
};

#define TK_EXCEPTION(Name, Base)                                              \
    class Name : public Base {                                                \
    public:                                                                   \
        using Base::Base;                                                     \
        const char* ClassName() const override { return #Name; }              \
    };

TK_EXCEPTION(EConvertError, Exception)
TK_EXCEPTION(EInvalidOperation, Exception)
TK_EXCEPTION(EComponentError, Exception)
TK_EXCEPTION(EStreamError, Exception)
TK_EXCEPTION(EReadError, EStreamError)
TK_EXCEPTION(EFOpenError, EStreamError)
TK_EXCEPTION(EPropertyError, Exception)
TK_EXCEPTION(EListError, Exception)
TK_EXCEPTION(EOutOfResources, Exception)
TK_EXCEPTION(EInvalidGraphic, Exception)
TK_EXCEPTION(ERegistryException, Exception)
TK_EXCEPTION(EMCIDeviceError, Exception)

// Text
String IntToStr(int64_t v);
int StrToInt(std::string_view s);                 // raises EConvertError
bool TryStrToInt(std::string_view s, int& out);   // decimal, $hex or 0x hex
String UpperCase(std::string_view s);
String LowerCase(std::string_view s);
bool SameText(std::string_view a, std::string_view b);
String Trim(std::string_view s);
String StringReplaceAll(std::string_view s, std::string_view from, std::string_view to);

// Date-time: days since 1899-12-30 as a double; the fraction is the time of day.
using TDateTime = double;
struct TTimeParts {
    int Hour = 0, Min = 0, Sec = 0, MSec = 0;
};
struct TDateParts {
    int Year = 1899, Month = 12, Day = 30;
};
TDateTime EncodeTime(int hour, int min, int sec, int msec);
TDateTime EncodeDate(int year, int month, int day);
TTimeParts DecodeTime(TDateTime t);
TDateParts DecodeDate(TDateTime t);
// Pattern letters: yyyy yy m mm d dd h hh n nn s ss z zzz am/pm and AM/PM; "mm" right after
// an hour means minutes, as does "mm" right before seconds.
String FormatDateTime(std::string_view format, TDateTime t);
TDateTime StrToTime(std::string_view s);  // "h:m[:s]", raises EConvertError

// The wall clock. Tests put their own clock in its place; the program always uses the real one.
using TNowFunc = TDateTime (*)();
TDateTime Now();
TNowFunc SetNowFunc(TNowFunc f);  // returns the previous clock; nullptr restores the real one

// File names, with either separator
String ExtractFilePath(std::string_view name);  // keeps the trailing separator
String ExtractFileName(std::string_view name);
String ExtractFileExt(std::string_view name);   // with the dot, as written

