#pragma once

#include "HostFixture.h"
#include "frmSTW.h"

#include <QString>

#include <memory>
#include <string>
#include <vector>

namespace corvane::test {

/// The STW window on the fake host components, the operator holding every right on it; a window left with
/// unsaved changes is closed with its question answered.
class StwWindowFixture : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        utils->rights->entries["STW"] = {true, true, true, true};
        SharedState::instance().palette.assign(59, "16777215");
    }
    void TearDown() override
    {
        if (window && window->isVisible()) {
            if (window->hasUnsavedChanges())
                prompter->expect(PromptAnswer::Ok);
            window->close();
        }
        window.reset();
        HostFixture::TearDown();
    }

    frmSTW& open()
    {
        window = std::make_unique<frmSTW>();
        window->STWShow(QStringLiteral("Codes Cross Reference"));
        return *window;
    }

    /// Answers every save request with these lines and anything else with a plain OK.
    void answerSaves(std::vector<std::string> lines)
    {
        quillon->answer = [lines = std::move(lines)](const std::string& request) {
            if (request.rfind("|SET|", 0) == 0)
                return lines;
            return std::vector<std::string> {"|OK||", "|END|"};
        };
    }

    std::unique_ptr<frmSTW> window;
};

} // namespace corvane::test
