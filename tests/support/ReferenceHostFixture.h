#pragma once

#include "CorvaneDialogsMgr.h"
#include "ReferenceHost.h"
#include "ScriptedPrompter.h"
#include "SharedState.h"
#include "TempDir.h"

#include <QString>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace corvane::test {

/// The reference host components on a practice server with a database of its own, the scripted prompter and the
/// manager's shared state; checks every scripted answer was used.
class ReferenceHostFixture : public ::testing::Test {
protected:
    void TearDown() override
    {
        EXPECT_EQ(prompter->unansweredExpectations(), 0u) << "a scripted answer was never asked for";
        SharedState::instance().reset();
    }

    /// Signs an operator in on a fresh server and loads the shared state from it, as a host does at start-up.
    void startHost(const std::string& operatorCode = "JSMITH", bool developer = false)
    {
        SharedState::instance().reset();
        CorvaneDialogsMgr::SetPrompter(prompter);
        signIn(operatorCode, developer);
    }

    /// New host components for an operator on the same database, as the next start of the host makes.
    void signIn(const std::string& operatorCode, bool developer = false)
    {
        host = std::make_unique<reference::ReferenceHost>(dir.file("practice.db"), operatorCode,
                                                          QString::fromStdString(dir.file("corvane.log")));
        host->utils->setDeveloperMode(developer);
        prepareHost(*host);
        host->initialise(manager);
        manager.RefreshSharedState();
    }

    /// Runs on new host components before the manager is given them, e.g. to fix the host's date.
    virtual void prepareHost(reference::ReferenceHost&) { }

    /// Keeps every request sent to the server from now on in requests.
    void recordRequests()
    {
        host->link->setObserver([this](const std::string& request) { requests.push_back(request); });
    }

    /// The recorded requests that begin with prefix, in the order sent.
    std::vector<std::string> requestsStartingWith(const std::string& prefix) const
    {
        std::vector<std::string> found;
        for (const std::string& request : requests) {
            if (request.rfind(prefix, 0) == 0)
                found.push_back(request);
        }
        return found;
    }

    Prompt lastPrompt() const { return prompter->prompts.empty() ? Prompt {} : prompter->prompts.back(); }

    TempDir dir;
    std::shared_ptr<ScriptedPrompter> prompter = std::make_shared<ScriptedPrompter>();
    CorvaneDialogsMgr manager;
    std::unique_ptr<reference::ReferenceHost> host;
    std::vector<std::string> requests;
};

} // namespace corvane::test
