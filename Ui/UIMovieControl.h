#pragma once

#include "Ui/UIControl.h"

#include <cstdint>
#include <string>

class UIMovie;

// A control that shows one movie at its own size; a click skips the movie
// to its end before it is reported.
class UIMovieControl : public UIControl
{
public:
    UIMovieControl();
    // The copy binds its own copy of the movie.
    UIMovieControl(const UIMovieControl& other);
    ~UIMovieControl() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // The control; then a movie (always drawn) when there is none yet.
    bool Load(FCFile& file) override;
    bool NotifyClicked(UIEvent& event) override;

    UIMovie* GetMovie() const { return movie; }

protected:
    // Owned through the display-object list.
    UIMovie* movie = nullptr;
};
