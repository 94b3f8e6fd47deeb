// Loads arbitrary bytes as a ".ui" layout file the way the program does
// (class name, then that class's Load through the registry), draws and hit
// tests what loaded and presses and releases it, and checks that the tools'
// tree reader writes back whatever it accepts (every class's own record,
// list items, text-field attributes with their margins and numbers) and
// reads that again to the same bytes.

#include "FuzzMemoryFile.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Ui/UIControl.h"
#include "Ui/UILayoutCodec.h"
#include "Ui/UIMessages.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);
    static FCImageBuffer* target = FCImageBuffer::Create(64, 48, FCFormat565);

    {
        FuzzMemoryFile file(data, size);
        if (FCObject* object = FCClassRegistry::ReadObject(file))
        {
            if (auto* control = dynamic_cast<UIControl*>(object))
            {
                control->Draw(target, FCRect(-8, -8, 64, 48));
                control->FindControlAt(FCPoint(3, 3), false);
                control->HitTestDisplayObjects(FCPoint(5, 2));
                // Buttons, sliders and lists act on their loaded records here.
                UIEvent press(nullptr, UIMessage::kMouseDown, FCPoint(3, 3), 0, 0);
                control->OnMouseDown(press);
                press.param1 = UIMessage::kModButtonHeld;
                control->OnMouseMove(press);
                control->OnMouseUp(press);
            }
            object->Release();
        }
    }

    FuzzMemoryFile file(data, size);
    UILayoutNode tree;
    if (!UILayoutCodec::ReadNode(file, tree))
        return 0;
    bool written = false;
    const UILayoutCodec::Bytes bytes = UILayoutCodec::WriteFile(tree, &written);
    if (!written)
        __builtin_trap();
    FuzzMemoryFile again(bytes.data(), bytes.size());
    UILayoutNode back;
    if (!UILayoutCodec::ReadNode(again, back) || UILayoutCodec::WriteFile(back) != bytes)
        __builtin_trap();
    return 0;
}
