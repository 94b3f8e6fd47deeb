#include "support/LayoutBytes.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Vel/Db/VelMemoryFile.h"

namespace LayoutBytes
{
UIObjectRecord Element(std::uint16_t id, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                       std::int16_t sizeMode)
{
    UIObjectRecord element;
    element.id = id;
    element.x = x;
    element.y = y;
    element.width = width;
    element.height = height;
    element.sizeMode = sizeMode;
    return element;
}

UILayoutNode Control(const UIObjectRecord& element, const std::string& className)
{
    UILayoutNode node;
    node.className = className;
    node.payload = element;
    node.isControl = true;
    return node;
}

UILayoutNode Control(const UIObjectRecord& element, const std::string& className, const UILayoutControlRecord& own)
{
    UILayoutNode node = Control(element, className);
    node.own = own;
    return node;
}

UILayoutNode Fill(const UIObjectRecord& element, std::uint32_t mask, std::uint8_t red, std::uint8_t green,
                  std::uint8_t blue, const std::string& className)
{
    UIFillRecord fill;
    fill.base.object = element;
    fill.base.stateMask = mask;
    fill.red = red;
    fill.green = green;
    fill.blue = blue;
    UILayoutNode node;
    node.className = className;
    node.payload = fill;
    return node;
}

UILayoutNode Image(const UIObjectRecord& element, std::uint32_t mask, std::uint16_t imageSetId, std::uint16_t frame)
{
    UIImageRecord image;
    image.base.object = element;
    image.base.stateMask = mask;
    image.imageSetId = imageSetId;
    image.frame = frame;
    UILayoutNode node;
    node.className = "UIImage";
    node.payload = image;
    return node;
}

UILayoutNode Text(const UIObjectRecord& element, std::uint32_t mask, const std::string& text, std::uint16_t fontId,
                  std::initializer_list<std::uint16_t> attributes, std::uint16_t stringId)
{
    UITextRecord record;
    record.base.object = element;
    record.base.stateMask = mask;
    record.content.stringId = stringId;
    record.content.text = text;
    record.content.fontId = fontId;
    record.attributes.codes = attributes;
    UILayoutNode node;
    node.className = "UIText";
    node.payload = record;
    return node;
}

UILayoutNode Plain(const UIObjectRecord& element, std::uint32_t mask, const std::string& className)
{
    UILayoutNode node;
    node.className = className;
    node.payload = UIDisplayObjectRecord{element, mask};
    return node;
}

UILayoutNode MouseOver(std::uint16_t message)
{
    UILayoutNode node;
    node.className = std::string(UILayoutCodec::kMouseOverMessage);
    node.mouseOverMessage = message;
    return node;
}

std::vector<std::uint8_t> Write(const UILayoutNode& root)
{
    return UILayoutCodec::WriteFile(root);
}

FCObject* Load(const std::vector<std::uint8_t>& bytes)
{
    VelMemoryFile file(bytes);
    return FCClassRegistry::ReadObject(file);
}
} // namespace LayoutBytes
