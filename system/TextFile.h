// One text file of the game's text file functions, open for reading or for
// writing. Reading accepts lines ended by CR LF, LF or CR alone; writing ends
// lines with CR LF, as the files games ship with and expect do.
#pragma once

#include "platform/FileHandle.h"

#include <string>
#include <string_view>
#include <vector>

class CTextFile {
public:
    enum EState {
        Closed = 0,
        Reading = 1,
        Writing = 2,
    };

    bool OpenRead(const std::string& hostPath);
    bool OpenWrite(const std::string& hostPath);
    bool OpenAppend(const std::string& hostPath);
    // The state is closed afterwards either way; false when closing failed.
    bool Close();
    EState State() const { return t_state; }

    // Each reading call is false when the file could not be read.
    bool IsAtEnd(bool& atEnd);
    // At a line end, or at the end of the file, which ends the last line.
    bool IsAtLineEnd(bool& atLineEnd);
    // The rest of the line; the position stays before its line end.
    bool ReadString(std::string& text);
    bool ReadReal(double& value);
    // Past the current line's end, to the start of the next line.
    bool ReadLine();

    bool Write(std::string_view text);
    bool WriteLineEnd() { return Write("\r\n"); }

    // The number reader's view of the file.
    bool AtEnd();
    char Peek() { return t_buffer[t_position]; }
    void Advance() { ++t_position; }

private:
    bool Fill();

    CFileHandle t_file;
    EState t_state = Closed;
    std::vector<char> t_buffer;
    size_t t_position = 0, t_filled = 0;
    bool t_failed = false;
};
