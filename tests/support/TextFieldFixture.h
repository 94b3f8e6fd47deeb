#pragma once

#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UIControl.h"
#include "Ui/UILayoutCodec.h"
#include "Ui/UIMessages.h"
#include "support/LayoutBytes.h"
#include "support/ResourceFixture.h"
#include "support/UiTestControls.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Resources for text-field tests: font 1, whose letters advance 6 (5 as a
// line's first glyph), whose space advances 4 and whose lines are 10 high,
// and interface text 5.
class TextFieldResources
{
public:
    static constexpr std::uint16_t kFontId = 1;
    static constexpr std::uint16_t kStringId = 5;

    TextFieldResources()
    {
        sandbox.WriteArt("Font.set", ImageSetFileBytes(UniformGlyphs(126, 8, 10)));
        AssetIndexBytes index;
        index.U16(FCResourceManager::kTagImageSets).ImageSet(11, "Font.set").U16(0);
        index.U16(FCResourceManager::kTagTexts).Text(kStringId, "From the table").U16(0);
        index.U16(FCResourceManager::kTagFonts).Font(kFontId, 11, 11, 11, 11).U16(0);
        index.U16(0);
        loaded = sandbox.LoadIndex(index);
    }

    ResourceSandbox sandbox;
    bool loaded = false;
};

// A text, edit, edit-area or number field as its layout stores it.
inline UILayoutNode FieldNode(const std::string& className, const UIObjectRecord& element,
                              std::vector<UIFieldAttribute> attributes = {},
                              std::uint16_t fontId = TextFieldResources::kFontId, const std::string& text = "")
{
    UILayoutNode node = LayoutBytes::Control(element, className);
    const UITextContentRecord content{0, text, fontId};
    const UIFieldAttributesRecord list{std::move(attributes), -1};
    if (className == "UINumberEditControl")
        node.own = UINumberEditControlRecord{content, list};
    else
        node.own = UITextControlRecord{content, list};
    return node;
}

// Loads the node and adds it to parent, which keeps it; null when it does
// not load as a T.
template <class T> T* Mount(UIControl& parent, const UILayoutNode& node)
{
    FCObject* object = LayoutBytes::Load(LayoutBytes::Write(node));
    T* typed = dynamic_cast<T*>(object);
    if (!typed)
    {
        if (object)
            object->Release();
        return nullptr;
    }
    parent.AddChild(typed);
    return typed;
}

inline bool SendKey(UIControl& control, std::uint32_t key)
{
    UIEvent event(nullptr, UIMessage::kKeyDown, FCPoint(0, 0), key, 0);
    return control.OnKeyDown(event);
}

inline bool SendChar(UIControl& control, std::uint32_t code)
{
    UIEvent event(nullptr, UIMessage::kChar, FCPoint(0, 0), code, 0);
    return control.OnChar(event);
}

inline void Type(UIControl& control, std::string_view text)
{
    for (char c : text)
        SendChar(control, static_cast<unsigned char>(c));
}
