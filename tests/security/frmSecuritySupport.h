#pragma once

#include "CorvaneDialogsMgr.h"
#include "ModuleAccess.h"
#include "ReferenceHost.h"
#include "ScriptedPrompter.h"
#include "SharedState.h"
#include "TempDir.h"
#include "WireCodec.h"
#include "frmSecurity.h"
#include "frmSecurityModuleAccess.h"
#include "grid/CorvaneGrid.h"
#include "grid/GridModel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace corvane::test {

/// Access, Add, Modify, Delete of every program, as "1010".
using Rights = std::map<std::string, std::string>;

/// The security window on the reference practice server, signed in as one operator.
class SecurityWindowFixture : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (window) {
            window->close();
            window.reset();
        }
        EXPECT_EQ(prompter->unansweredExpectations(), 0u);
        SharedState::instance().reset();
    }

    void start(const std::string& operatorCode = "JSMITH", bool developer = false)
    {
        SharedState::instance().reset();
        CorvaneDialogsMgr::SetPrompter(prompter);
        host = std::make_unique<reference::ReferenceHost>(dir.file("practice.db"), operatorCode,
                                                          QString::fromStdString(dir.file("corvane.log")));
        host->utils->setDeveloperMode(developer);
        host->initialise(manager);
        manager.RefreshSharedState();
        window = std::make_unique<frmSecurity>();
        window->ShowSecurityList(false);
    }

    template<typename T> T* child(const char* name, QWidget* in = nullptr) const
    {
        return (in ? in : window.get())->findChild<T*>(QString::fromLatin1(name));
    }
    void click(const char* name, QWidget* in = nullptr) const { child<QAbstractButton>(name, in)->click(); }
    std::string title2() const { return WireCodec::toWireLossy(child<QLabel>("lblTitle2")->text()); }
    Prompt lastPrompt() const { return prompter->prompts.empty() ? Prompt {} : prompter->prompts.back(); }

    frmSecurityModuleAccess& modulePage() const { return *window->moduleAccessPage(); }
    /// The grid row of a program on the Module Access page, or 0.
    int rowOf(const std::string& program) const
    {
        const ModuleAccess& access = modulePage().access();
        for (int r = 1; r <= access.rowCount(); ++r) {
            if (access.row(r).program == program)
                return r;
        }
        return 0;
    }
    /// A click on an access cell, as the mouse or Space gives it.
    bool toggle(int row, int col) const
    {
        CorvaneGrid& grid = modulePage().grid();
        return grid.model().setData(grid.model().index(row - 1, col - 1), Qt::Checked, Qt::CheckStateRole);
    }
    bool on(const std::string& program, int col) const { return modulePage().access().access(rowOf(program), col).on; }

    /// What the server holds for an operator ("O") or group ("G"), read straight from it.
    Rights rights(const std::string& kind, const std::string& code) const
    {
        ModuleAccess page;
        EXPECT_EQ(page.load(host->server->answerLines(ModuleAccess::readRequest(kind, code), "JSMITH"), false),
                  ModuleAccess::Load::Rows);
        Rights out;
        for (int r = 1; r <= page.rowCount(); ++r) {
            if (page.isHeader(r))
                continue;
            std::string flags;
            for (int c = 3; c <= 6; ++c)
                flags += page.cellText(r, c);
            out[page.row(r).program] = flags;
        }
        return out;
    }
    std::map<std::string, Rights> everyone() const
    {
        std::map<std::string, Rights> all;
        for (const char* op : {"JSMITH", "MJONES", "RPATEL", "DKIM", "LGARCIA", "AOKAFOR", "TNGUYEN", "SBROWN", "VQ"})
            all[std::string("O ") + op] = rights("O", op);
        for (int g = 0; g < 10; ++g)
            all["G " + std::to_string(g)] = rights("G", std::to_string(g));
        return all;
    }

    TempDir dir;
    std::shared_ptr<ScriptedPrompter> prompter = std::make_shared<ScriptedPrompter>();
    CorvaneDialogsMgr manager;
    std::unique_ptr<reference::ReferenceHost> host;
    std::unique_ptr<frmSecurity> window;
};

} // namespace corvane::test
