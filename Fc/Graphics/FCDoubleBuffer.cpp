#include "Fc/Graphics/FCDoubleBuffer.h"

#include <utility>

FCDoubleBuffer::FCDoubleBuffer(bool twoLists)
{
    Rebuild(twoLists);
}

void FCDoubleBuffer::Rebuild(bool twoLists)
{
    first = FCCountedRef<FCDirtyRectList>::Adopt(new FCDirtyRectList);
    second = twoLists ? FCCountedRef<FCDirtyRectList>::Adopt(new FCDirtyRectList)
                      : FCCountedRef<FCDirtyRectList>();
}

void FCDoubleBuffer::Swap()
{
    if (second)
    {
        std::swap(first, second);
        second->Clear();
    }
    else
    {
        first->Clear();
    }
}
