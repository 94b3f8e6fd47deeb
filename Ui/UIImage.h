#pragma once

#include "Ui/UIDisplayObject.h"
#include "Ui/UIImageRef.h"

#include <cstdint>

struct UIImageRecord;

// A frame of an image set, or a whole image buffer, drawn at the object's
// place; hit only on its drawn pixels.
class UIImage : public UIDisplayObject, public UIImageRef
{
public:
    static constexpr std::uint16_t kClassCode = 204;

    UIImage();
    UIImage(std::uint16_t newId, FCImageSet* newImageSet, std::uint16_t newFrame);
    UIImage(std::uint16_t newId, FCImageBuffer* newImageBuffer);
    UIImage(const UIImage& other);
    ~UIImage() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // Element record, state mask, image-set id (0 none) and frame.
    bool Load(FCFile& file) override;
    // Size mode 2: the image's size while there is one, else the own size.
    FCPoint GetSize() const override;
    void Draw(FCImageBuffer* target, const FCRect& clip) override;
    using UIImageRef::Draw;
    bool HitTest(FCPoint point) override;

protected:
    void Changed() override;
};
