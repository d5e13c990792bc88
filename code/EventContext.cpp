#include "code/EventContext.h"

RCurrentEvent CurrentEvent;
