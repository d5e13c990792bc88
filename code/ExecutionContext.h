// CExecutionContext: everything running code carries, in one object that the
// executor and every built-in routine are handed. It owns the value stack
// (each entry of the executor and each script call gets a frame on it: the
// script's sixteen argument slots, the run's locals and its temporaries),
// the instances self and other, the pending error and the call depth.
//
// The program has one context (Code_Context()), as it has one thread; entry
// points that are not handed a context use that one. A failure inside a
// routine (a script it called, code it ran) reaches its caller through one
// path: the routine returns false and the pending error says why.
#pragma once

#include "code/CodeError.h"
#include "code/Value.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CCode;
class CInstance;

constexpr int kArgumentSlots = 16;

// How deep script calls and nested code runs may go before the call fails.
constexpr int kMaxExecutionDepth = 1000;

// The argument slots that code sees: those of the innermost script call (or
// of code run with its own arguments), else the program's own sixteen.
// Slots from `used` on hold the real 0 without having been written: a call
// fills only the slots it was given.
struct RArgumentFrame {
    RValue* slots = nullptr;
    int32_t used = 0;
    int32_t count = 0; // argument_count
    int32_t script = -1; // the running script's index; -1 while none runs
};

class CExecutionContext {
public:
    // A context of its own (tests that call routines directly make one);
    // running code uses Code_Context().
    explicit CExecutionContext(CInstance* self = nullptr, CInstance* other = nullptr);
    ~CExecutionContext();
    CExecutionContext(const CExecutionContext&) = delete;
    CExecutionContext& operator=(const CExecutionContext&) = delete;

    // The instance the code runs for, and the other one at hand (the other
    // party of a collision, the instance that ran a `with`, or self again).
    CInstance* Self() const { return e_self; }
    CInstance* Other() const { return e_other; }
    void SetInstances(CInstance* self, CInstance* other)
    {
        e_self = self;
        e_other = other;
    }

    // --- the pending error: the first error of a run, with its place ---
    bool Failed() const { return e_failed; }
    const std::string& ErrorMessage() const { return e_message; }
    // For tools that place the pending error themselves: the text of the
    // code it happened in and its place there (line 0 when the error was
    // worded without a place in code).
    const std::string& ErrorSource() const { return e_source; }
    const RCodeErrorPlace& ErrorPlace() const { return e_place; }
    // Records message at position in code, unless an error is already pending.
    void Fail(const CCode& code, int position, const std::string& message);
    // Makes message the pending error, replacing any (callers that word a
    // failure of their own, or head the one pending).
    void SetError(std::string message)
    {
        if (!e_failed)
            e_place = RCodeErrorPlace();
        e_failed = true;
        e_message = std::move(message);
    }
    void ClearError() { e_failed = false; }

    // --- arguments ---
    const RValue& Argument(int slot) const
    {
        return slot < e_args.used ? e_args.slots[slot] : ZeroValue();
    }
    void SetArgument(int slot, const RValue& value);
    int32_t ArgumentCount() const { return e_args.count; }
    int32_t RunningScript() const { return e_args.script; }
    // "<unknown>" while no script runs.
    std::string RunningScriptName() const;
    const RArgumentFrame& Arguments() const { return e_args; }
    // Makes frame the arguments code sees; the caller keeps the one it
    // replaced and puts it back with RestoreArguments.
    RArgumentFrame SwapArguments(const RArgumentFrame& frame)
    {
        RArgumentFrame previous = e_args;
        e_args = frame;
        return previous;
    }
    void RestoreArguments(const RArgumentFrame& frame) { e_args = frame; }
    // Back to the program's own slots, all the real 0, with no script running.
    void ResetArguments();

    // --- call depth ---
    int Depth() const { return e_depth; }
    // False (depth unchanged) when another level would pass the limit.
    bool Enter()
    {
        if (e_depth >= kMaxExecutionDepth)
            return false;
        ++e_depth;
        return true;
    }
    void Leave() { --e_depth; }

    // --- the value stack ---
    // Where the top of the stack is; Restore(mark) pops every frame pushed since.
    struct RStackMark {
        RValue* top;
        RValue* limit;
        uint32_t chunk;
    };
    RStackMark Mark() const { return RStackMark{e_top, e_limit, e_chunk}; }
    void Restore(const RStackMark& mark)
    {
        if (mark.chunk != e_chunk)
            SwitchChunk(mark.chunk);
        e_top = mark.top;
        e_limit = mark.limit;
    }
    // A frame of size values at the top of the stack. Its values are valid
    // but not cleared: whoever reads a value writes it first. Frames never
    // move once pushed, so pointers into them stay good while code they call
    // pushes frames of its own.
    RValue* PushFrame(int32_t size)
    {
        if (e_top + size > e_limit)
            return PushFrameInNewChunk(size);
        RValue* base = e_top;
        e_top += size;
        if (e_top > e_high)
            e_high = e_top;
        return base;
    }
    // A frame that starts at base, inside the frame at the top (a script
    // call whose arguments the caller left there); false when it would not
    // fit in the stack's current chunk.
    bool PushFrameAt(RValue* base, int32_t size)
    {
        if (base + size > e_limit)
            return false;
        e_top = base + size;
        if (e_top > e_high)
            e_high = e_top;
        return true;
    }
    // Lets go of every text the free part of the stack still holds; done
    // when the outermost run ends, so dead frames keep nothing alive for long.
    void ReleaseFreeStack()
    {
        for (RValue* value = e_top; value < e_high; ++value)
            if (value->str.HasBlock())
                value->str = RString();
        e_high = e_top;
        if (e_chunk + 1 < e_chunks.size())
            ReleaseLaterChunks();
    }

    static const RValue& ZeroValue();

private:
    struct RChunk {
        std::unique_ptr<RValue[]> values;
        int32_t size = 0;
        RValue* high = nullptr; // below it, values may still hold texts (the top chunk's is e_high)
    };
    RValue* PushFrameInNewChunk(int32_t size);
    void ReleaseLaterChunks();
    void SwitchChunk(uint32_t chunk);

    CInstance* e_self = nullptr;
    CInstance* e_other = nullptr;
    bool e_failed = false;
    std::string e_message;
    std::string e_source;
    RCodeErrorPlace e_place;
    RArgumentFrame e_args;
    RValue e_programArguments[kArgumentSlots];
    int e_depth = 0;

    std::vector<RChunk> e_chunks;
    uint32_t e_chunk = 0; // the chunk holding the top
    RValue* e_top = nullptr;
    RValue* e_limit = nullptr; // end of that chunk
    RValue* e_high = nullptr; // of that chunk: below it, values may still hold texts
};

// The program's execution context. Asked for on every event: a pointer
// check inline, where a function-local static costs a call and its guard.
extern CExecutionContext* CodeContextInstance;
CExecutionContext& Code_ContextMade();
inline CExecutionContext& Code_Context()
{
    return __builtin_expect(CodeContextInstance != nullptr, 1) ? *CodeContextInstance : Code_ContextMade();
}
