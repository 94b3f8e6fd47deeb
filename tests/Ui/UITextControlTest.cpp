#include "Ui/UIEditArea.h"
#include "Ui/UIEditControl.h"
#include "Ui/UIImage.h"
#include "Ui/UIImageControl.h"
#include "Ui/UIText.h"
#include "Ui/UITextControl.h"

#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCImageSet.h"
#include "support/Owned.h"
#include "support/QuietLog.h"
#include "support/TextFieldFixture.h"

#include <gtest/gtest.h>

#include <climits>

namespace
{
using LayoutBytes::Element;
using K = UITextControl::Key;

class TextControlTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(resources.loaded); }

    UIEditControl* Edit(std::uint32_t flags = UIEditControl::kDefaultCharFlags, std::int32_t maxLength = INT32_MAX)
    {
        UIEditControl* edit = Mount<UIEditControl>(parent, FieldNode("UIEditControl", Element(1, 0, 0, 100, 20)));
        if (edit)
        {
            edit->SetCharFlags(flags);
            edit->SetMaxLength(maxLength);
        }
        return edit;
    }

    TextFieldResources resources;
    RecordingControl parent;
};

TEST_F(TextControlTest, EditingKeysMoveTheCaretAndChangeTheText)
{
    struct Case
    {
        const char* name;
        std::vector<std::uint32_t> keys; // below 32: the key's code + 1000
        std::string text;
        std::int16_t caret;
    };
    auto key = [](std::uint32_t code) { return code + 1000; };
    const Case cases[] = {
        {"typing inserts at the caret", {'a', 'b', 'c', key(K::kKeyHome), key(K::kKeyRight), 'X'}, "aXbc", 2},
        {"backspace removes before the caret", {'a', 'b', 'c', key(K::kKeyLeft), key(K::kKeyBackspace)}, "ac", 1},
        {"delete removes at the caret", {'a', 'b', 'c', key(K::kKeyHome), key(K::kKeyDelete)}, "bc", 0},
        {"backspace at the start changes nothing", {'a', key(K::kKeyHome), key(K::kKeyBackspace)}, "a", 0},
        {"delete at the end changes nothing", {'a', 'b', key(K::kKeyDelete)}, "ab", 2},
        {"left stops at the start", {'a', key(K::kKeyLeft), key(K::kKeyLeft)}, "a", 0},
        {"right stops at the end", {'a', 'b', key(K::kKeyHome), key(K::kKeyEnd), key(K::kKeyRight)}, "ab", 2},
        {"enter changes nothing", {'a', key(K::kKeyEnter)}, "a", 1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        UIEditControl* edit = Edit();
        ASSERT_NE(edit, nullptr);
        for (std::uint32_t k : c.keys)
            EXPECT_TRUE(k >= 1000 ? SendKey(*edit, k - 1000) : SendChar(*edit, k));
        EXPECT_EQ(edit->GetText(), c.text);
        EXPECT_EQ(edit->GetCaretIndex(), c.caret);
        parent.RemoveChild(edit);
    }
    UIEditControl* edit = Edit();
    parent.events.clear();
    EXPECT_FALSE(SendKey(*edit, 'A')) << "other keys go on to the key listeners";
    EXPECT_TRUE(SendKey(*edit, K::kKeyEnter));
    EXPECT_EQ(parent.Types(), std::vector<std::uint16_t>{UIMessage::kEnterPressed});
}

TEST_F(TextControlTest, CharacterFilters)
{
    struct Case
    {
        const char* name;
        std::uint32_t flags;
        std::int32_t maxLength;
        std::string before;
        std::uint32_t code;
        bool accepted;
    };
    const Case cases[] = {
        {"default takes punctuation", 15, INT32_MAX, "", '~', true},
        {"default takes a space", 15, INT32_MAX, "a", ' ', true},
        {"digits only refuse a letter", 0x02, INT32_MAX, "", 'a', false},
        {"digits only take a digit", 0x02, INT32_MAX, "", '5', true},
        {"name-like refuses a leading space", 0x10, INT32_MAX, "", ' ', false},
        {"name-like takes a later space", 0x10, INT32_MAX, "a", ' ', true},
        {"name-like never takes punctuation", 0x10, INT32_MAX, "a", '-', false},
        {"length limit refuses the fourth", 0x20 | 15, 3, "abc", 'd', false},
        {"length limit takes the third", 0x20 | 15, 3, "ab", 'c', true},
        {"fit width refuses what overflows", 0x40 | 15, INT32_MAX, "abcdefghijklmnop", 'q', false},
        {"a Windows-1252 letter is refused", 15, INT32_MAX, "", 0xE9, false},
        {"a code beyond a byte is refused", 15, INT32_MAX, "", 0x161, false},
        {"a control code is refused", 15, INT32_MAX, "", '\t', false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        UIEditControl* edit = Edit(c.flags, c.maxLength);
        ASSERT_NE(edit, nullptr);
        edit->SetText(c.before);
        edit->SetCaretIndex(static_cast<std::int32_t>(c.before.size()));
        EXPECT_EQ(SendChar(*edit, c.code), c.accepted);
        EXPECT_EQ(edit->GetText().size(), c.before.size() + (c.accepted ? 1 : 0));
        parent.RemoveChild(edit);
    }
}

TEST_F(TextControlTest, ShorterTextFromOutsidePullsTheCaretIn)
{
    UIEditControl* edit = Edit();
    Type(*edit, "abcde");
    parent.events.clear();
    edit->SetText("ab");
    EXPECT_EQ(edit->GetCaretIndex(), 2);
    EXPECT_EQ(parent.Count(UIMessage::kTextChanged), 1);
    edit->SetText("");
    EXPECT_TRUE(SendKey(*edit, K::kKeyBackspace));
    EXPECT_TRUE(SendKey(*edit, K::kKeyDelete));
    Type(*edit, "x");
    EXPECT_EQ(edit->GetText(), "x");
    EXPECT_EQ(edit->GetCaretIndex(), 1);
}

TEST_F(TextControlTest, ClickPlacesTheCaretAndFocusBlinksIt)
{
    UIEditControl* edit = Edit();
    edit->SetText("abc"); // glyphs span 0-5, 5-11, 11-17
    for (auto [x, caret] : {std::pair{50, 3}, {13, 2}, {0, 0}, {-4, 0}})
    {
        UIEvent click(nullptr, UIMessage::kMouseDown, FCPoint(x, 5), 0, 0);
        edit->OnMouseDown(click);
        EXPECT_EQ(edit->GetCaretIndex(), caret) << x;
    }
    UIText* caret = edit->GetCaret();
    ASSERT_NE(caret, nullptr);
    edit->SetFocused(1);
    const std::uint32_t ticks[] = {0xFFFFFF00u, 0xFFFFFF10u, 0x100u};
    const bool shown[] = {true, true, false};
    for (int i = 0; i < 3; ++i)
    {
        edit->Update(ticks[i]);
        EXPECT_EQ(caret->GetVisibleFlag() != 0, shown[i]) << "tick " << i << ", across the clock's wrap";
    }
    edit->SetFocused(0);
    edit->Update(0x200u);
    EXPECT_EQ(caret->GetVisibleFlag(), 0);
}

TEST_F(TextControlTest, NumbersSaturateAndMarginsNeverGoNegative)
{
    const std::vector<UIFieldAttribute> margins{{6, 3, 0.0}, {7, 4, 0.0}, {8, 8, 0.0}, {9, 2, 0.0}};
    auto* text = Mount<UITextControl>(parent, FieldNode("UITextControl", Element(2, 0, 0, 100, 20), margins));
    ASSERT_NE(text, nullptr);
    UIText* object = text->GetTextObject();
    EXPECT_EQ(object->GetStoredPosition(), FCPoint(8, 3));
    EXPECT_EQ(object->GetSize(), FCPoint(90, 13));
    text->SetSize(5, 5);
    EXPECT_EQ(object->GetSize(), FCPoint(0, 0));

    struct Case
    {
        std::string text;
        std::int16_t shortValue;
        std::int32_t longValue;
    };
    for (const Case& c : {Case{"99999999999", SHRT_MAX, INT_MAX}, Case{"-99999999999999999999999", SHRT_MIN, INT_MIN},
                          Case{" +42x", 42, 42}, Case{"abc", 0, 0}})
    {
        text->SetText(c.text);
        EXPECT_EQ(text->GetShort(), c.shortValue) << c.text;
        EXPECT_EQ(text->GetLong(), c.longValue) << c.text;
    }
    text->SetTextId(TextFieldResources::kStringId);
    EXPECT_EQ(text->GetText(), "From the table");
}

TEST_F(TextControlTest, AutoHeightFitsTheWrappedText)
{
    const std::vector<UIFieldAttribute> attributes{{6, 2, 0.0}, {7, 3, 0.0}, {10, 0, 0.0}, {13, 0, 0.0}};
    auto* text = Mount<UITextControl>(parent, FieldNode("UITextControl", Element(2, 0, 0, 43, 5), attributes));
    ASSERT_NE(text, nullptr);
    text->SetText("abc def ghi");
    EXPECT_EQ(text->GetHeight(), 2 * 10 + 2 + 3);
    text->SetText("abc");
    EXPECT_EQ(text->GetHeight(), 10 + 2 + 3);
}

TEST_F(TextControlTest, FieldWithoutAFontEditsAndDrawsNothing)
{
    auto* edit = Mount<UIEditControl>(parent, FieldNode("UIEditControl", Element(1, 0, 0, 50, 20), {}, 99));
    ASSERT_NE(edit, nullptr);
    Type(*edit, "ab");
    EXPECT_EQ(edit->GetText(), "ab");
    Owned<FCImageBuffer> target(FCImageBuffer::Create(60, 30, FCFormat565));
    target->Clear(0);
    edit->Draw(target.get(), FCRect(0, 0, 60, 30));
    EXPECT_EQ(target->GetPixel(1, 1, FCFormat565), 0u);
}

TEST_F(TextControlTest, EditAreaWrapsBreaksLinesAndStopsAtItsHeight)
{
    const std::vector<UIFieldAttribute> wrap{{10, 0, 0.0}};
    auto* area = Mount<UIEditArea>(parent, FieldNode("UIEditArea", Element(3, 0, 0, 43, 20), wrap));
    ASSERT_NE(area, nullptr);
    Type(*area, "abc def ");
    EXPECT_FALSE(SendChar(*area, 'g')) << "never reported as handled";
    EXPECT_EQ(area->GetText(), "abc def g");
    EXPECT_EQ(area->GetCaret()->GetStoredPosition(), FCPoint(5, 10));
    EXPECT_FALSE(SendKey(*area, K::kKeyEnter)) << "a third line does not fit";
    EXPECT_EQ(area->GetText(), "abc def g");
    UIEvent click(nullptr, UIMessage::kMouseDown, FCPoint(13, 4), 0, 0);
    area->OnMouseDown(click);
    EXPECT_EQ(area->GetCaretIndex(), 2);
    EXPECT_TRUE(SendKey(*area, K::kKeyEnter));
    EXPECT_EQ(area->GetText(), "ab\nc def g") << "fits: \"ab\", then \"c def g\"";
    EXPECT_TRUE(SendKey(*area, K::kKeyBackspace));
    EXPECT_EQ(area->GetText(), "abc def g");
    EXPECT_EQ(area->GetCaretIndex(), 2);
}

TEST_F(TextControlTest, ImageControlMakesItsImageOnceAndCopiesRetargetTheirOwn)
{
    QuietLog quiet;
    // A fill with id 0 lies before the image in the list; an id lookup
    // would take it for the image.
    UILayoutNode node = LayoutBytes::Control(Element(4, 0, 0, 10, 10), "UIImageControl");
    UIObjectRecord fill = Element(0, 0, 0, 4, 4);
    fill.zOrder = 0;
    node.displayItems.push_back(LayoutBytes::Fill(fill, 0xFFF, 255, 0, 0));
    node.own = UIImageControlRecord{0, 0};
    auto* control = Mount<UIImageControl>(parent, node);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->GetImage(), nullptr);
    EXPECT_EQ(control->GetSize(), FCPoint(4, 4)) << "sized by its display objects";

    Owned<FCImageBuffer> picture(FCImageBuffer::Create(7, 5, FCFormat565));
    control->SetImageBuffer(picture.get());
    UIImage* image = control->GetImage();
    control->SetImageBuffer(picture.get());
    EXPECT_EQ(control->GetImage(), image);
    EXPECT_EQ(control->GetDisplayObjectCount(), 2u);
    EXPECT_EQ(control->GetSize(), FCPoint(7, 5));

    Owned<UIImageControl> copy(static_cast<UIImageControl*>(control->Clone()));
    ASSERT_NE(copy->GetImage(), nullptr);
    EXPECT_NE(copy->GetImage(), image);
    EXPECT_EQ(copy->GetImage()->GetParent(), copy.get());
    copy->SetImageBuffer(nullptr);
    EXPECT_EQ(copy->GetDisplayObjectCount(), 2u);
    EXPECT_FALSE(copy->GetImage()->HasImage());
    EXPECT_TRUE(image->HasImage()) << "the source keeps its picture";
}

TEST_F(TextControlTest, UnknownImageSetIsLoggedOnce)
{
    CapturedLog log;
    UILayoutNode node = LayoutBytes::Control(Element(4, 0, 0, 10, 10), "UIImageControl");
    node.own = UIImageControlRecord{77, 0};
    auto* control = Mount<UIImageControl>(parent, node);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(log.Count("ImageSet 77 Not Found."), 1);
    ASSERT_NE(control->GetImage(), nullptr);
    EXPECT_FALSE(control->GetImage()->HasImage());
}
} // namespace
