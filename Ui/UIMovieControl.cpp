#include "Ui/UIMovieControl.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCCountedRef.h"
#include "Ui/UIMovie.h"

FC_REGISTER_CLASS(UIMovieControl);

namespace
{
constexpr std::uint16_t kMovieZOrder = 10;
} // namespace

UIMovieControl::UIMovieControl()
{
    sizeMode = kSizeContent;
}

UIMovieControl::UIMovieControl(const UIMovieControl& other) : UIControl(other)
{
    // Found by its place in the list, which the clones keep.
    for (std::uint32_t i = 0; other.movie && i < other.GetDisplayObjectCount(); ++i)
        if (other.GetDisplayObjectAt(i) == other.movie)
            movie = dynamic_cast<UIMovie*>(GetDisplayObjectAt(i));
}

UIMovieControl::~UIMovieControl() = default;

std::string UIMovieControl::GetClassName() const { return "UIMovieControl"; }
std::string UIMovieControl::GetTypeName() const { return "UIMovieControl"; }
FCObject* UIMovieControl::Clone() const { return new UIMovieControl(*this); }
FCObject* UIMovieControl::CreateNew() const { return new UIMovieControl(); }

bool UIMovieControl::Load(FCFile& file)
{
    if (!UIControl::Load(file))
        return false;
    if (!movie)
    {
        movie = new UIMovie();
        movie->SetSizeMode(kSizeContent);
        movie->SetZOrder(kMovieZOrder);
        AddDisplayObject(movie, kAlwaysDrawn);
    }
    return true;
}

bool UIMovieControl::NotifyClicked(UIEvent& event)
{
    // The end's listener may close the window and release this control.
    const auto hold = FCCountedRef<UIMovieControl>::Share(this);
    if (movie)
        movie->SkipToEnd();
    return UIControl::NotifyClicked(event);
}
