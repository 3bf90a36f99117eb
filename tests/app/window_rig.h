#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QFile>
#include <memory>

#include "app/audio_null_backend.h"
#include "app/final_dialog.h"
#include "app/reversi_form.h"
#include "dialogs_test_support.h"
#include "engine/board.h"
#include "engine/rules.h"
#include "view/board_widget.h"

namespace velmora::window_test {

using dialogs_test::EnsureApplication;
using RecordingPrompter = dialogs_test::ScriptedPrompter;

// The real main window, headless and silent, with its own settings store, scripted questions
// and file dialogs; each modal dialog is closed as it shows (game-over messages are kept).
class WindowRig {
  public:
    // configFolder: where the settings live; empty for a temporary folder of the rig's own.
    explicit WindowRig(std::vector<std::string> arguments = {},
                       const std::function<void(QSettings&)>& presets = {},
                       std::unique_ptr<AudioBackend> audio = nullptr,
                       const QString& configFolder = {},
                       const std::function<void(ReversiFormOptions&)>& adjust = {}) {
        EnsureApplication();
        EXPECT_TRUE(configFolder_.isValid());
        configPath_ = configFolder.isEmpty() ? configFolder_.path() : configFolder;
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, configPath_);
        if (presets) {
            QSettings store(QSettings::IniFormat, QSettings::UserScope, "Velmora", "Reversi");
            presets(store);
        }
        ReversiFormOptions options;
        options.arguments = std::move(arguments);
        options.programFolder = QStringLiteral(VELMORA_SOURCE_DIR);
        options.audioBackend = audio ? std::move(audio) : std::make_unique<NullAudioBackend>();
        auto prompter = std::make_unique<RecordingPrompter>(false);
        prompter_ = prompter.get();
        options.prompter = std::move(prompter);
        options.fileDialogs.chooseOpenPath = [this](QWidget*) { return openPath; };
        options.fileDialogs.chooseSavePath = [this](QWidget*) { return savePath; };
        if (adjust)
            adjust(options);
        form = std::make_unique<TReversiForm>(std::move(options));

        closer_.setInterval(2);
        QObject::connect(&closer_, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || !dialog->isVisible()) {
                return;
            }
            if (onDialog) {
                return onDialog(dialog);
            }
            if (auto* final = qobject_cast<TFinalDlg*>(dialog)) {
                finals.push_back(final->Message());
            }
            dialog->done(nextDialogResult);
        });
        closer_.start();
    }

    ~WindowRig() {
        closer_.stop();
        if (form) {
            form->close();
        }
    }

    RecordingPrompter& Prompts() { return *prompter_; }
    QString ConfigFolder() const { return configPath_; }
    QString IniPath() const { return configPath_ + QStringLiteral("/Velmora/Reversi.ini"); }

    static void Settle(int ms = 20) { QTest::qWait(ms); }

    std::unique_ptr<TReversiForm> form;
    QString openPath;
    QString savePath;
    int nextDialogResult = QDialog::Accepted;
    // When set, gets each modal dialog instead of the automatic close, and must close it.
    std::function<void(QDialog*)> onDialog;
    std::vector<QString> finals;

  private:
    QTemporaryDir configFolder_;
    QString configPath_;
    RecordingPrompter* prompter_ = nullptr;
    QTimer closer_;
};

inline std::function<void(QSettings&)> Profile(const char* size = "8",
                                               const char* opponent = "computer",
                                               const char* level = "1",
                                               const char* animation = "no") {
    return [=](QSettings& store) {
        store.setValue("options/brdim", size);
        store.setValue("options/anief", animation);
        store.setValue("options/gamet", opponent);
        store.setValue("options/level", level);
        store.setValue("options/showtips", "no");
        store.setValue("net/listn", "no");
        store.sync();
    };
}

inline void ClickSquare(TReversiForm& form, int square) {
    const GamePosition& position = form.Session().position;
    const int cell = position.boardSize == 8 ? 61 : 49;
    const QPoint point(22 + cell * ColumnOf(position.boardSize, square) + cell / 2,
                       22 + cell * RowOf(position.boardSize, square) + cell / 2);
    QTest::mouseMove(form.Board(), point);
    QTest::mouseClick(form.Board(), Qt::LeftButton, {}, point);
}

inline int FirstLegal(const GamePosition& p) {
    for (const int square : MoveOrder(p.boardSize)) {
        if (IsLegal(p.board, p.boardSize, square, p.sideToMove, Opponent(p.sideToMove))) {
            return square;
        }
    }
    return NoMove;
}

inline void ClickFirstLegal(TReversiForm& form) {
    ClickSquare(form, FirstLegal(form.Session().position));
}

// The side to move plays its first legal square until the game is over or has moveLimit moves.
inline void PlayToTheEnd(TReversiForm& form, int moveLimit = 1000) {
    const GameSession& session = form.Session();
    for (int guard = 0;
         guard < 200 && !session.position.gameOver && session.record.Count() < moveLimit; ++guard) {
        const int square = FirstLegal(session.position);
        if (square != NoMove) {
            ClickSquare(form, square);
        }
    }
}

inline void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

}  // namespace velmora::window_test
