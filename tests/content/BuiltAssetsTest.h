#pragma once

#include "Fc/Graphics/FCResourceManager.h"
#include "support/QuietLog.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <string>

// Tests over the built layouts and skin: the harness reads the build's
// Resources folder, with the asset index loaded.
class BuiltAssetsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ui.Files().SetAlternateRootPath(std::string(STAVELORN_BINARY_DIR) + "/Resources");
        ui.Files().SetUseAlternateRoot(true);
        ui.Files().AddSearchDirectory("Art");
        ui.Files().AddSearchDirectory("UI");
        ASSERT_TRUE(FCResourceManager::GetInstance()->LoadResourceFile("GameAssets.bin"));
    }
    QuietLog quiet;
    UiHarness ui;
};
