#pragma once

#include "FakeHost.h"
#include "ScriptedPrompter.h"
#include "SharedState.h"

#include <gtest/gtest.h>

namespace corvane::test {

/// Installs fake host components and a scripted prompter in the shared state; checks every scripted answer was used.
class HostFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto& state = SharedState::instance();
        state.reset();
        state.quillon = quillon;
        state.utils = utils;
        state.codeTables = codeTables;
        state.lookups = lookups;
        state.serverUtils = serverUtils;
        state.operatorName = quillon->operatorName;
        state.contextKey = quillon->contextKey;
        state.display.lookupSeparator = utils->display->separator;
        state.display.disabledCellColour = utils->display->disabled;
        state.setPrompter(prompter);
    }

    void TearDown() override
    {
        EXPECT_EQ(prompter->unansweredExpectations(), 0u) << "a scripted answer was never asked for";
        SharedState::instance().reset();
    }

    bool logged(const std::string& line) const
    {
        for (const auto& l : utils->logLines) {
            if (l == line)
                return true;
        }
        return false;
    }

    std::shared_ptr<FakeQuillon> quillon = std::make_shared<FakeQuillon>();
    std::shared_ptr<FakeUtils> utils = std::make_shared<FakeUtils>();
    std::shared_ptr<FakeCodeTables> codeTables = std::make_shared<FakeCodeTables>();
    std::shared_ptr<FakeLookups> lookups = std::make_shared<FakeLookups>();
    std::shared_ptr<FakeServerUtils> serverUtils = std::make_shared<FakeServerUtils>();
    std::shared_ptr<ScriptedPrompter> prompter = std::make_shared<ScriptedPrompter>();
};

} // namespace corvane::test
