#pragma once

#include "Ui/UIObject.h"

#include <cstdint>

class FCImageBuffer;
struct UIDisplayObjectRecord;

// A drawn part of a control: fill, outline, image, text or movie. The control
// draws it when its state mask matches the control's flags and state.
class UIDisplayObject : public UIObject
{
public:
    static constexpr std::uint16_t kClassCode = 200;
    // Drawn in every state.
    static constexpr std::uint32_t kAlwaysDrawn = 0xFFF;

    UIDisplayObject();
    explicit UIDisplayObject(std::uint16_t newId);
    UIDisplayObject(const UIDisplayObject& other);
    ~UIDisplayObject() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // The element record, then the state mask.
    bool Load(FCFile& file) override;
    // Reports the screen rectangle whether or not the object itself is
    // visible (one that was just hidden still has to be painted over), but
    // not while its control or an ancestor is hidden.
    void Invalidate() override;

    virtual void Draw(FCImageBuffer* target, const FCRect& clip);
    virtual bool HitTest(FCPoint point);
    // The screen rectangle that Draw is sure to paint over completely, if
    // any; none by default.
    virtual bool GetOpaqueRect(FCRect& rect) const;

    std::uint32_t GetStateMask() const { return stateMask; }
    void SetStateMask(std::uint32_t mask) { stateMask = mask; }

protected:
    // Takes the element and mask fields of a record read by a derived class.
    void Apply(const UIDisplayObjectRecord& record);

    std::uint32_t stateMask = kAlwaysDrawn;
};
