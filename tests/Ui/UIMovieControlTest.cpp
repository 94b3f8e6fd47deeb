// A click on a movie control whose end closes the screen that holds it.

#include "Fc/Devices/FCMovie.h"
#include "Ui/UIEvent.h"
#include "Ui/UIMessages.h"
#include "Ui/UIMovie.h"
#include "Ui/UIMovieControl.h"
#include "support/FakeDevices.h"
#include "support/LayoutBytes.h"

#include <gtest/gtest.h>

namespace
{
// Drops the control from its parent, and with it the last reference, as a
// screen switch after the movie's end does.
class ClosingListener : public FCObject
{
public:
    void HandleMessage(std::int16_t messageId, void*) override
    {
        if (messageId == FCMovie::kEndMessage && parent && control)
        {
            parent->RemoveChild(control);
            ++ends;
        }
    }
    UIControl* parent = nullptr;
    UIControl* control = nullptr;
    int ends = 0;
};

TEST(UIMovieControlTest, ClickWhoseEndReleasesTheControlIsSafe)
{
    FakeDevices devices;
    UILayoutNode node = LayoutBytes::Control(LayoutBytes::Element(810, 0, 0, 320, 240), "UIMovieControl");
    auto* control = dynamic_cast<UIMovieControl*>(LayoutBytes::Load(LayoutBytes::Write(node)));
    ASSERT_NE(control, nullptr);
    ASSERT_NE(control->GetMovie(), nullptr);
    auto* parent = new UIControl();
    parent->AddChild(control); // the parent now holds the only reference
    ClosingListener listener;
    listener.parent = parent;
    listener.control = control;
    control->GetMovie()->SetListener(&listener);
    control->GetMovie()->Open("clip.webm", false);
    ASSERT_TRUE(devices.movies.isOpen);

    UIEvent click(control, UIMessage::kMouseUp);
    control->NotifyClicked(click); // the sanitizer build reports a use after free
    EXPECT_EQ(listener.ends, 1);
    EXPECT_EQ(parent->GetChildCount(), 0u);
    parent->Release();
}
} // namespace
