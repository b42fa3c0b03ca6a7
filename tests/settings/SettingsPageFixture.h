#pragma once

#include "ReferenceHostFixture.h"
#include "WireCodec.h"
#include "frmSysSettings.h"

#include <QAbstractButton>
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace corvane::test {

/// The settings window on the reference practice server, signed in as one operator, every request recorded.
class SettingsPageFixture : public ReferenceHostFixture {
protected:
    void TearDown() override
    {
        if (window) {
            window->hide();
            window.reset();
        }
        ReferenceHostFixture::TearDown();
    }

    void start(const std::string& operatorCode = "JSMITH", bool developer = false)
    {
        startHost(operatorCode, developer);
        recordRequests();
        openWindow();
    }

    /// A fresh settings window, as the next ShowDialog makes.
    void openWindow()
    {
        if (window) {
            window->hide();
            window.reset();
        }
        window = std::make_unique<frmSysSettings>();
        window->ShowSettings(false);
        QCoreApplication::processEvents();
        requests.clear();
    }

    template<typename T> T* child(const char* name) const { return window->findChild<T*>(QString::fromLatin1(name)); }
    void click(const char* name) const { child<QAbstractButton>(name)->click(); }
    std::vector<std::string> writes() const { return requestsStartingWith("|SET|"); }
    std::string ask(const std::string& request) const { return host->server->answerString(request, "JSMITH"); }
    /// Saves with the common Save, expecting "Settings Saved.".
    void saveExpectingSaved()
    {
        prompter->expect(PromptAnswer::Ok);
        EXPECT_TRUE(window->cmdSaveCommon_Click());
        EXPECT_NE(lastPrompt().text.find("Settings Saved."), std::string::npos) << lastPrompt().text;
    }

    std::unique_ptr<frmSysSettings> window;
};

} // namespace corvane::test
