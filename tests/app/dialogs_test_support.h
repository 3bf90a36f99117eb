#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game/prompter.h"

namespace velmora::dialogs_test {

// One application object for the whole test program.
inline void EnsureApplication() {
    if (QApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "test_app";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
}

// A fixture's first member, so that its widgets find the application already there.
struct ApplicationInstance {
    ApplicationInstance() { EnsureApplication(); }
};

// Answers questions from a script and remembers what was asked. A question the script
// did not expect fails the test and is answered No.
class ScriptedPrompter : public Prompter {
  public:
    void Answer(bool yes) { answers_.push_back(yes); }

    bool AskYesNo(const std::string& text) override {
        questions.push_back(text);
        if (answers_.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            return false;
        }
        const bool yes = answers_.front();
        answers_.pop_front();
        return yes;
    }
    void Inform(const std::string& text) override { messages.push_back(text); }
    void ReportError(const std::string& text) override { messages.push_back(text); }

    bool ScriptUsedUp() const { return answers_.empty(); }

    std::vector<std::string> questions;
    std::vector<std::string> messages;

  private:
    std::deque<bool> answers_;
};

// Runs `action` on the modal dialog that opens next, once it is on screen. The action must
// close it; a dialog left open fails the test after a few seconds instead of hanging it.
inline void OnNextModal(std::function<void(QWidget*)> action) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, action, waited] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) {
            if (++*waited > 1000) {
                timer->stop();
                timer->deleteLater();
                ADD_FAILURE() << "no modal dialog opened";
            }
            return;
        }
        timer->stop();
        timer->deleteLater();
        action(modal);
        QTimer::singleShot(3000, [modal = QPointer<QWidget>(modal)] {
            if (modal && modal->isVisible()) {
                ADD_FAILURE() << "modal dialog left open";
                modal->close();
            }
        });
    });
    timer->start();
}

// The two windows' centres, frames included, lie within a pixel of each other.
inline ::testing::AssertionResult CentredOn(const QWidget* dialog, const QWidget* mainWindow) {
    const QPoint a = dialog->frameGeometry().center();
    const QPoint b = mainWindow->frameGeometry().center();
    if (std::abs(a.x() - b.x()) <= 1 && std::abs(a.y() - b.y()) <= 1) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "dialog centre (" << a.x() << ", " << a.y() << "), main window centre (" << b.x()
           << ", " << b.y() << ")";
}

// A settings store of the test's own, so the dialogs' writers touch no real profile.
class TempSettingsStore {
  public:
    TempSettingsStore() {
        EXPECT_TRUE(folder_.isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder_.path());
    }

  private:
    QTemporaryDir folder_;
};

}  // namespace velmora::dialogs_test
