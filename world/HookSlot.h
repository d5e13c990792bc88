// Hook slots: the places where the world (and drawing) call into modules
// that are put together at start-up: input, drawing, sound, motion, saving,
// particles, dialogs. A slot holds the function its module installed; until
// one is installed, calling the slot runs what the slot declares for that
// case, and nothing else:
//   - a default: the world's own behaviour when no module replaces it;
//   - unavailable: the feature reports "... is not available on this
//     system." through the error display and gives its failure result;
//   - required: start-up must install it. Start-up fails while it is empty
//     (a unit test that runs the world without that module gets nothing).
// Every slot registers itself, so start-up checks them all at once and a
// test walks them. Installing a slot twice within one start-up (two modules
// claiming one stage) is a start-up error in builds with debug checks.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

class CHookSlot {
public:
    enum class EMissing : int32_t { Default, Unavailable, Required };

    CHookSlot(const CHookSlot& other);
    CHookSlot& operator=(const CHookSlot&) = delete;
    virtual ~CHookSlot();

    const char* Name() const { return h_name; }
    EMissing Missing() const { return h_missing; }
    // For unavailable slots: the feature, as the report names it.
    const char* Feature() const { return h_feature; }
    virtual bool IsInstalled() const = 0;
    // Installations since the last Hooks_BeginStartup.
    int32_t InstallCount() const { return h_installs; }
    // What calling an empty unavailable slot reports, whatever it takes.
    void ReportUnavailable() const;

protected:
    CHookSlot(const char* name, EMissing missing, const char* feature);
    void CountInstall() { ++h_installs; }

    const char* h_name;
    EMissing h_missing;
    const char* h_feature;
    int32_t h_installs = 0;

    friend void Hooks_BeginStartup();
};

// What a slot does while nothing is installed, for the constructors below.
struct RUnavailable {
    const char* feature; // "Loading a saved game"
};
struct RRequired {};
inline constexpr RRequired kRequired{};

template <typename Signature>
class THook;

template <typename R, typename... Args>
class THook<R(Args...)> : public CHookSlot {
public:
    using TFunction = R (*)(Args...);

    THook(const char* name, TFunction fallback) : CHookSlot(name, EMissing::Default, nullptr), h_fallback(fallback) {}
    THook(const char* name, RUnavailable unavailable) : CHookSlot(name, EMissing::Unavailable, unavailable.feature) {}
    THook(const char* name, RRequired) : CHookSlot(name, EMissing::Required, nullptr) {}
    // A bare function, for assigning a whole set of hooks at once
    // (`RoomDrawHooks = {&Depth, &Draw};`): only its function is taken.
    THook(TFunction function) : CHookSlot(nullptr, EMissing::Required, nullptr), h_function(function)
    {
        if (function)
            CountInstall();
    }
    THook(const THook& other) = default;

    // Installing; null takes the installed function away again.
    THook& operator=(TFunction function)
    {
        h_function = function;
        if (function)
            CountInstall();
        return *this;
    }
    // Assigning a whole set of hooks copies what is installed, never what a
    // slot does without it.
    THook& operator=(const THook& other)
    {
        h_function = other.h_function;
        h_installs = other.h_installs;
        return *this;
    }

    bool IsInstalled() const override { return h_function != nullptr; }
    // Always callable: `if (hooks.slot) hooks.slot();` runs the fallback too.
    explicit operator bool() const { return true; }

    R operator()(Args... args) const
    {
        if (h_function)
            return h_function(std::forward<Args>(args)...);
        if (h_missing == EMissing::Default && h_fallback)
            return h_fallback(std::forward<Args>(args)...);
        if (h_missing == EMissing::Unavailable)
            ReportUnavailable();
        return R();
    }

private:
    TFunction h_function = nullptr;
    TFunction h_fallback = nullptr;
};

// Every slot alive, in the order they were made.
void Hooks_ForEach(const std::function<void(const CHookSlot& slot)>& visit);
// Start-up begins installing: install counts go back to 0.
void Hooks_BeginStartup();
// Start-up has installed everything: "" when all is well, else what is
// wrong (a required slot left empty; with checkTwice, a slot installed more
// than once since Hooks_BeginStartup).
std::string Hooks_FinishStartup(bool checkTwice);
// Builds with debug checks treat a slot installed twice as a start-up error.
constexpr bool kHookDebugChecks =
#ifdef BRINDLE_DEBUG_CHECKS
    true;
#else
    false;
#endif
