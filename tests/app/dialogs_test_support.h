#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
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

inline void EnsureApplication() {
    if (QApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "test_app";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
}
// A base that makes the application before the fixture's other bases and members.
struct ApplicationInstance {
    ApplicationInstance() { EnsureApplication(); }
};

// Answers questions from a script and remembers what was asked and said. When strict, a
// question the script did not expect fails the test; either way it is answered No.
class ScriptedPrompter : public Prompter {
  public:
    explicit ScriptedPrompter(bool strict = true) : strict_(strict) {}
    void Answer(bool yes) { answers.push_back(yes); }

    bool AskYesNo(const std::string& text) override {
        questions.push_back(text);
        if (answers.empty()) {
            EXPECT_FALSE(strict_) << "unexpected question: " << text;
            return false;
        }
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    void Inform(const std::string& text) override { messages.push_back(text); }
    void ReportError(const std::string& text) override { messages.push_back(text); }

    std::deque<bool> answers;
    std::vector<std::string> questions;
    std::vector<std::string> messages;

  private:
    bool strict_;
};

// Runs `action` on the modal dialog that opens next, once it is on screen. The action must
// close it; a dialog left open fails the test after a few seconds instead of hanging it.
inline void OnNextModal(std::function<void(QWidget*)> action) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, action, waited] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool open = modal != nullptr && modal->isVisible();
        if (!open && ++*waited <= 1000) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        if (!open) {
            ADD_FAILURE() << "no modal dialog opened";
            return;
        }
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

inline ::testing::AssertionResult CentredOn(const QWidget* dialog, const QWidget* mainWindow) {
    const QPoint d = dialog->frameGeometry().center() - mainWindow->frameGeometry().center();
    return std::abs(d.x()) <= 1 && std::abs(d.y()) <= 1
               ? ::testing::AssertionSuccess()
               : ::testing::AssertionFailure() << "centres apart by " << d.x() << ", " << d.y();
}

// A shown stand-in for the main window, with a settings store of its own so that the
// dialogs' writers touch no real profile. Its first member makes the application.
class DialogFixture : public ::testing::Test {
  protected:
    DialogFixture() {
        EXPECT_TRUE(folder_.isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder_.path());
        mainWindow.setGeometry(160, 100, 620, 540);
        mainWindow.show();
    }
    ::testing::AssertionResult CentredOnMain(const QWidget* dialog) const {
        return CentredOn(dialog, &mainWindow);
    }
    template <typename T>
    static T* Find(const QWidget& parent, const QString& name) {
        T* widget = parent.findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }

    bool applicationReady_ = (EnsureApplication(), true);
    QTemporaryDir folder_;
    QWidget mainWindow;
};

}  // namespace velmora::dialogs_test
