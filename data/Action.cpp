// Reading and writing action records.
#include "data/Action.h"

#include "data/Stream.h"

CAction CAction::MakeCode(const std::string& code)
{
    CAction action;
    action.act_libid = kCodeLibrary;
    action.act_id = kCodeActionId;
    action.act_kind = kActionCode;
    action.act_useapplyto = true;
    action.act_exetype = kExecuteCode;
    action.act_argumentcount = 1;
    action.act_argtypecount = 1;
    action.act_argtype[0] = 1; // a string argument
    action.act_argstringcount = 1;
    action.act_argstring[0] = code;
    return action;
}

bool CAction::LoadFromStream(CStream& stream)
{
    Clear();
    if (stream.ReadInteger() != kVersion)
        return false;
    act_libid = stream.ReadInteger();
    act_id = stream.ReadInteger();
    act_kind = stream.ReadInteger();
    act_userelative = stream.ReadBoolean();
    act_isquestion = stream.ReadBoolean();
    act_useapplyto = stream.ReadBoolean();
    act_exetype = stream.ReadInteger();
    stream.ReadString(act_functionname);
    stream.ReadString(act_codestring);
    act_argumentcount = stream.ReadInteger();
    // An action holds eight arguments; a longer list is damaged data and
    // would write past them.
    act_argtypecount = stream.ReadInteger();
    if (act_argtypecount < 0 || act_argtypecount > kMaxArguments)
        return false;
    for (int k = 0; k < act_argtypecount; ++k)
        act_argtype[static_cast<size_t>(k)] = stream.ReadInteger();
    act_who = stream.ReadInteger();
    act_relative = stream.ReadBoolean();
    act_argstringcount = stream.ReadInteger();
    if (act_argstringcount < 0 || act_argstringcount > kMaxArguments)
        return false;
    for (int k = 0; k < act_argstringcount; ++k)
        stream.ReadString(act_argstring[static_cast<size_t>(k)]);
    act_isnot = stream.ReadBoolean();
    return true;
}

void CAction::SaveToStream(CStream& stream) const
{
    stream.WriteInteger(kVersion);
    stream.WriteInteger(act_libid);
    stream.WriteInteger(act_id);
    stream.WriteInteger(act_kind);
    stream.WriteBoolean(act_userelative);
    stream.WriteBoolean(act_isquestion);
    stream.WriteBoolean(act_useapplyto);
    stream.WriteInteger(act_exetype);
    stream.WriteString(act_functionname);
    stream.WriteString(act_codestring);
    stream.WriteInteger(act_argumentcount);
    stream.WriteInteger(act_argtypecount);
    for (int k = 0; k < act_argtypecount; ++k)
        stream.WriteInteger(act_argtype[static_cast<size_t>(k)]);
    stream.WriteInteger(act_who);
    stream.WriteBoolean(act_relative);
    stream.WriteInteger(act_argstringcount);
    for (int k = 0; k < act_argstringcount; ++k)
        stream.WriteString(act_argstring[static_cast<size_t>(k)]);
    stream.WriteBoolean(act_isnot);
}

bool CAction::operator==(const CAction& o) const
{
    return act_libid == o.act_libid && act_id == o.act_id && act_kind == o.act_kind &&
           act_userelative == o.act_userelative && act_isquestion == o.act_isquestion &&
           act_useapplyto == o.act_useapplyto && act_exetype == o.act_exetype &&
           act_functionname == o.act_functionname && act_functionid == o.act_functionid &&
           act_codestring == o.act_codestring && act_argumentcount == o.act_argumentcount &&
           act_argtypecount == o.act_argtypecount && act_argtype == o.act_argtype && act_who == o.act_who &&
           act_relative == o.act_relative && act_argstringcount == o.act_argstringcount &&
           act_argstring == o.act_argstring && act_isnot == o.act_isnot;
}
