// Reading and writing included-file records.
#include "data/DataFile.h"

#include "data/Stream.h"

#include <cctype>

bool CDataFile::LoadFromStream(CStream& stream)
{
    Clear();
    if (stream.ReadInteger() != kVersion)
        return false;
    stream.ReadString(s_filename);
    stream.ReadString(s_origname);
    s_exists = stream.ReadBoolean();
    s_size = stream.ReadInteger();
    s_store = stream.ReadBoolean();
    if (HasData())
        s_data = std::move(stream.ReadStream()->Bytes());
    s_exportaction = stream.ReadInteger();
    stream.ReadString(s_exportdir);
    s_overwrite = stream.ReadBoolean();
    s_freedata = stream.ReadBoolean();
    s_removeend = stream.ReadBoolean();
    return true;
}

void CDataFile::SaveToStream(CStream& stream) const
{
    stream.WriteInteger(kVersion);
    stream.WriteString(s_filename);
    stream.WriteString(s_origname);
    stream.WriteBoolean(s_exists);
    stream.WriteInteger(s_size);
    stream.WriteBoolean(s_store);
    if (HasData()) {
        stream.WriteInteger(static_cast<int32_t>(s_data.size()));
        stream.WriteBytes(s_data.data(), s_data.size());
    }
    stream.WriteInteger(s_exportaction);
    stream.WriteString(s_exportdir);
    stream.WriteBoolean(s_overwrite);
    stream.WriteBoolean(s_freedata);
    stream.WriteBoolean(s_removeend);
}

bool DataFile_NameStaysInFolder(const std::string& name)
{
    if (name.empty() || name[0] == '\\' || name[0] == '/')
        return false;
    if (name.size() >= 2 && std::isalpha(static_cast<unsigned char>(name[0])) && name[1] == ':')
        return false;
    int depth = 0;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of("\\/", start);
        if (end == std::string::npos)
            end = name.size();
        std::string part = name.substr(start, end - start);
        if (part == "..") {
            if (--depth < 0)
                return false;
        } else if (!part.empty() && part != ".") {
            ++depth;
        }
        start = end + 1;
    }
    return true;
}
