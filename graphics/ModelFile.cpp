// Writing and reading the text form of models. The reader checks every
// number and never trusts the announced count for memory: a damaged or cut
// file fails without touching the model.
#include "graphics/ModelFile.h"

#include "data/NumberText.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <type_traits>

namespace {

void WriteNumber(std::string& out, double value)
{
    char text[400]; // the largest double has 309 digits before the point
    // printf's fixed form is exact in every C library here, so both builds
    // write the same digits.
    const int length = std::snprintf(text, sizeof text, "%.4f", value);
    if (length <= 0 || static_cast<size_t>(length) >= sizeof text) {
        out += "0.0000";
        return;
    }
    std::string_view written(text, static_cast<size_t>(length));
    out += written == "-0.0000" ? std::string_view("0.0000") : written;
}

class CTokenReader {
public:
    explicit CTokenReader(std::string_view text) : r_text(text) {}

    // The next number on the current line or the lines after it.
    bool Integer(int64_t& value) { return Number(value, &IsInteger); }
    bool Real(double& value) { return Number(value, &IsReal); }

    // Skips what is left of the current line and its line break.
    void EndLine()
    {
        while (r_at < r_text.size() && r_text[r_at] != '\n' && r_text[r_at] != '\r')
            ++r_at;
        if (r_at < r_text.size() && r_text[r_at] == '\r')
            ++r_at;
        if (r_at < r_text.size() && r_text[r_at] == '\n')
            ++r_at;
    }

private:
    static bool Blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }
    static bool Digit(char c) { return c >= '0' && c <= '9'; }

    bool Next(std::string_view& token)
    {
        while (r_at < r_text.size() && Blank(r_text[r_at]))
            ++r_at;
        const size_t start = r_at;
        while (r_at < r_text.size() && !Blank(r_text[r_at]))
            ++r_at;
        token = r_text.substr(start, r_at - start);
        return !token.empty();
    }

    template <typename T>
    bool Number(T& value, bool (*looksRight)(std::string_view))
    {
        std::string_view token;
        if (!Next(token) || !looksRight(token))
            return false;
        if (token[0] == '+')
            token.remove_prefix(1);
        if constexpr (std::is_same_v<T, double>) {
            return NumberText_Read(token.data(), token.data() + token.size(), value) == ENumberRead::Ok;
        } else {
            auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
            return error == std::errc() && end == token.data() + token.size();
        }
    }

    static size_t Digits(std::string_view t, size_t at)
    {
        size_t k = at;
        while (k < t.size() && Digit(t[k]))
            ++k;
        return k - at;
    }

    static bool IsInteger(std::string_view t)
    {
        size_t at = (t[0] == '+' || t[0] == '-') ? 1 : 0;
        const size_t digits = Digits(t, at);
        return digits > 0 && at + digits == t.size();
    }

    // Plain decimal numbers only: [sign] digits [. digits] [e [sign] digits],
    // with digits on at least one side of the point.
    static bool IsReal(std::string_view t)
    {
        size_t at = (t[0] == '+' || t[0] == '-') ? 1 : 0;
        size_t whole = Digits(t, at);
        at += whole;
        size_t fraction = 0;
        if (at < t.size() && t[at] == '.') {
            fraction = Digits(t, at + 1);
            at += 1 + fraction;
        }
        if (whole + fraction == 0)
            return false;
        if (at < t.size() && (t[at] == 'e' || t[at] == 'E')) {
            ++at;
            if (at < t.size() && (t[at] == '+' || t[at] == '-'))
                ++at;
            const size_t exponent = Digits(t, at);
            if (exponent == 0)
                return false;
            at += exponent;
        }
        return at == t.size();
    }

    std::string_view r_text;
    size_t r_at = 0;
};

} // namespace

std::string ModelFile_Write(const std::vector<REntry>& entries, int32_t count)
{
    if (count < 0 || static_cast<size_t>(count) > entries.size())
        count = static_cast<int32_t>(entries.size());
    std::string out = std::to_string(kModelFileVersion) + "\r\n" + std::to_string(count) + "\r\n";
    for (int32_t k = 0; k < count; ++k) {
        const REntry& entry = entries[static_cast<size_t>(k)];
        out += std::to_string(entry.kind);
        for (int a = 0; a < 10; ++a) {
            out += ' ';
            WriteNumber(out, entry.Arg(a));
        }
        out += "\r\n";
    }
    return out;
}

bool ModelFile_Parse(std::string_view text, std::vector<REntry>& entries)
{
    CTokenReader reader(text);
    int64_t version = 0, count = 0;
    if (!reader.Integer(version) || version != kModelFileVersion)
        return false;
    reader.EndLine();
    if (!reader.Integer(count) || count < 0 || count > INT32_MAX)
        return false;
    reader.EndLine();
    std::vector<REntry> read;
    for (int64_t k = 0; k < count; ++k) {
        REntry entry;
        int64_t kind = 0;
        if (!reader.Integer(kind) || kind < INT32_MIN || kind > INT32_MAX)
            return false;
        entry.kind = static_cast<int32_t>(kind);
        for (int a = 0; a < 10; ++a)
            if (!reader.Real(entry.Arg(a)))
                return false;
        reader.EndLine();
        read.push_back(entry);
    }
    entries = std::move(read);
    return true;
}
