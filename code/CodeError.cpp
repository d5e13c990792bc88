// Positions become a line, a caret and a column in the pending message.
#include "code/CodeError.h"

#include "code/Code.h"

void CCompileErrors::Fail(int position, const std::string& message)
{
    if (c_failed)
        return;
    c_failed = true;
    c_message = Code_ErrorText(c_code.GetText(), c_code.Kind() == CCode::kProgram, position, message, &c_place);
}

std::string Code_ErrorText(const std::string& text, bool isProgram, int position, const std::string& message,
                           RCodeErrorPlace* place)
{
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
    if (place)
        *place = RCodeErrorPlace{line, column, message};

    if (isProgram)
        return "Error in code at line " + std::to_string(line) + ":\r   " + lineText + "\r" +
               std::string(static_cast<size_t>(column) + 1, ' ') + "^\rat position " + std::to_string(column) +
               ": " + message;
    return "Error in expression:" + text + "\r position " + std::to_string(column) + ": " + message;
}
