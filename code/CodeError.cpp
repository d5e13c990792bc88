// Positions become a line, a caret and a column in the pending message.
#include "code/CodeError.h"

#include "code/Code.h"

bool Code_ErrorFlag = false;
std::string Code_ErrorMessage;
std::string Code_ErrorSource;
int Code_ErrorLine = 0;
int Code_ErrorColumn = 0;
std::string Code_ErrorReason;

void Code_Error(const CCode& code, int position, const std::string& message)
{
    Code_ErrorInText(code.GetText(), code.Kind() == CCode::kProgram, position, message);
}

void Code_ErrorInText(const std::string& text, bool isProgram, int position, const std::string& message)
{
    if (Code_ErrorFlag)
        return;
    Code_ErrorFlag = true;

    int length = static_cast<int>(text.size());
    int p = position;
    if (p > length)
        p = length;
    if (p < 1)
        p = 1;
    int line = 1;
    int column = 0;
    size_t lineStart = 0;
    for (int k = 0; k < p && k < length; ++k) {
        char c = text[static_cast<size_t>(k)];
        bool lineBreak = c == '\r' || (c == '\n' && (k == 0 || text[static_cast<size_t>(k - 1)] != '\r'));
        if (lineBreak) {
            ++line;
            column = 0;
        } else {
            ++column;
        }
        if (lineBreak)
            lineStart = static_cast<size_t>(k) + 1;
    }
    // The line runs to the next line break. Text with bare line feeds (as
    // written on this system) breaks at them too; in CR LF text the LF after
    // the CR stays the line's first character, as the column counts it.
    size_t lineEnd = lineStart;
    while (lineEnd < text.size()) {
        char c = text[lineEnd];
        if (c == '\r' || (c == '\n' && (lineEnd == 0 || text[lineEnd - 1] != '\r')))
            break;
        ++lineEnd;
    }
    std::string lineText = text.substr(lineStart, lineEnd - lineStart);
    Code_ErrorSource = text;
    Code_ErrorLine = line;
    Code_ErrorColumn = column;
    Code_ErrorReason = message;

    if (isProgram) {
        Code_ErrorMessage = "Error in code at line " + std::to_string(line) + ":\r   " + lineText + "\r" +
                            std::string(static_cast<size_t>(column) + 1, ' ') + "^\rat position " +
                            std::to_string(column) + ": " + message;
    } else {
        Code_ErrorMessage =
            "Error in expression:" + text + "\r position " + std::to_string(column) + ": " + message;
    }
}
