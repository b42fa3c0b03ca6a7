#pragma once

#include "ReferenceHostFixture.h"
#include "WireCodec.h"
#include "frmSysSettings.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

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

    template<typename T> T* child(const QString& name) const { return window->findChild<T*>(name); }
    template<typename T> T* child(const char* name) const { return child<T>(QString::fromLatin1(name)); }
    void click(const char* name) const { child<QAbstractButton>(name)->click(); }
    QLineEdit* line(const char* name) const { return child<QLineEdit>(name); }
    QCheckBox* check(const char* name) const { return child<QCheckBox>(name); }
    QString label(const char* name) const { return child<QLabel>(name)->text(); }
    QPushButton* save() const { return child<QPushButton>("cmdSaveCommon"); }
    QRadioButton* option(const char* name, int index) const
    {
        return child<QRadioButton>(QStringLiteral("%1_%2").arg(QString::fromLatin1(name)).arg(index));
    }
    /// Types into a field as the keyboard does, after clearing it.
    void retype(const char* name, const QString& text) const
    {
        QLineEdit* edit = line(name);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    /// Every write, the scheduled-process switches (|SETP|) included.
    std::vector<std::string> writes() const { return requestsStartingWith("|SET"); }
    std::string ask(const std::string& request) const { return host->server->answerString(request, "JSMITH"); }
    /// Presses the common Save, answering its one message with OK.
    void clickSave() const
    {
        prompter->expect(PromptAnswer::Ok);
        click("cmdSaveCommon");
    }
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
