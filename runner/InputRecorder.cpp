// Writing the input script of a played run.
#include "runner/InputRecorder.h"

#include "platform/Keys.h"
#include "platform/TextEncoding.h"

std::vector<RScriptedInput> Runner_InputsOfWindowEvent(const RWindowEvent& event, int64_t step)
{
    std::vector<RScriptedInput> inputs;
    RScriptedInput input;
    input.step = step;
    switch (event.kind) {
    case EWindowEvent::KeyDown:
    case EWindowEvent::KeyUp:
        input.a = Platform_TranslateKey(event.key, event.scancode, Platform_NumLock()).code;
        input.kind = event.kind == EWindowEvent::KeyDown ? EScriptedInput::KeyDown : EScriptedInput::KeyUp;
        if (input.a != 0)
            inputs.push_back(input);
        break;
    case EWindowEvent::Text:
        input.kind = EScriptedInput::Character;
        for (char c : Utf8ToCp1252(event.text)) {
            input.a = static_cast<unsigned char>(c);
            inputs.push_back(input);
        }
        break;
    case EWindowEvent::MouseMove:
        input.kind = EScriptedInput::MouseMove;
        input.a = event.x;
        input.b = event.y;
        inputs.push_back(input);
        break;
    case EWindowEvent::MouseDown:
    case EWindowEvent::MouseUp:
        if (event.button < 1 || event.button > 3)
            break;
        input.kind = event.kind == EWindowEvent::MouseDown ? EScriptedInput::MouseDown : EScriptedInput::MouseUp;
        input.a = event.button;
        input.c = 1;
        input.b = event.x;
        input.d = event.y;
        inputs.push_back(input);
        break;
    case EWindowEvent::MouseWheel:
        if (event.wheel == 0)
            break;
        input.kind = EScriptedInput::Wheel;
        input.a = event.wheel > 0 ? 1 : -1;
        inputs.push_back(input);
        break;
    case EWindowEvent::Close:
        input.kind = EScriptedInput::CloseButton;
        inputs.push_back(input);
        break;
    default:
        break;
    }
    return inputs;
}

bool CInputRecorder::Open(const std::string& path, uint32_t seed, const std::string& game, std::string& error)
{
    Close();
    r_file = std::fopen(path.c_str(), "wb");
    if (!r_file) {
        error = path + ": cannot write the recording";
        return false;
    }
    std::string head = "# The input of a run of " + game + ", recorded by brindle-run.\n" +
                       "# Play it again with: brindle-run --input FILE --seed " + std::to_string(seed) + " GAME\n" +
                       "# seed " + std::to_string(seed) + "\n";
    std::fputs(head.c_str(), r_file);
    std::fflush(r_file);
    return true;
}

void CInputRecorder::Record(const RScriptedInput& input)
{
    if (!r_file)
        return;
    if (input.kind == EScriptedInput::MouseMove) {
        // A move due later than the one kept back lets that one go first.
        if (r_hasMove && r_move.step != input.step)
            Write(r_move);
        r_move = input;
        r_hasMove = true;
        return;
    }
    if (r_hasMove)
        Write(r_move);
    r_hasMove = false;
    Write(input);
}

void CInputRecorder::RecordAnswer(int64_t step, const RDialogAnswer& answer)
{
    if (!r_file)
        return;
    if (r_hasMove)
        Write(r_move);
    r_hasMove = false;
    WriteLine("step " + std::to_string(step) + " " + InputScript_FormatAnswer(answer));
}

void CInputRecorder::Write(const RScriptedInput& input)
{
    WriteLine(FormatScriptedInput(input));
}

void CInputRecorder::WriteLine(const std::string& line)
{
    std::fputs((line + "\n").c_str(), r_file);
    std::fflush(r_file);
}

void CInputRecorder::Close()
{
    if (!r_file)
        return;
    if (r_hasMove)
        Write(r_move);
    r_hasMove = false;
    std::fclose(r_file);
    r_file = nullptr;
}
