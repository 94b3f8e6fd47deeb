#pragma once

#include "Ui/UILayoutCodec.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

class FCObject;

// Builders for layout trees, so tests and benchmarks write whole ".ui" files
// through the layout codec instead of by hand.
namespace LayoutBytes
{
UIObjectRecord Element(std::uint16_t id, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                       std::int16_t sizeMode = 0);

UILayoutNode Control(const UIObjectRecord& element, const std::string& className = "UIControl");
// A control of a class with a record of its own after the sections.
UILayoutNode Control(const UIObjectRecord& element, const std::string& className, const UILayoutControlRecord& own);
UILayoutNode Fill(const UIObjectRecord& element, std::uint32_t mask, std::uint8_t red, std::uint8_t green,
                  std::uint8_t blue, const std::string& className = "UIFill");
UILayoutNode Image(const UIObjectRecord& element, std::uint32_t mask, std::uint16_t imageSetId,
                   std::uint16_t frame);
UILayoutNode Text(const UIObjectRecord& element, std::uint32_t mask, const std::string& text,
                  std::uint16_t fontId, std::initializer_list<std::uint16_t> attributes = {},
                  std::uint16_t stringId = 0);
UILayoutNode Plain(const UIObjectRecord& element, std::uint32_t mask, const std::string& className);
UILayoutNode MouseOver(std::uint16_t message);

// The stored file; empty when the tree cannot be stored.
std::vector<std::uint8_t> Write(const UILayoutNode& root);
// The program's way in: the class name, then that class's Load, from memory.
// Null when the load fails.
FCObject* Load(const std::vector<std::uint8_t>& bytes);
} // namespace LayoutBytes
