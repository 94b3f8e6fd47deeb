#include "Fc/Core/FCRefCounted.h"

FCRefCounted::~FCRefCounted() = default;

void FCRefCounted::Release()
{
    --refCount;
    if (refCount == 0)
        delete this;
}
