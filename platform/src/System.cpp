#include "platform/System.h"

#include "platform/Consts.h"
#include "platform/SysUtils.h"

TObject::~TObject() = default;

void TObject::BeforeDestruction()
{
    if (FAlive) *FAlive = false;
}

void TObject::Free()
{
    BeforeDestruction();
    delete this;
}

std::shared_ptr<const bool> TObject::AliveToken() const
{
    if (!FAlive) FAlive = std::make_shared<bool>(true);
    return FAlive;
}

void RaiseInvalidCast(const TObject* obj)
{
    throw EInvalidCast(Format(SInvalidCast, obj ? obj->ClassName() : String("nil")));
}
