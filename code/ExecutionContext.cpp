// The execution context: pending error, argument slots and the value stack.
#include "code/ExecutionContext.h"

#include "code/Code.h"
#include "code/CodeError.h"
#include "data/Resources.h"

namespace {

// Values per chunk of the stack: deep recursion takes a few chunks, and a
// chunk is only made when the one below is full.
constexpr int32_t kChunkValues = 16384;

} // namespace

CExecutionContext::CExecutionContext(CInstance* self, CInstance* other) : e_self(self), e_other(other)
{
    ResetArguments();
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
    e_message = Code_ErrorText(code.GetText(), code.Kind() == CCode::kProgram, position, message);
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

RValue* CExecutionContext::PushFrameInNewChunk(int32_t size)
{
    if (e_top)
        ++e_chunk;
    if (e_chunk == e_chunks.size()) {
        RChunk& chunk = e_chunks.emplace_back();
        chunk.size = size > kChunkValues ? size : kChunkValues;
        chunk.values = std::make_unique<RValue[]>(static_cast<size_t>(chunk.size));
        chunk.high = chunk.values.get();
    }
    RChunk& chunk = e_chunks[e_chunk];
    if (chunk.size < size) {
        // Only a frame bigger than any before it lands here; the chunk is
        // empty, since it is above the top.
        chunk.size = size;
        chunk.values = std::make_unique<RValue[]>(static_cast<size_t>(size));
        chunk.high = chunk.values.get();
    }
    e_top = chunk.values.get();
    e_limit = e_top + chunk.size;
    RValue* base = e_top;
    e_top += size;
    if (e_top > chunk.high)
        chunk.high = e_top;
    return base;
}

void CExecutionContext::ReleaseFreeStack()
{
    if (!e_top)
        return;
    for (uint32_t k = e_chunk; k < e_chunks.size(); ++k) {
        RChunk& chunk = e_chunks[k];
        RValue* from = k == e_chunk ? e_top : chunk.values.get();
        for (RValue* value = from; value < chunk.high; ++value)
            value->str = RString();
        if (chunk.high > from)
            chunk.high = from;
    }
}

CExecutionContext& Code_Context()
{
    static CExecutionContext context;
    return context;
}
