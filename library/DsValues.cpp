// The comparison of data structure values and their stored form.
#include "library/DsValues.h"

#include <cstring>

double DsDetail::Precision = 1e-8;

double Ds_Precision()
{
    return DsDetail::Precision;
}

bool Ds_SetPrecision(double precision)
{
    if (std::isnan(precision))
        return false;
    DsDetail::Precision = std::fabs(precision);
    return true;
}

int DsDetail::CompareStrings(const RValue& a, const RValue& b)
{
    // std::string compares with memcmp, that is by unsigned character code.
    const int order = a.str.Text().compare(b.str.Text());
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

int DsDetail::CompareUnusualReals(double x, double y)
{
    const bool xNan = std::isnan(x);
    const bool yNan = std::isnan(y);
    if (xNan || yNan)
        return xNan == yNan ? 0 : (xNan ? -1 : 1);
    // An infinity against a finite value: only an infinite precision makes
    // them equal.
    if (std::isinf(Precision))
        return 0;
    return x < y ? -1 : 1;
}

void Ds_WriteValue(CStream& stream, const RValue& value)
{
    stream.WriteInteger(value.kind);
    stream.WriteReal(value.val);
    stream.WriteString(value.str.Text());
}

void Ds_ReadValue(CStream& stream, RValue& value)
{
    const int32_t kind = stream.ReadInteger();
    const double real = stream.ReadReal();
    std::string text;
    stream.ReadString(text);
    if (kind == VALUE_REAL)
        value = RValue(real);
    else if (kind == VALUE_STRING)
        value = RValue(RString(std::move(text)), real);
    else
        throw EStreamError("a stored value has an unknown kind");
}

size_t Ds_ReadCount(CStream& stream, size_t bytesPerEntry)
{
    const int32_t count = stream.ReadInteger();
    if (count < 0 || static_cast<size_t>(count) > (stream.Size() - stream.Position()) / bytesPerEntry)
        throw EStreamError("a stored count does not fit the text");
    return static_cast<size_t>(count);
}

EDsRead Ds_OpenText(std::string_view text, int32_t storedKind, CStream& stream)
{
    // The kind number alone decides whether this is a text of our kind, so
    // look at its eight digits before decoding (and judging) the rest.
    if (text.size() < 8)
        return EDsRead::OtherKind;
    try {
        stream.ConvertFromString(text.substr(0, 8));
        if (stream.ReadInteger() != storedKind)
            return EDsRead::OtherKind;
    } catch (const EStreamError&) {
        return EDsRead::OtherKind;
    }
    try {
        stream.ConvertFromString(text);
        stream.Seek(4);
    } catch (const EStreamError&) {
        return EDsRead::Damaged;
    }
    return EDsRead::Done;
}
