// The execution context: pending error, argument slots and the value stack.
#include "code/ExecutionContext.h"

#include "code/Code.h"
#include "code/CodeError.h"
#include "data/Resources.h"

namespace {

// Values per chunk of the stack: deep recursion takes a few chunks, and a
// chunk is only made when the one below is full. The first is small, as most
// contexts run shallow code (or none: tests make contexts to call routines).
constexpr int32_t kFirstChunkValues = 256;
constexpr int32_t kChunkValues = 16384;

} // namespace

CExecutionContext::CExecutionContext(CInstance* self, CInstance* other) : e_self(self), e_other(other)
{
    ResetArguments();
    RChunk& chunk = e_chunks.emplace_back();
    chunk.size = kFirstChunkValues;
    chunk.values = std::make_unique<RValue[]>(kFirstChunkValues);
    e_top = e_high = chunk.values.get();
    e_limit = e_top + chunk.size;
}

CExecutionContext::~CExecutionContext() = default;

const RValue& CExecutionContext::ZeroValue()
{
    static const RValue zero;
    return zero;
}

void CExecutionContext::Fail(const CCode& code, int position, const std::string& message)
{
    if (e_failed)
        return;
    e_failed = true;
    e_message = Code_ErrorText(code.GetText(), code.Kind() == CCode::kProgram, position, message, &e_place);
    e_source = code.GetText();
}

void CExecutionContext::SetArgument(int slot, const RValue& value)
{
    // Slots between the last one written and this one become the real 0
    // they have read as so far.
    for (int k = e_args.used; k < slot; ++k)
        e_args.slots[k] = RValue();
    e_args.slots[slot] = value;
    if (slot >= e_args.used)
        e_args.used = slot + 1;
}

std::string CExecutionContext::RunningScriptName() const
{
    return e_args.script >= 0 ? Scripts.Name(e_args.script) : std::string("<unknown>");
}

void CExecutionContext::ResetArguments()
{
    for (RValue& slot : e_programArguments)
        slot = RValue();
    e_args = RArgumentFrame{e_programArguments, 0, 0, -1};
}

void CExecutionContext::SwitchChunk(uint32_t chunk)
{
    e_chunks[e_chunk].high = e_high;
    e_chunk = chunk;
    e_high = e_chunks[chunk].high;
}

RValue* CExecutionContext::PushFrameInNewChunk(int32_t size)
{
    const uint32_t next = e_chunk + 1;
    if (next == e_chunks.size()) {
        RChunk& chunk = e_chunks.emplace_back();
        chunk.size = size > kChunkValues ? size : kChunkValues;
        chunk.values = std::make_unique<RValue[]>(static_cast<size_t>(chunk.size));
        chunk.high = chunk.values.get();
    }
    if (e_chunks[next].size < size) {
        // Only a frame bigger than any before it lands here; the chunk is
        // empty, since it is above the top.
        RChunk& chunk = e_chunks[next];
        chunk.size = size;
        chunk.values = std::make_unique<RValue[]>(static_cast<size_t>(size));
        chunk.high = chunk.values.get();
    }
    SwitchChunk(next);
    RValue* base = e_chunks[next].values.get();
    e_limit = base + e_chunks[next].size;
    e_top = base + size;
    if (e_top > e_high)
        e_high = e_top;
    return base;
}

void CExecutionContext::ReleaseLaterChunks()
{
    for (uint32_t k = e_chunk + 1; k < e_chunks.size(); ++k) {
        RChunk& chunk = e_chunks[k];
        for (RValue* value = chunk.values.get(); value < chunk.high; ++value)
            if (value->str.HasBlock())
                value->str = RString();
        chunk.high = chunk.values.get();
    }
}

CExecutionContext* CodeContextInstance = nullptr;

CExecutionContext& Code_ContextMade()
{
    static CExecutionContext context;
    CodeContextInstance = &context;
    return context;
}
