#include "Ui/UIImage.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCImageSet.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UILayoutCodec.h"

FC_REGISTER_CLASS(UIImage);

UIImage::UIImage()
{
    typeCode = kClassCode;
}

UIImage::UIImage(std::uint16_t newId, FCImageSet* newImageSet, std::uint16_t newFrame)
    : UIImageRef(newImageSet, newFrame)
{
    typeCode = kClassCode;
    id = newId;
}

UIImage::UIImage(std::uint16_t newId, FCImageBuffer* newImageBuffer) : UIImageRef(newImageBuffer)
{
    typeCode = kClassCode;
    id = newId;
}

UIImage::UIImage(const UIImage& other) : UIDisplayObject(other), UIImageRef(other) {}

UIImage::~UIImage() = default;

std::string UIImage::GetClassName() const { return "UIImage"; }
std::string UIImage::GetTypeName() const { return "UIImage"; }
FCObject* UIImage::Clone() const { return new UIImage(*this); }
FCObject* UIImage::CreateNew() const { return new UIImage(); }

bool UIImage::Load(FCFile& file)
{
    UIImageRecord record;
    if (!UILayoutCodec::Read(file, record))
        return false;
    UIDisplayObject::Apply(record.base);
    FCImageSet* set = nullptr;
    if (record.imageSetId != 0)
        if (FCResourceManager* resources = FCResourceManager::GetInstance())
            set = resources->GetImageSet(record.imageSetId);
    SetImage(set, record.frame);
    return true;
}

FCPoint UIImage::GetSize() const
{
    if (sizeMode == kSizeContent && HasImage())
        return GetImageSize();
    return UIDisplayObject::GetSize();
}

void UIImage::Draw(FCImageBuffer* target, const FCRect& clip)
{
    if (IsVisible())
        UIImageRef::Draw(target, GetAbsolutePosition(), clip, 0, 0);
}

bool UIImage::HitTest(FCPoint point)
{
    return IsVisible() && HitTestImage(point, GetAbsolutePosition());
}

void UIImage::Changed() { Invalidate(); }
