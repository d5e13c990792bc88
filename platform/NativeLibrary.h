// Native shared libraries for the game's external functions: opening a
// library file, finding a function it exports, and calling that function
// with doubles and 8-bit strings (through libffi, so any count and mix of
// the two works without code for each shape). Both of the original
// platform's calling conventions are this system's C convention.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

// Opens the shared library at hostPath, or by its bare name through the
// system's library search path when the name holds no "/". nullptr when it
// cannot be loaded: missing, or not a library of this system (a library
// built for the original platform among them).
void* Platform_OpenLibrary(const std::string& hostPath);
// The address of an exported function, or nullptr.
void* Platform_LibraryFunction(void* library, const std::string& name);
void Platform_CloseLibrary(void* library);

constexpr int kNativeMaxArguments = 16;

// One argument or result: a double, or a zero-terminated 8-bit string.
union RNativeValue {
    double real;
    const char* text;
};

// The shape of a call: how many arguments, which of them are strings, and
// whether the result is a string. Prepared once per external function.
class CNativeSignature {
public:
    // Null when count is outside 0..16.
    static std::unique_ptr<CNativeSignature> Make(int count, const bool* stringArguments, bool stringResult);
    ~CNativeSignature();
    CNativeSignature(const CNativeSignature&) = delete;
    CNativeSignature& operator=(const CNativeSignature&) = delete;

    // Calls function with the signature's count of arguments; a string
    // result points into the library's memory and must be copied at once.
    RNativeValue Call(void* function, const RNativeValue* arguments) const;

private:
    CNativeSignature();
    struct RShape;
    std::unique_ptr<RShape> n_shape;
};
