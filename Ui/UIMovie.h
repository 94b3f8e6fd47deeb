#pragma once

#include "Fc/Devices/FCMovie.h"
#include "Ui/UIDisplayObject.h"

#include <cstdint>

// A movie played by the movie player at the object's place. Never hit.
class UIMovie : public UIDisplayObject, public FCMovie
{
public:
    static constexpr std::uint16_t kClassCode = 212;

    UIMovie();
    UIMovie(const UIMovie& other);
    ~UIMovie() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // Size mode 2: the movie's frame size.
    FCPoint GetSize() const override;
    void Draw(FCImageBuffer* target, const FCRect& clip) override;
    bool HitTest(FCPoint point) override;

    // Where the player shows the movie: the object's place on the screen.
    FCPoint GetPosition() override;
    using UIDisplayObject::GetPosition;
    void OnStop() override;
};
