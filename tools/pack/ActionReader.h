// Action lists of events and time line moments: either one piece of code
// (code or code_file) or a list of [[...action]] tables.
#pragma once

#include "data/Event.h"
#include "tools/pack/ReaderContext.h"

// Fills event from table's code/code_file or its "action" list.
void ReadActionList(CReaderContext& context, CManifestTable& table, CEvent& event);
