// What every data structure shares: the one comparison rule (with its
// settable precision for reals) and the stored form of values, which save
// files keep, so it never changes.
#pragma once

#include "code/Value.h"
#include "data/Stream.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// ---- comparison ----

namespace DsDetail {
extern double Precision;
int CompareStrings(const RValue& a, const RValue& b);
int CompareUnusualReals(double a, double b);
} // namespace DsDetail

double Ds_Precision();
// Stores |precision|; a not-a-number is refused (false) so that no value
// stops being equal to itself.
bool Ds_SetPrecision(double precision);

// -1, 0 or 1. Reals within the precision are equal (with precision 0, within
// a relative 1e-12 and at least 1e-12); strings compare by character code,
// a proper prefix first; every real comes before every string.
// Not-a-number is equal to itself and comes before every other real, so a
// sorted map stays sorted whatever a game stores.
inline int Ds_Compare(const RValue& a, const RValue& b)
{
    if (a.kind != b.kind)
        return a.kind == VALUE_REAL ? -1 : 1;
    if (a.kind != VALUE_REAL)
        return DsDetail::CompareStrings(a, b);
    const double x = a.val;
    const double y = b.val;
    if (x == y)
        return 0;
    const double difference = std::fabs(x - y);
    if (!(difference < HUGE_VAL)) // a not-a-number or an infinity is involved
        return DsDetail::CompareUnusualReals(x, y);
    double epsilon = DsDetail::Precision;
    if (epsilon == 0) {
        epsilon = std::fmin(std::fabs(x), std::fabs(y)) * 1e-12;
        if (epsilon < 1e-12)
            epsilon = 1e-12;
    }
    if (difference <= epsilon)
        return 0;
    return x < y ? -1 : 1;
}

inline bool Ds_Equal(const RValue& a, const RValue& b)
{
    return Ds_Compare(a, b) == 0;
}

// ---- stored form ----

// A stored value is its kind (integer), real (8 bytes) and string (counted),
// all three always: at least 16 bytes.
constexpr size_t kStoredValueBytes = 16;

inline size_t Ds_StoredSize(const RValue& value)
{
    return kStoredValueBytes + value.str.size();
}
void Ds_WriteValue(CStream& stream, const RValue& value);
// Throws EStreamError on a truncated value or a kind that is neither real nor string.
void Ds_ReadValue(CStream& stream, RValue& value);
// A count of entries of at least bytesPerEntry bytes each, checked against
// what is left of the stream: a damaged count cannot make us allocate.
size_t Ds_ReadCount(CStream& stream, size_t bytesPerEntry);

// ---- text form ----

enum class EDsRead {
    Done,
    OtherKind, // not a text of this kind (also the empty text): left unchanged, no message
    Damaged,   // the kind matched but the rest does not decode: left unchanged
};

// A structure with its stored kind number and these members:
//   size_t StoredSize() const; void WriteToStream(CStream&) const;
//   void ReadFromStream(CStream&)  (after the kind number; throws
//   EStreamError and leaves the structure unchanged on damage)
// The text is the stream's bytes as upper-case hexadecimal digit pairs.

// False when the text would pass kLongestBuiltString (text is then "").
template <class TStructure>
bool Ds_WriteToString(const TStructure& structure, std::string& text)
{
    text.clear();
    const size_t bytes = 4 + structure.StoredSize();
    if (bytes > kLongestBuiltString / 2)
        return false;
    CStream stream;
    stream.Bytes().reserve(bytes);
    stream.WriteInteger(TStructure::kStoredKind);
    structure.WriteToStream(stream);
    stream.ConvertToString(text);
    return true;
}

// Decodes the text and reads its kind number; Done leaves the stream just after it.
EDsRead Ds_OpenText(std::string_view text, int32_t storedKind, CStream& stream);

template <class TStructure>
EDsRead Ds_ReadFromString(TStructure& structure, std::string_view text)
{
    CStream stream;
    const EDsRead opened = Ds_OpenText(text, TStructure::kStoredKind, stream);
    if (opened != EDsRead::Done)
        return opened;
    try {
        structure.ReadFromStream(stream);
    } catch (const EStreamError&) {
        return EDsRead::Damaged;
    }
    return EDsRead::Done;
}
