#include "sysutils.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

String IntToStr(int64_t v) { return std::to_string(v); }

bool TryStrToInt(std::string_view s, int& out)
{
    String t = Trim(s);
    std::string_view v = t;
    bool neg = false;
    if (!v.empty() && (v[0] == '-' || v[0] == '+')) {
        neg = v[0] == '-';
        v.remove_prefix(1);
    }
    int base = 10;
    if (!v.empty() && v[0] == '$') {
        base = 16;
        v.remove_prefix(1);
    } else if (v.size() > 1 && v[0] == '0' && (v[1] == 'x' || v[1] == 'X')) {
        base = 16;
        v.remove_prefix(2);
    }
    if (v.empty())
        return false;
    uint64_t value = 0;
    auto [p, ec] = std::from_chars(v.data(), v.data() + v.size(), value, base);
    if (ec != std::errc() || p != v.data() + v.size())
        return false;
    if (base == 16) {
        if (value > 0xFFFFFFFFull)
            return false;
        out = static_cast<int>(static_cast<uint32_t>(value));  // hex wraps, as colours need
        if (neg)
            out = -out;
        return true;
    }
    if (value > (neg ? 2147483648ull : 2147483647ull))
        return false;
    out = neg ? static_cast<int>(-static_cast<int64_t>(value)) : static_cast<int>(value);
    return true;
}

int StrToInt(std::string_view s)
{
    int v = 0;
    if (!TryStrToInt(s, v))
        throw EConvertError("'" + String(s) + "' is not a valid integer value");
    return v;
}

String UpperCase(std::string_view s)
{
    String r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    return r;
}

String LowerCase(std::string_view s)
{
    String r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return r;
}

bool SameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

String Trim(std::string_view s)
{
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ')
        --e;
    return String(s.substr(b, e - b));
}

String StringReplaceAll(std::string_view s, std::string_view from, std::string_view to)
{
    if (from.empty())
        return String(s);
    String r;
    size_t pos = 0;
    for (;;) {
        size_t hit = s.find(from, pos);
        if (hit == std::string_view::npos)
            break;
        r.append(s.substr(pos, hit - pos));
        r.append(to);
        pos = hit + from.size();
    }
    r.append(s.substr(pos));
    return r;
}

// ---- date-time ----

namespace {
constexpr double kMSecsPerDay = 86400000.0;

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int64_t DaysFromCivil(int y, int m, int d)  // days since 1970-01-01
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

constexpr int64_t kUnixEpochDays = 25569;  // 1970-01-01 as a TDateTime

TDateTime RealNow()
{
    std::time_t t = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                  std::chrono::system_clock::now().time_since_epoch()).count() % 1000;
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           EncodeTime(local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(ms));
}

TNowFunc gNow = nullptr;

int64_t MSecOfDay(TDateTime t)
{
    double frac = std::fabs(t - std::trunc(t));
    auto ms = static_cast<int64_t>(std::llround(frac * kMSecsPerDay));
    return std::min<int64_t>(ms, 86399999);
}

String Pad(int v, int width)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", width, v);
    return buf;
}
}  // namespace

TDateTime EncodeTime(int hour, int min, int sec, int msec)
{
    if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999)
        throw EConvertError("Invalid argument to time encode");
    return (((hour * 60.0 + min) * 60.0 + sec) * 1000.0 + msec) / kMSecsPerDay;
}

TDateTime EncodeDate(int year, int month, int day)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > kDays[month - 1] + (month == 2 && IsLeap(year) ? 1 : 0))
        throw EConvertError("Invalid argument to date encode");
    return static_cast<double>(DaysFromCivil(year, month, day) + kUnixEpochDays);
}

TTimeParts DecodeTime(TDateTime t)
{
    int64_t ms = MSecOfDay(t);
    TTimeParts p;
    p.Hour = static_cast<int>(ms / 3600000);
    p.Min = static_cast<int>(ms / 60000 % 60);
    p.Sec = static_cast<int>(ms / 1000 % 60);
    p.MSec = static_cast<int>(ms % 1000);
    return p;
}

TDateParts DecodeDate(TDateTime t)
{
    int64_t z = static_cast<int64_t>(std::floor(t)) - kUnixEpochDays + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    TDateParts p;
    p.Day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    p.Month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    p.Year = static_cast<int>(yoe + era * 400 + (p.Month <= 2));
    return p;
}

String FormatDateTime(std::string_view f, TDateTime t)
{
    TTimeParts tp = DecodeTime(t);
    TDateParts dp = DecodeDate(t);
    bool ampm = false;
    {
        String low = LowerCase(f);
        ampm = low.find("am/pm") != String::npos;
    }
    String out;
    bool lastWasHour = false;
    size_t i = 0;
    auto run = [&](char c) {
        size_t n = 0;
        while (i + n < f.size() && (f[i + n] == c || f[i + n] == c - 32 || f[i + n] == c + 32))
            ++n;
        return n;
    };
    while (i < f.size()) {
        char c = f[i];
        char lc = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
        if (c == '"' || c == '\'') {
            size_t j = f.find(c, i + 1);
            if (j == std::string_view::npos)
                j = f.size();
            out.append(f.substr(i + 1, j - i - 1));
            i = j + 1;
            continue;
        }
        if (lc == 'a' && (SameText(f.substr(i, 5), "am/pm"))) {
            bool pm = tp.Hour >= 12;
            String s = pm ? "pm" : "am";
            if (c == 'A')
                s = UpperCase(s);
            out += s;
            i += 5;
            continue;
        }
        size_t n = 0;
        switch (lc) {
        case 'y':
            n = run('y');
            out += n <= 2 ? Pad(dp.Year % 100, 2) : Pad(dp.Year, 4);
            break;
        case 'd':
            n = run('d');
            out += n == 1 ? IntToStr(dp.Day) : Pad(dp.Day, 2);
            break;
        case 'h': {
            n = run('h');
            int h = tp.Hour;
            if (ampm) {
                h %= 12;
                if (h == 0)
                    h = 12;
            }
            out += n == 1 ? IntToStr(h) : Pad(h, 2);
            lastWasHour = true;
            i += n;
            continue;
        }
        case 'n':
            n = run('n');
            out += n == 1 ? IntToStr(tp.Min) : Pad(tp.Min, 2);
            break;
        case 'm': {
            n = run('m');
            // "m" after an hour, or before seconds, is minutes; otherwise it is the month.
            size_t k = i + n;
            while (k < f.size() && (f[k] == ':' || f[k] == ' ' || f[k] == '.'))
                ++k;
            bool beforeSec = k < f.size() && (f[k] == 's' || f[k] == 'S');
            bool minutes = lastWasHour || beforeSec;
            int v = minutes ? tp.Min : dp.Month;
            out += n == 1 ? IntToStr(v) : Pad(v, 2);
            break;
        }
        case 's':
            n = run('s');
            out += n == 1 ? IntToStr(tp.Sec) : Pad(tp.Sec, 2);
            break;
        case 'z':
            n = run('z');
            out += n >= 3 ? Pad(tp.MSec, 3) : IntToStr(tp.MSec);
            break;
        default:
            out += c;
            ++i;
            continue;
        }
        lastWasHour = false;
        i += n;
    }
    return out;
}

TDateTime StrToTime(std::string_view s)
{
    auto invalid = [s] { return EConvertError("'" + String(s) + "' is not a valid time"); };
    int parts[3] = {0, 0, 0};
    int count = 0;
    String t = Trim(s);
    size_t pos = 0;
    for (;;) {
        size_t colon = t.find(':', pos);
        String piece = t.substr(pos, colon == String::npos ? String::npos : colon - pos);
        // Plain decimal digits only: no sign, no hex, no inner blanks, no fourth part.
        bool digits = !piece.empty() && piece.size() <= 4 &&
                      std::all_of(piece.begin(), piece.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (count == 3 || !digits)
            throw invalid();
        parts[count++] = std::stoi(piece);
        if (colon == String::npos)
            break;
        pos = colon + 1;
    }
    if (count < 2 || parts[0] > 23 || parts[1] > 59 || parts[2] > 59)
        throw invalid();
    return EncodeTime(parts[0], parts[1], parts[2], 0);
}

TDateTime Now() { return gNow ? gNow() : RealNow(); }

TNowFunc SetNowFunc(TNowFunc f)
{
    TNowFunc old = gNow;
    gNow = f;
    return old;
}

String ExtractFilePath(std::string_view name)
{
    size_t p = name.find_last_of("\\/:");
    return p == std::string_view::npos ? String() : String(name.substr(0, p + 1));
}

String ExtractFileName(std::string_view name)
{
    size_t p = name.find_last_of("\\/:");
    return String(p == std::string_view::npos ? name : name.substr(p + 1));
}

String ExtractFileExt(std::string_view name)
{
    size_t p = name.find_last_of(".\\/:");
    if (p == std::string_view::npos || name[p] != '.')
        return String();
    return String(name.substr(p));
}

