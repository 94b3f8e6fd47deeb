#pragma once

#include "Fc/Graphics/FCTextBlock.h"
#include "Ui/UIDisplayObject.h"

#include <cstdint>

struct UITextAttributesRecord;
struct UITextContentRecord;

// A text block drawn into the object's rectangle. Never hit, so precise hit
// testing looks through it.
class UIText : public UIDisplayObject, public FCTextBlock
{
public:
    static constexpr std::uint16_t kClassCode = 210;

    UIText();
    UIText(std::uint16_t newId, FCFont* newFont);
    UIText(const UIText& other);
    ~UIText() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // Element record, state mask, text, attributes.
    bool Load(FCFile& file) override;
    // Size mode 2: the text as one line in its font.
    FCPoint GetSize() const override;
    void Draw(FCImageBuffer* target, const FCRect& clip) override;
    bool HitTest(FCPoint point) override;
    using FCTextBlock::Draw;

    // String id, inline string (replaced by the interface text of a
    // non-zero id) and font id.
    virtual bool LoadText(FCFile& file);
    // Codes up to the first negative one, each through ApplyAttribute.
    virtual bool LoadAttributes(FCFile& file);
    // ORs the code's format flag in; false, changing nothing, for codes
    // without one. Codes carry no data in the file.
    virtual bool ApplyAttribute(std::int16_t code, FCFile& file);

    // The format flag of an attribute code, 0 when it has none.
    static std::uint32_t FlagOfAttribute(std::int16_t code);
    // Takes a stored text: its font, and its inline text or string id.
    void Apply(const UITextContentRecord& record);

protected:
    void OnChanged() override;
};
