// The ds_stack_*, ds_queue_* and ds_list_* built-ins beyond those every
// kind shares. Positions are rounded; values are taken as given.
#include "library/DsList.h"
#include "library/DsQueue.h"
#include "library/DsStack.h"
#include "library/DsTables.h"

namespace {

// ---- stacks ----

void F_StackPush(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    if (CDS_Stack* stack = Ds_Find<CDS_Stack>(args[0]))
        stack->Push(args[1]);
}

void F_StackPop(CInstance*, CInstance*, int, RValue& result, RValue* args)
{
    if (CDS_Stack* stack = Ds_Find<CDS_Stack>(args[0]))
        result = stack->Pop();
}

void F_StackTop(CInstance*, CInstance*, int, RValue& result, RValue* args)
{
    if (const CDS_Stack* stack = Ds_Find<CDS_Stack>(args[0]))
        result = stack->Top();
}

// ---- queues ----

void F_QueueEnqueue(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    if (CDS_Queue* queue = Ds_Find<CDS_Queue>(args[0]))
        queue->Enqueue(args[1]);
}

void F_QueueDequeue(CInstance*, CInstance*, int, RValue& result, RValue* args)
{
    if (CDS_Queue* queue = Ds_Find<CDS_Queue>(args[0]))
        result = queue->Dequeue();
}

void F_QueueHead(CInstance*, CInstance*, int, RValue& result, RValue* args)
{
    if (const CDS_Queue* queue = Ds_Find<CDS_Queue>(args[0]))
        result = queue->Head();
}

void F_QueueTail(CInstance*, CInstance*, int, RValue& result, RValue* args)
{
    if (const CDS_Queue* queue = Ds_Find<CDS_Queue>(args[0]))
        result = queue->Tail();
}

// ---- lists ----

void F_ListAdd(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    if (CDS_List* list = Ds_Find<CDS_List>(args[0]))
        list->Add(args[1]);
}

void F_ListInsert(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    if (CDS_List* list = Ds_Find<CDS_List>(args[0]))
        list->Insert(Library_RoundCount(args[1].val), args[2]);
}

void F_ListReplace(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    if (CDS_List* list = Ds_Find<CDS_List>(args[0]))
        list->Replace(Library_RoundCount(args[1].val), args[2]);
}

void F_ListDelete(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    if (CDS_List* list = Ds_Find<CDS_List>(args[0]))
        list->Delete(Library_RoundCount(args[1].val));
}

void F_ListFindIndex(CInstance*, CInstance*, int, RValue& result, RValue* args)
{
    if (const CDS_List* list = Ds_Find<CDS_List>(args[0]))
        result.SetReal(static_cast<double>(list->Find(args[1])));
}

void F_ListFindValue(CInstance*, CInstance*, int, RValue& result, RValue* args)
{
    if (const CDS_List* list = Ds_Find<CDS_List>(args[0]))
        result = list->GetValue(Library_RoundCount(args[1].val));
}

void F_ListSort(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    if (CDS_List* list = Ds_Find<CDS_List>(args[0]))
        list->Sort(IsTrue(args[1].val));
}

void F_ListShuffle(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    if (CDS_List* list = Ds_Find<CDS_List>(args[0]))
        list->Shuffle();
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
