// Built-ins on strings and the conversions between reals and strings.
// Strings are byte strings: a character is one byte with a code 0 to 255,
// positions are 1-based, and only the ASCII letters have a case.
#include "library/LibraryRoutines.h"
#include "library/RealText.h"

#include <string>
#include <string_view>

namespace {

void SetText(RValue& result, std::string_view text)
{
    result.SetString(RString(text));
}

bool IsLetter(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

// The part of s that string_copy(s, position, count) names: a position below
// 1 counts as 1, nothing past the end, nothing for a count of 0 or less.
std::string_view Slice(const std::string& s, double position, double count)
{
    int64_t first = Library_RoundCount(position);
    const int64_t length = Library_RoundCount(count);
    const int64_t size = static_cast<int64_t>(s.size());
    if (first < 1)
        first = 1;
    if (length <= 0 || first > size)
        return {};
    const int64_t available = size - first + 1;
    return std::string_view(s).substr(static_cast<size_t>(first - 1),
                                      static_cast<size_t>(length < available ? length : available));
}

// Number of non-overlapping occurrences of needle, scanning left to right.
size_t CountOccurrences(const std::string& haystack, const std::string& needle)
{
    size_t count = 0;
    for (size_t at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + needle.size()))
        ++count;
    return count;
}

template <typename Keep>
void Filter(RValue& result, const std::string& s, Keep keep)
{
    std::string kept;
    kept.reserve(s.size());
    for (char c : s)
        if (keep(static_cast<unsigned char>(c)))
            kept += c;
    result.SetString(RString(std::move(kept)));
}

// ---- conversions ----

bool Real(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (args[0].kind == VALUE_REAL) {
        result.SetReal(args[0].val);
        return true;
    }
    double value = 0;
    if (!ParseRealText(args[0].str.Text(), value)) {
        Library_ReportError("Error in function real().");
        return true;
    }
    result.SetReal(value);
    return true;
}

bool String(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (args[0].kind == VALUE_STRING) {
        result.SetString(args[0].str);
        return true;
    }
    char text[kRealTextSize];
    const size_t length = FormatRealInto(args[0].val, text);
    SetText(result, std::string_view(text, length));
    return true;
}

bool StringFormat(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (args[0].kind == VALUE_STRING) {
        result.SetString(args[0].str);
        return true;
    }
    const int64_t width = Library_RoundCount(args[1].val);
    const int64_t decimals = Library_RoundCount(args[2].val);
    if (width > static_cast<int64_t>(kLongestBuiltString) || decimals > static_cast<int64_t>(kLongestBuiltString)) {
        Library_ReportTooLong("string_format");
        SetText(result, {});
        return true;
    }
    std::string text = FormatRealFixed(args[0].val, decimals);
    if (width > static_cast<int64_t>(text.size()))
        text.insert(0, static_cast<size_t>(width) - text.size(), ' ');
    result.SetString(RString(std::move(text)));
    return true;
}

// Codes outside 0 to 255 wrap around (chr(256 + 65) is "A"), as a byte does.
bool Chr(CExecutionContext&, RValue& result, int, RValue* args)
{
    const char c = static_cast<char>(static_cast<uint64_t>(Library_RoundCount(args[0].val)) & 0xFF);
    SetText(result, std::string_view(&c, 1));
    return true;
}

bool Ord(CExecutionContext&, RValue& result, int, RValue* args)
{
    const std::string& s = args[0].str.Text();
    result.SetReal(s.empty() ? 0 : static_cast<unsigned char>(s[0]));
    return true;
}

// ---- queries ----

bool StringLength(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(static_cast<double>(args[0].str.size()));
    return true;
}

// An empty needle is found nowhere, as string_count counts it nowhere.
bool StringPos(CExecutionContext&, RValue& result, int, RValue* args)
{
    const std::string& needle = args[0].str.Text();
    if (needle.empty())
        return true;
    const size_t at = args[1].str.Text().find(needle);
    result.SetReal(at == std::string::npos ? 0 : static_cast<double>(at + 1));
    return true;
}

bool StringCount(CExecutionContext&, RValue& result, int, RValue* args)
{
    const std::string& needle = args[0].str.Text();
    if (needle.empty())
        return true;
    result.SetReal(static_cast<double>(CountOccurrences(args[1].str.Text(), needle)));
    return true;
}

// ---- pieces ----

bool StringCopy(CExecutionContext&, RValue& result, int, RValue* args)
{
    SetText(result, Slice(args[0].str.Text(), args[1].val, args[2].val));
    return true;
}

bool StringCharAt(CExecutionContext&, RValue& result, int, RValue* args)
{
    SetText(result, Slice(args[0].str.Text(), args[1].val, 1));
    return true;
}

bool StringDelete(CExecutionContext&, RValue& result, int, RValue* args)
{
    const std::string& s = args[0].str.Text();
    const int64_t first = Library_RoundCount(args[1].val);
    const int64_t length = Library_RoundCount(args[2].val);
    const int64_t size = static_cast<int64_t>(s.size());
    if (first < 1 || first > size || length <= 0) {
        result.SetString(args[0].str);
        return true;
    }
    std::string rest = s;
    rest.erase(static_cast<size_t>(first - 1), static_cast<size_t>(length));
    result.SetString(RString(std::move(rest)));
    return true;
}

bool StringInsert(CExecutionContext&, RValue& result, int, RValue* args)
{
    const std::string& insert = args[0].str.Text();
    std::string s = args[1].str.Text();
    int64_t before = Library_RoundCount(args[2].val);
    const int64_t size = static_cast<int64_t>(s.size());
    if (before < 1)
        before = 1;
    if (before > size + 1)
        before = size + 1;
    s.insert(static_cast<size_t>(before - 1), insert);
    result.SetString(RString(std::move(s)));
    return true;
}

// ---- whole-string changes ----

bool StringLower(CExecutionContext&, RValue& result, int, RValue* args)
{
    std::string s = args[0].str.Text();
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    result.SetString(RString(std::move(s)));
    return true;
}

bool StringUpper(CExecutionContext&, RValue& result, int, RValue* args)
{
    std::string s = args[0].str.Text();
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    result.SetString(RString(std::move(s)));
    return true;
}

bool StringLetters(CExecutionContext&, RValue& result, int, RValue* args)
{
    Filter(result, args[0].str.Text(), IsLetter);
    return true;
}

bool StringDigits(CExecutionContext&, RValue& result, int, RValue* args)
{
    Filter(result, args[0].str.Text(), IsDigit);
    return true;
}

bool StringLettersDigits(CExecutionContext&, RValue& result, int, RValue* args)
{
    Filter(result, args[0].str.Text(), [](unsigned char c) { return IsLetter(c) || IsDigit(c); });
    return true;
}

// The count is checked before anything is built: string_repeat('x', 1e12)
// reports an error instead of reaching for a terabyte.
bool StringRepeat(CExecutionContext&, RValue& result, int, RValue* args)
{
    const std::string& s = args[0].str.Text();
    const int64_t count = Library_RoundCount(args[1].val);
    if (count <= 0 || s.empty()) {
        SetText(result, {});
        return true;
    }
    if (static_cast<uint64_t>(count) > kLongestBuiltString / s.size()) {
        Library_ReportTooLong("string_repeat");
        SetText(result, {});
        return true;
    }
    std::string repeated;
    repeated.reserve(static_cast<size_t>(count) * s.size());
    for (int64_t k = 0; k < count; ++k)
        repeated += s;
    result.SetString(RString(std::move(repeated)));
    return true;
}

bool StringReplace(CExecutionContext&, RValue& result, int, RValue* args)
{
    const std::string& s = args[0].str.Text();
    const std::string& from = args[1].str.Text();
    const size_t at = from.empty() ? std::string::npos : s.find(from);
    if (at == std::string::npos) {
        result.SetString(args[0].str);
        return true;
    }
    std::string replaced = s;
    replaced.replace(at, from.size(), args[2].str.Text());
    result.SetString(RString(std::move(replaced)));
    return true;
}

// Replacing every occurrence multiplies the growth of one replacement by
// the number of occurrences, so the final size is checked first.
bool StringReplaceAll(CExecutionContext&, RValue& result, int, RValue* args)
{
    const std::string& s = args[0].str.Text();
    const std::string& from = args[1].str.Text();
    const std::string& to = args[2].str.Text();
    const size_t count = from.empty() ? 0 : CountOccurrences(s, from);
    if (count == 0) {
        result.SetString(args[0].str);
        return true;
    }
    const size_t growth = to.size() > from.size() ? to.size() - from.size() : 0;
    if (growth > 0 && (s.size() > kLongestBuiltString || growth > (kLongestBuiltString - s.size()) / count)) {
        Library_ReportTooLong("string_replace_all");
        SetText(result, {});
        return true;
    }
    std::string replaced;
    replaced.reserve(s.size() - count * from.size() + count * to.size());
    size_t done = 0;
    for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, done)) {
        replaced.append(s, done, at - done);
        replaced += to;
        done = at + from.size();
    }
    replaced.append(s, done, std::string::npos);
    result.SetString(RString(std::move(replaced)));
    return true;
}

} // namespace

void Library_RegisterStringFunctions()
{
    Function_Implement("real", &Real);
    Function_Implement("string", &String);
    Function_Implement("string_format", &StringFormat);
    Function_Implement("chr", &Chr);
    Function_Implement("ord", &Ord);
    Function_Implement("string_length", &StringLength);
    Function_Implement("string_pos", &StringPos);
    Function_Implement("string_count", &StringCount);
    Function_Implement("string_copy", &StringCopy);
    Function_Implement("string_char_at", &StringCharAt);
    Function_Implement("string_delete", &StringDelete);
    Function_Implement("string_insert", &StringInsert);
    Function_Implement("string_lower", &StringLower);
    Function_Implement("string_upper", &StringUpper);
    Function_Implement("string_letters", &StringLetters);
    Function_Implement("string_digits", &StringDigits);
    Function_Implement("string_lettersdigits", &StringLettersDigits);
    Function_Implement("string_repeat", &StringRepeat);
    Function_Implement("string_replace", &StringReplace);
    Function_Implement("string_replace_all", &StringReplaceAll);
}
