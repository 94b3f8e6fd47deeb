#include "Ui/UIImageControl.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UIImage.h"
#include "Ui/UILayoutCodec.h"

FC_REGISTER_CLASS(UIImageControl);

namespace
{
constexpr std::uint16_t kImageId = 0;
constexpr std::uint16_t kSetZOrder = 0;
constexpr std::uint16_t kBufferZOrder = 10;
} // namespace

UIImageControl::UIImageControl()
{
    typeCode = kClassCode;
    Init();
}

UIImageControl::UIImageControl(const UIImageControl& other) : UIControl(other)
{
    // The copy's display objects are clones in the source's order, so the
    // image's place in the list finds its own clone; an id could also
    // match some other object.
    for (std::uint32_t i = 0; other.image && i < other.GetDisplayObjectCount(); ++i)
        if (other.GetDisplayObjectAt(i) == other.image)
            image = dynamic_cast<UIImage*>(GetDisplayObjectAt(i));
}

UIImageControl::~UIImageControl() = default;

std::string UIImageControl::GetClassName() const { return "UIImageControl"; }
std::string UIImageControl::GetTypeName() const { return "UIImageControl"; }
FCObject* UIImageControl::Clone() const { return new UIImageControl(*this); }
FCObject* UIImageControl::CreateNew() const { return new UIImageControl(); }

void UIImageControl::Init()
{
    sizeMode = kSizeContent;
}

bool UIImageControl::Load(FCFile& file)
{
    UIImageControlRecord record;
    if (!UIControl::Load(file) || !UILayoutCodec::Read(file, record))
        return false;
    Init();
    if (record.imageSetId != 0)
        SetImageFromResource(record.imageSetId, record.frame);
    return true;
}

UIImage* UIImageControl::ImageAt(std::uint16_t newZOrder)
{
    if (!image)
    {
        image = new UIImage();
        image->SetId(kImageId);
        image->SetSizeMode(kSizeContent);
        image->SetZOrder(newZOrder);
        AddDisplayObject(image, kAlwaysDrawn);
    }
    return image;
}

void UIImageControl::SetImage(FCImageSet* imageSet, std::uint16_t frame)
{
    UIImage* target = ImageAt(kSetZOrder);
    target->SetImage(imageSet, frame);
    target->Invalidate();
}

void UIImageControl::SetImageBuffer(FCImageBuffer* imageBuffer)
{
    UIImage* target = ImageAt(kBufferZOrder);
    target->SetImageBuffer(imageBuffer);
    target->Invalidate();
}

void UIImageControl::SetImageById(std::uint16_t setId, std::uint16_t frame)
{
    FCResourceManager* resources = FCResourceManager::GetInstance();
    SetImage(resources ? resources->GetImageSet(setId) : nullptr, frame);
}

void UIImageControl::SetImageFromResource(std::uint16_t setId, std::uint16_t frame)
{
    Init();
    FCResourceManager* resources = FCResourceManager::GetInstance();
    FCImageSet* set = resources ? resources->GetImageSet(setId) : nullptr;
    if (!set)
        FC_LOG("ImageSet %d Not Found.\n", setId);
    SetImage(set, frame);
}
