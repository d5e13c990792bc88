// Buffered reading and direct writing of text files.
#include "system/TextFile.h"

#include "system/NumberText.h"

namespace {

constexpr size_t kBufferSize = 65536;

} // namespace

bool CTextFile::OpenRead(const std::string& hostPath)
{
    Close();
    if (!t_file.Open(hostPath, EFileAccess::Read, EFileOpening::Existing))
        return false;
    t_buffer.resize(kBufferSize);
    t_position = t_filled = 0;
    t_failed = false;
    t_state = Reading;
    return true;
}

bool CTextFile::OpenWrite(const std::string& hostPath)
{
    Close();
    if (!t_file.Open(hostPath, EFileAccess::Write, EFileOpening::Emptied))
        return false;
    t_state = Writing;
    return true;
}

bool CTextFile::OpenAppend(const std::string& hostPath)
{
    Close();
    if (!t_file.Open(hostPath, EFileAccess::Write, EFileOpening::Appended))
        return false;
    t_state = Writing;
    return true;
}

bool CTextFile::Close()
{
    t_state = Closed;
    t_buffer.clear();
    t_buffer.shrink_to_fit();
    t_position = t_filled = 0;
    return t_file.Close();
}

bool CTextFile::Fill()
{
    if (t_failed)
        return false;
    int64_t got = t_file.Read(t_buffer.data(), t_buffer.size());
    if (got < 0) {
        t_failed = true;
        return false;
    }
    t_position = 0;
    t_filled = static_cast<size_t>(got);
    return true;
}

bool CTextFile::AtEnd()
{
    if (t_position < t_filled)
        return false;
    return !Fill() || t_filled == 0;
}

bool CTextFile::IsAtEnd(bool& atEnd)
{
    atEnd = AtEnd();
    return !t_failed;
}

bool CTextFile::IsAtLineEnd(bool& atLineEnd)
{
    atLineEnd = AtEnd() || Peek() == '\r' || Peek() == '\n';
    return !t_failed;
}

bool CTextFile::ReadString(std::string& text)
{
    text.clear();
    while (!AtEnd()) {
        char c = Peek();
        if (c == '\r' || c == '\n')
            break;
        text += c;
        Advance();
    }
    return !t_failed;
}

bool CTextFile::ReadReal(double& value)
{
    value = ScanTextNumber(*this);
    return !t_failed;
}

bool CTextFile::ReadLine()
{
    while (!AtEnd() && Peek() != '\r' && Peek() != '\n')
        Advance();
    if (!AtEnd() && Peek() == '\r') {
        Advance();
        if (!AtEnd() && Peek() == '\n')
            Advance();
    } else if (!AtEnd()) {
        Advance(); // a line feed alone
    }
    return !t_failed;
}

bool CTextFile::Write(std::string_view text)
{
    return t_state == Writing && t_file.Write(text.data(), text.size());
}
