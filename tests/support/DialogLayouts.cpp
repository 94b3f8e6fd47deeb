#include "support/DialogLayouts.h"

#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UIMessages.h"
#include "support/AssetBytes.h"
#include "support/LayoutBytes.h"
#include "support/UiHarness.h"

namespace DialogLayouts
{
using LayoutBytes::Element;

bool LoadAssets(UiHarness& ui)
{
    ui.WriteLayout("Font.set", ImageSetFileBytes(UniformGlyphs('z', 6, 8)));
    AssetIndexBytes index;
    index.U16(FCResourceManager::kTagImageSets).ImageSet(11, "Font.set").U16(0);
    index.U16(FCResourceManager::kTagTexts)
        .Text(410, "OK")
        .Text(411, "Yes")
        .Text(412, "No")
        .Text(413, "Cancel")
        .U16(0);
    index.U16(FCResourceManager::kTagFonts).Font(kFontId, 11, 11, 11, 11).U16(0);
    index.U16(0);
    ui.WriteLayout("GameAssets.bin", index.Bytes());
    FCResourceManager* resources = FCResourceManager::GetInstance();
    return resources && resources->LoadResourceFile("GameAssets.bin");
}

UILayoutNode TextField(std::uint16_t id, std::int32_t x, std::int32_t y, std::int32_t width,
                       std::int32_t height, const std::string& className)
{
    UILayoutNode node = LayoutBytes::Control(Element(id, x, y, width, height), className);
    node.own.emplace<UITextControlRecord>().content.fontId = kFontId;
    return node;
}

UILayoutNode Button(std::uint16_t id, std::int32_t x, std::int32_t y)
{
    UILayoutNode node = LayoutBytes::Control(Element(id, x, y, 60, 20), "UIButton");
    node.own = UIButtonRecord{};
    node.displayItems.push_back(LayoutBytes::Fill(Element(1, 0, 0, 0, 0, 1), 0xFFF, 0, 0, 255));
    node.displayItems.push_back(LayoutBytes::Text(Element(2, 0, 0, 60, 20), 0xFFF, "", kFontId));
    return node;
}

UILayoutNode TextList(std::uint16_t id, std::int32_t x, std::int32_t y, std::int32_t width,
                      std::int32_t height)
{
    constexpr std::int32_t kBar = 12;
    UILayoutNode list = LayoutBytes::Control(Element(id, x, y, width, height), "UITextListBox");
    list.own = UIScrollControlRecord{0x2};
    list.afterItems.emplace<UITextListBoxRecord>().fontId = kFontId;
    list.children.push_back(
        LayoutBytes::Control(Element(130, 0, 0, width - kBar, height), "UIGroupScrollFrame"));

    UILayoutNode bar =
        LayoutBytes::Control(Element(121, width - kBar, 0, kBar, height), "UIScrollBar");
    bar.own = UISliderRecord{1, 0x2};
    bar.displayItems.push_back(LayoutBytes::Fill(Element(1, 0, 0, 0, 0, 1), 0xFFF, 64, 64, 64));
    UILayoutNode decrease = LayoutBytes::Control(Element(124, 0, 0, kBar, kBar), "UIButton");
    decrease.own = UIButtonRecord{};
    UILayoutNode increase =
        LayoutBytes::Control(Element(125, 0, height - kBar, kBar, kBar), "UIButton");
    increase.own = UIButtonRecord{};
    UILayoutNode track = LayoutBytes::Control(Element(126, 0, kBar, kBar, height - 2 * kBar));
    UILayoutNode thumb = LayoutBytes::Control(Element(127, 0, 0, kBar, kBar), "UIDragButton");
    thumb.own = UIButtonRecord{};
    thumb.displayItems.push_back(
        LayoutBytes::Fill(Element(1, 0, 0, 0, 0, 1), 0xFFF, 200, 200, 200));
    track.children.push_back(thumb);
    bar.children = {decrease, increase, track};
    list.children.push_back(bar);
    return list;
}

std::vector<std::uint8_t> MessageBox()
{
    UILayoutNode box = LayoutBytes::Control(Element(50, 100, 100, 300, 120), "UIMessageDialog");
    box.displayItems.push_back(LayoutBytes::Fill(Element(1, 0, 0, 0, 0, 1), 0xFFF, 40, 40, 40));
    box.children.push_back(TextField(130, 10, 5, 280, 10));
    box.children.push_back(TextField(105, 10, 20, 280, 10));
    box.children.push_back(TextList(100, 10, 35, 280, 40));
    box.children.push_back(Button(110, 10, 90));
    box.children.push_back(Button(111, 110, 90));
    box.children.push_back(Button(112, 210, 90));
    return LayoutBytes::Write(box);
}

std::vector<std::uint8_t> FileDialog()
{
    UILayoutNode dialog = LayoutBytes::Control(Element(60, 0, 0, 300, 250), "UIFileDialog");
    dialog.displayItems.push_back(LayoutBytes::Fill(Element(1, 0, 0, 0, 0, 1), 0xFFF, 0, 0, 0));
    dialog.children.push_back(TextField(160, 10, 5, 280, 10));
    dialog.children.push_back(TextList(161, 10, 30, 200, 150));
    dialog.children.push_back(TextField(162, 10, 190, 200, 16, "UIEditControl"));
    dialog.children.push_back(Button(163, 220, 30));
    dialog.children.push_back(Button(165, 220, 60));
    dialog.children.push_back(Button(168, 220, 90));
    return LayoutBytes::Write(dialog);
}

void RecordingOwner::HandleMessage(std::int16_t messageId, void* data)
{
    auto& record = *static_cast<UIEvent*>(data);
    const auto code = static_cast<std::uint16_t>(messageId);
    Result result{code, record.sender, record.param1, {}};
    if (code == UIMessage::kResultFileOpen || code == UIMessage::kResultFileSave)
        result.path = *reinterpret_cast<const std::string*>(record.param1);
    results.push_back(result);
    if (onResult)
        onResult(code, record);
}

std::vector<std::uint16_t> RecordingOwner::Codes() const
{
    std::vector<std::uint16_t> codes;
    for (const Result& result : results)
        codes.push_back(result.code);
    return codes;
}
} // namespace DialogLayouts
