// RValue: the script language's value, a real or a string. Values are copied
// everywhere, so a real never allocates and a string shares its text: copying
// a string value only bumps a count.
#pragma once

#include <cstdint>
#include <new>
#include <string>
#include <string_view>

// An immutable, shared text. The empty text holds no block at all. Counts are
// not atomic: all script code runs on the main thread.
class RString {
public:
    RString() = default;
    RString(std::string text) { Assign(std::move(text)); }
    RString(std::string_view text) { Assign(std::string(text)); }
    RString(const char* text) { Assign(std::string(text)); }
    RString(const RString& other) : s_block(other.s_block)
    {
        if (s_block)
            ++s_block->refs;
    }
    RString(RString&& other) noexcept : s_block(other.s_block) { other.s_block = nullptr; }
    ~RString() { Release(); }

    RString& operator=(const RString& other)
    {
        RBlock* block = other.s_block;
        if (block)
            ++block->refs;
        Release();
        s_block = block;
        return *this;
    }
    RString& operator=(RString&& other) noexcept
    {
        if (this != &other) {
            Release();
            s_block = other.s_block;
            other.s_block = nullptr;
        }
        return *this;
    }

    const std::string& Text() const { return s_block ? s_block->text : EmptyText(); }
    operator const std::string&() const { return Text(); }
    size_t size() const { return s_block ? s_block->text.size() : 0; }
    bool empty() const { return size() == 0; }
    // Whether a text is held at all (the empty text holds none).
    bool HasBlock() const { return s_block != nullptr; }
    const char* c_str() const { return Text().c_str(); }
    bool operator==(const RString& other) const { return s_block == other.s_block || Text() == other.Text(); }
    // Appends in place when no other value shares this text (the common
    // s += 'x' in a loop); false when it is shared or empty, and nothing changed.
    bool AppendIfUnique(std::string_view tail)
    {
        if (!s_block || s_block->refs != 1)
            return false;
        s_block->text.append(tail);
        return true;
    }
    bool operator==(std::string_view other) const { return Text() == other; }

private:
    struct RBlock {
        uint32_t refs;
        std::string text;
    };
    static const std::string& EmptyText();
    void Assign(std::string text)
    {
        if (!text.empty())
            s_block = new RBlock{1, std::move(text)};
    }
    void Release()
    {
        if (s_block && --s_block->refs == 0)
            delete s_block;
        s_block = nullptr;
    }

    RBlock* s_block = nullptr;
};

enum : int32_t {
    VALUE_REAL = 0,
    VALUE_STRING = 1,
};

struct RValue {
    int32_t kind = VALUE_REAL;
    double val = 0.0;
    RString str;

    RValue() = default;
    RValue(double real) : val(real) {}
    RValue(int real) : val(real) {}
    RValue(RString text, double real = 0.0) : kind(VALUE_STRING), val(real), str(std::move(text)) {}
    RValue(const char* text) : kind(VALUE_STRING), str(text) {}
    RValue(std::string text) : kind(VALUE_STRING), str(std::move(text)) {}

    bool IsReal() const { return kind == VALUE_REAL; }
    bool IsString() const { return kind == VALUE_STRING; }
    void SetReal(double real)
    {
        kind = VALUE_REAL;
        val = real;
        if (str.HasBlock())
            str = RString();
    }
    void SetString(RString text)
    {
        kind = VALUE_STRING;
        val = 0.0;
        str = std::move(text);
    }
    // The same as *this = other, cheaper when neither holds a text (the
    // usual copy between registers and variables): no count to change.
    [[gnu::always_inline]] void CopyFrom(const RValue& other)
    {
        if (__builtin_expect(!str.HasBlock() && !other.str.HasBlock(), 1)) {
            kind = other.kind;
            val = other.val;
            return;
        }
        *this = other;
    }
};

static_assert(sizeof(RString) == sizeof(void*), "a shared text is one pointer");
static_assert(sizeof(RValue) == 24, "values are copied everywhere; keep them small");

// Room for up to N values on the stack, of which only the first count are
// made: calls pass few arguments, and making and unmaking all the room a
// call might need, on every call, costs more than the call itself.
template <int N>
class RValueBuffer {
public:
    explicit RValueBuffer(int count) : b_count(count < 0 ? 0 : count > N ? N : count)
    {
        for (int k = 0; k < b_count; ++k)
            new (b_storage + k * sizeof(RValue)) RValue();
    }
    ~RValueBuffer()
    {
        for (int k = 0; k < b_count; ++k)
            Data()[k].~RValue();
    }
    RValueBuffer(const RValueBuffer&) = delete;
    RValueBuffer& operator=(const RValueBuffer&) = delete;

    int Count() const { return b_count; }
    RValue* Data() { return std::launder(reinterpret_cast<RValue*>(b_storage)); }
    RValue& operator[](int k) { return Data()[k]; }

private:
    alignas(RValue) unsigned char b_storage[N * sizeof(RValue)];
    int b_count;
};

// No operator or built-in builds a string longer than this (64 MiB): a count
// from a script must not be able to ask for terabytes.
constexpr size_t kLongestBuiltString = size_t(64) << 20;

// Reals become integers by rounding to the nearest, ties to even.
int64_t RoundToIntegerInGeneral(double value);
inline int64_t RoundToInteger(double value)
{
    // Whole numbers of 32 bits (indices, ids, counts) need no rounding.
    if (value >= -2147483648.0 && value <= 2147483647.0) {
        int32_t whole = static_cast<int32_t>(value);
        if (whole == value)
            return whole;
    }
    return RoundToIntegerInGeneral(value);
}
// The same as a 32-bit integer, saturating at the ends of the range: the
// form of object, instance, room and colour arguments.
inline int32_t RoundToInt32(double value)
{
    int64_t rounded = RoundToInteger(value);
    return rounded < INT32_MIN ? INT32_MIN : rounded > INT32_MAX ? INT32_MAX : static_cast<int32_t>(rounded);
}

// A real is true from 0.5 up.
inline bool IsTrue(double value)
{
    return value >= 0.5;
}
