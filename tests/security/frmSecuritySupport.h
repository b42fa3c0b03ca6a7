#pragma once

#include "ModuleAccess.h"
#include "ReferenceHostFixture.h"
#include "SecurityRights.h"
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

/// The security window on the reference practice server, signed in as one operator.
class SecurityWindowFixture : public ReferenceHostFixture {
protected:
    void TearDown() override
    {
        if (window) {
            window->close();
            window.reset();
        }
        ReferenceHostFixture::TearDown();
    }

    void start(const std::string& operatorCode = "JSMITH", bool developer = false)
    {
        startHost(operatorCode, developer);
        window = std::make_unique<frmSecurity>();
        window->ShowSecurityList(false);
    }

    template<typename T> T* child(const char* name, QWidget* in = nullptr) const
    {
        return (in ? in : window.get())->findChild<T*>(QString::fromLatin1(name));
    }
    void click(const char* name, QWidget* in = nullptr) const { child<QAbstractButton>(name, in)->click(); }
    /// Presses Save, answering its one message with OK.
    void clickSave() const
    {
        prompter->expect(PromptAnswer::Ok);
        click("cmdSave");
    }
    std::string title2() const { return WireCodec::toWireLossy(child<QLabel>("lblTitle2")->text()); }

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
        return serverRights(*host->server, kind, code);
    }
    std::map<std::string, Rights> everyone() const { return everyonesRights(*host->server); }

    std::unique_ptr<frmSecurity> window;
};

} // namespace corvane::test
