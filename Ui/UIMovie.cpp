#include "Ui/UIMovie.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(UIMovie);

UIMovie::UIMovie()
{
    typeCode = kClassCode;
}

UIMovie::UIMovie(const UIMovie& other) : UIDisplayObject(other), FCMovie(other) {}

UIMovie::~UIMovie() = default;

std::string UIMovie::GetClassName() const { return "UIMovie"; }
std::string UIMovie::GetTypeName() const { return "UIMovie"; }
FCObject* UIMovie::Clone() const { return new UIMovie(*this); }
FCObject* UIMovie::CreateNew() const { return new UIMovie(); }

FCPoint UIMovie::GetSize() const
{
    if (sizeMode == kSizeContent)
        return const_cast<UIMovie*>(this)->FCMovie::GetSize();
    return UIDisplayObject::GetSize();
}

void UIMovie::Draw(FCImageBuffer* target, const FCRect& clip)
{
    if (target && IsVisible())
        DrawFrame(target, GetAbsolutePosition(), clip);
}

bool UIMovie::HitTest(FCPoint) { return false; }

FCPoint UIMovie::GetPosition() { return GetAbsolutePosition(); }

void UIMovie::OnStop()
{
    FCMovie::OnStop();
    Invalidate();
}
