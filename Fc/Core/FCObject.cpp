#include "Fc/Core/FCObject.h"

#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(FCObject);

FCObject::FCObject(const FCObject& other)
    : FCRefCounted(other), typeCode(other.typeCode), secondWord(other.secondWord)
{
}

FCObject& FCObject::operator=(const FCObject& other)
{
    typeCode = other.typeCode;
    secondWord = other.secondWord;
    return *this;
}

FCObject::~FCObject() = default;

void FCObject::HandleMessage(std::int16_t, void*) {}

void FCObject::Serialize(FCArchive& ar)
{
    if (ar.IsStoring())
    {
        ar.WriteU16(typeCode);
        ar.WriteU16(secondWord);
    }
    else
    {
        ar.ReadU16(typeCode);
        ar.ReadU16(secondWord);
    }
}

std::string FCObject::GetClassName() const { return "FCObject"; }

std::string FCObject::GetTypeName() const { return GetClassName(); }

FCObject* FCObject::Clone() const { return new FCObject(*this); }

FCObject* FCObject::CreateNew() const { return new FCObject(); }

bool FCObject::Load(FCFile&) { return true; }

bool FCObject::IsLess(const FCObject&) const { return false; }
