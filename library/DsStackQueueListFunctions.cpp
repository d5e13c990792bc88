// The ds_stack_*, ds_queue_* and ds_list_* built-ins beyond those every
// kind shares. Positions are rounded; values are taken as given.
#include "library/DsList.h"
#include "library/DsQueue.h"
#include "library/DsStack.h"
#include "library/DsTables.h"

namespace {

// ---- stacks ----

bool F_StackPush(CExecutionContext&, RValue&, int, RValue* args)
{
    if (CDS_Stack* stack = Ds_Find<CDS_Stack>(args[0]))
        stack->Push(args[1]);
    return true;
}

bool F_StackPop(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (CDS_Stack* stack = Ds_Find<CDS_Stack>(args[0]))
        result = stack->Pop();
    return true;
}

bool F_StackTop(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (const CDS_Stack* stack = Ds_Find<CDS_Stack>(args[0]))
        result = stack->Top();
    return true;
}

// ---- queues ----

bool F_QueueEnqueue(CExecutionContext&, RValue&, int, RValue* args)
{
    if (CDS_Queue* queue = Ds_Find<CDS_Queue>(args[0]))
        queue->Enqueue(args[1]);
    return true;
}

bool F_QueueDequeue(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (CDS_Queue* queue = Ds_Find<CDS_Queue>(args[0]))
        result = queue->Dequeue();
    return true;
}

bool F_QueueHead(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (const CDS_Queue* queue = Ds_Find<CDS_Queue>(args[0]))
        result = queue->Head();
    return true;
}

bool F_QueueTail(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (const CDS_Queue* queue = Ds_Find<CDS_Queue>(args[0]))
        result = queue->Tail();
    return true;
}

// ---- lists ----

bool F_ListAdd(CExecutionContext&, RValue&, int, RValue* args)
{
    if (CDS_List* list = Ds_Find<CDS_List>(args[0]))
        list->Add(args[1]);
    return true;
}

bool F_ListInsert(CExecutionContext&, RValue&, int, RValue* args)
{
    if (CDS_List* list = Ds_Find<CDS_List>(args[0]))
        list->Insert(Library_RoundCount(args[1].val), args[2]);
    return true;
}

bool F_ListReplace(CExecutionContext&, RValue&, int, RValue* args)
{
    if (CDS_List* list = Ds_Find<CDS_List>(args[0]))
        list->Replace(Library_RoundCount(args[1].val), args[2]);
    return true;
}

bool F_ListDelete(CExecutionContext&, RValue&, int, RValue* args)
{
    if (CDS_List* list = Ds_Find<CDS_List>(args[0]))
        list->Delete(Library_RoundCount(args[1].val));
    return true;
}

bool F_ListFindIndex(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (const CDS_List* list = Ds_Find<CDS_List>(args[0]))
        result.SetReal(static_cast<double>(list->Find(args[1])));
    return true;
}

bool F_ListFindValue(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (const CDS_List* list = Ds_Find<CDS_List>(args[0]))
        result = list->GetValue(Library_RoundCount(args[1].val));
    return true;
}

bool F_ListSort(CExecutionContext&, RValue&, int, RValue* args)
{
    if (CDS_List* list = Ds_Find<CDS_List>(args[0]))
        list->Sort(IsTrue(args[1].val));
    return true;
}

bool F_ListShuffle(CExecutionContext&, RValue&, int, RValue* args)
{
    if (CDS_List* list = Ds_Find<CDS_List>(args[0]))
        list->Shuffle();
    return true;
}

} // namespace

void Ds_ImplementStackQueueList()
{
    Ds_ImplementCommon<CDS_Stack>();
    Function_Implement("ds_stack_push", &F_StackPush);
    Function_Implement("ds_stack_pop", &F_StackPop);
    Function_Implement("ds_stack_top", &F_StackTop);

    Ds_ImplementCommon<CDS_Queue>();
    Function_Implement("ds_queue_enqueue", &F_QueueEnqueue);
    Function_Implement("ds_queue_dequeue", &F_QueueDequeue);
    Function_Implement("ds_queue_head", &F_QueueHead);
    Function_Implement("ds_queue_tail", &F_QueueTail);

    Ds_ImplementCommon<CDS_List>();
    Function_Implement("ds_list_add", &F_ListAdd);
    Function_Implement("ds_list_insert", &F_ListInsert);
    Function_Implement("ds_list_replace", &F_ListReplace);
    Function_Implement("ds_list_delete", &F_ListDelete);
    Function_Implement("ds_list_find_index", &F_ListFindIndex);
    Function_Implement("ds_list_find_value", &F_ListFindValue);
    Function_Implement("ds_list_sort", &F_ListSort);
    Function_Implement("ds_list_shuffle", &F_ListShuffle);
}
