// Events raised by time or by condition: the twelve alarms of every
// instance, time lines that instances follow, and triggers tested at the
// three step moments.
#pragma once

#include <cstdint>

class CTimeLine;

void TimeEvents_Alarms();
void TimeEvents_TimeLines();
// The triggers of one moment (0 step, 1 begin step, 2 end step).
void TimeEvents_Triggers(int32_t moment);
// Compiles every trigger's condition; a failure is fatal and gives false.
bool TimeEvents_PrepareTriggers();

// Moment lookups of a time line (moments ascend by step).
int32_t TimeLine_Find(const CTimeLine& line, int32_t step);
int32_t TimeLine_FindLarger(const CTimeLine& line, double step);
int32_t TimeLine_FindSmaller(const CTimeLine& line, double step);
void TimeLine_AddMoment(CTimeLine& line, int32_t step);
void TimeLine_DeleteMoment(CTimeLine& line, int32_t step);
