#pragma once

#include "Ui/UIControl.h"

#include <cstdint>
#include <string>

class FCImageBuffer;
class FCImageSet;
class UIImage;

// A control that shows one picture: a frame of an image set or a whole image
// buffer. Its image display object is made on first use and retargeted
// afterwards; the control is as large as the picture.
class UIImageControl : public UIControl
{
public:
    static constexpr std::uint16_t kClassCode = 130;

    UIImageControl();
    // The copy binds its own copy of the image.
    UIImageControl(const UIImageControl& other);
    ~UIImageControl() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // The control, then the image-set id (0: no image) and the frame.
    bool Load(FCFile& file) override;

    void SetImage(FCImageSet* imageSet, std::uint16_t frame);
    // Null shows nothing.
    void SetImageBuffer(FCImageBuffer* imageBuffer);
    // A set the resource manager does not have shows nothing.
    void SetImageById(std::uint16_t setId, std::uint16_t frame);
    // As SetImageById, logging a set that is not found.
    void SetImageFromResource(std::uint16_t setId, std::uint16_t frame);
    UIImage* GetImage() const { return image; }

protected:
    // The size follows the picture.
    void Init();
    // The existing image, or a new one (always drawn) at that z-order.
    UIImage* ImageAt(std::uint16_t newZOrder);

    // Owned through the display-object list.
    UIImage* image = nullptr;
};
