// Shared libraries through dlopen, calls through libffi.
#include "platform/NativeLibrary.h"

#include <dlfcn.h>
#include <ffi.h>

struct CNativeSignature::RShape {
    ffi_cif cif;
    ffi_type* types[kNativeMaxArguments];
    int count = 0;
    bool stringResult = false;
};

void* Platform_OpenLibrary(const std::string& hostPath)
{
    if (hostPath.empty())
        return nullptr;
    // Everything is bound at once, so a library missing a symbol fails here
    // rather than in the middle of a call; its symbols stay its own.
    return ::dlopen(hostPath.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* Platform_LibraryFunction(void* library, const std::string& name)
{
    if (!library || name.empty())
        return nullptr;
    return ::dlsym(library, name.c_str());
}

void Platform_CloseLibrary(void* library)
{
    if (library)
        ::dlclose(library);
}

CNativeSignature::CNativeSignature() : n_shape(std::make_unique<RShape>()) {}
CNativeSignature::~CNativeSignature() = default;

std::unique_ptr<CNativeSignature> CNativeSignature::Make(int count, const bool* stringArguments, bool stringResult)
{
    if (count < 0 || count > kNativeMaxArguments)
        return nullptr;
    std::unique_ptr<CNativeSignature> signature(new CNativeSignature());
    RShape& shape = *signature->n_shape;
    shape.count = count;
    shape.stringResult = stringResult;
    for (int k = 0; k < count; ++k)
        shape.types[k] = stringArguments[k] ? &ffi_type_pointer : &ffi_type_double;
    ffi_type* result = stringResult ? &ffi_type_pointer : &ffi_type_double;
    if (ffi_prep_cif(&shape.cif, FFI_DEFAULT_ABI, static_cast<unsigned>(count), result, shape.types) != FFI_OK)
        return nullptr;
    return signature;
}

RNativeValue CNativeSignature::Call(void* function, const RNativeValue* arguments) const
{
    const RShape& shape = *n_shape;
    void* values[kNativeMaxArguments];
    for (int k = 0; k < shape.count; ++k)
        values[k] = const_cast<RNativeValue*>(&arguments[k]);
    // libffi writes at least a whole register's worth of result.
    union {
        ffi_arg word;
        double real;
        void* pointer;
    } returned{};
    ffi_call(const_cast<ffi_cif*>(&shape.cif), FFI_FN(function), &returned, values);
    RNativeValue result;
    if (shape.stringResult)
        result.text = static_cast<const char*>(returned.pointer);
    else
        result.real = returned.real;
    return result;
}
