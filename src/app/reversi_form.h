#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>

#include "app/app_titles.h"
#include "app/audio_system.h"
#include "app/board_display_adapter.h"
#include "app/command_lock.h"
#include "app/cursor_port.h"
#include "app/document_opener.h"
#include "app/main_menu.h"
#include "app/qt_engine_runner.h"
#include "app/qt_prompter.h"
#include "app/settings_apply.h"
#include "engine/compute_move.h"
#include "engine/transcript.h"
#include "game/command_line.h"
#include "game/game_flow.h"
#include "game/move_review.h"
#include "net/net_connection.h"
#include "net/net_window.h"
#include "view/board_animator.h"
#include "view/board_renderer.h"
#include "view/graphics_holder.h"
#include "view/qt_tick_dispatcher.h"
#include "view/skin_choice.h"

class QLabel;
class QSystemTrayIcon;
class QToolButton;

namespace velmora {

class MovesListBox;
class ReversiDialogs;
class MusicPingTimer;
class TChoice;
class TVolumeForm;

// The file dialogs of Save and Open; tests replace them.
struct MatchFileDialogs {
    std::function<QString(QWidget*)> chooseOpenPath;
    std::function<QString(QWidget*)> chooseSavePath;
};

// Everything the window takes from outside, so tests can run it headless and silent.
struct ReversiFormOptions {
    std::vector<std::string> arguments;          // the command line without the program name
    QString programFolder;                       // holds DATA/ and docs/
    std::unique_ptr<AudioBackend> audioBackend;  // null: the system's
    std::unique_ptr<Prompter> prompter;          // null: message boxes
    MatchFileDialogs fileDialogs;                // empty members: the standard dialogs
    std::unique_ptr<CursorPort> cursorPort;      // null: the platform's pointer
    DocumentOpener openDocument;                 // empty: the desktop's
};

// The main window: the board, the moves panel, the status bar and the menus around one game.
class TReversiForm : public QMainWindow,
                     public GameView,
                     public SettingsApplyHost,
                     private EngineObserver,
                     private NetWindow {
    Q_OBJECT

  public:
    explicit TReversiForm(ReversiFormOptions options, QWidget* parent = nullptr);
    ~TReversiForm() override;

    GameSession& Session() override { return session_; }
    GameFlow& Flow() { return flow_; }
    QtEngineRunner& Engine() { return engine_; }
    MoveReview& Review() { return review_; }
    const MainMenu& Menu() const { return menu_; }
    BoardWidget* Board() const { return boardWidget_; }
    MovesListBox* MovesList() const { return movesList_; }
    QWidget* MovesPanel() const { return movesPanel_; }
    AudioSystem& Audio() { return audio_; }
    NetConnection& Net() { return *net_; }
    QString StatusPanelText(int panel) const;
    bool StartAborted() const { return session_.flags.startAborted; }
    bool ContinueEnabled() const;

    // GameView
    void SetStatusPanel(int panel, const std::string& text) override;
    void SetPointer(PointerShape shape) override;
    void SetUndoRedoEnabled(bool enabled) override;
    bool UndoRedoEnabled() const override;
    void SetContinueEnabled(bool enabled) override;
    void ShowFinal(int kind, int first, int second) override;
    int ChooseReviewAction() override;
    void StatisticsChanged() override;
    void ShowStatistics() override;
    void MovePointerToSquare(int col, int row) override;

    // Writes the settings and statistics now (reversi_form_store.cpp); a failure is reported
    // once until a write succeeds again. False when nothing was written.
    bool SaveSettingsNow();

    // Commands.
    void SaveMatchCommand();
    void OpenMatchCommand();
    // Opens a saved match or a transcript into the game and plays on from its end; false
    // when refused.
    bool OpenMatchFile(const QString& path);
    // A file dropped on the window: saved matches and transcripts open, anything else is
    // ignored.
    void DropFile(const QString& path);
    // Matches as text (transcript_commands.cpp).
    void CopyMatchCommand();
    void PasteMatchCommand();
    void ToggleAnimation();
    void ToggleSound();
    void ToggleMusic();
    void ToggleMovesList();
    // A skin item: the family's choice becomes index.
    enum class SkinFamily { Figures, Cursor, Help, Border };
    void SelectSkin(SkinFamily family, int index);
    void HelpCommand();

    // Keeps the window's centre while its size follows the board, the skins and the panel.
    void RelayoutWindow(const std::function<void()>& change);
    // The window size the board and panel call for (client area).
    QSize ClientSizeForBoard() const;

    // Hooks for the dialogs that come later; empty ones do nothing.
    std::function<void()> showStatisticsWindow;
    std::function<void()> showSettingsDialog;
    // The dialogs attached to the window (the network game locks the settings dialog's game
    // controls through it); null while none are.
    ReversiDialogs* dialogs = nullptr;

    // SettingsApplyHost (reversi_form_settings.cpp)
    Prompter& Prompts() override;
    bool NoHumanMoveYet() const override;
    void RepaintWindow() override;
    void ApplyMusicOn() override;
    void SyncMenuChecks() override;
    void RestartGame() override;
    void ReloadSkins(const SkinChoice& before, const SkinChoice& after) override;
    void FinishApply() override;

  signals:
    void firstActivation();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // EngineObserver
    void SetThinkingCommandsEnabled(bool enabled) override;
    void FixedOpeningMoveGiven() override;

    void BuildLayout();
    void ConnectCommands();
    // The commands greyed while the computer answers (reversi_form_lock.cpp).
    void BuildCommandLock();
    // A damaged settings file is kept aside and repaired before anything is read from it.
    void RecoverStore();
    // Saves after each change of a setting by the menus and when the session ends.
    void KeepSettingsSaved();
    void ApplyLayoutSizes();
    int MovesPanelWidth() const;
    void SyncAnimationOptions();
    SkinChoice CurrentSkins() const;
    void ApplySkins(const SkinChoice& before);
    void ReportImageProblems();
    void RunPendingRequests();
    void PlayEffect(int effect) override;
    // The window's side of a match just read into the session: board size, review state,
    // and play going on from the match's end.
    void ShowOpenedMatch(int oldSize);

    // Transcripts as files and clipboard text (transcript_commands.cpp).
    bool OpenTranscriptFile(const QString& path);
    // A dropped file without the saved-match signature: text that reads as moves opens.
    void DropTranscriptFile(const QString& path);
    void SaveTranscriptFile(const QString& path);
    void OpenTranscriptGame(TranscriptGame game);
    // Puts the pointer, or where it cannot go the board cursor, on a point of the board.
    void PointAtBoard(const QPoint& client);

    // Network play (reversi_form_net.cpp).
    void StartNetwork();
    // Opening a match while connected asks first and disconnects on Yes; false on No.
    bool ConfirmBreakNetGame();
    QWidget* Widget() override;
    void CentreDialog(QWidget* dialog) override;
    void ShowPeerInCaption(const QString& peer) override;
    void BringToFront() override;
    void ChangeBoardSize(int size) override;
    void LockSettingsForNetGame(bool locked) override;
    QPoint ProgressBoxPosition() override;

    ReversiFormOptions options_;
    GameSession session_;
    std::unique_ptr<Prompter> prompter_;
    std::unique_ptr<AudioBackend> audioBackend_;
    std::unique_ptr<CursorPort> cursorPort_;
    AudioSystem audio_;
    MusicPingTimer* musicTimer_ = nullptr;

    QtTickDispatcher dispatcher_;
    GraphicsHolder holder_;
    BoardRenderer renderer_;
    BoardWidget* boardWidget_ = nullptr;
    BoardAnimator animator_;
    TAsyncTimer animationTimer_;
    QtEngineRunner engine_;
    BoardDisplayAdapter display_;
    AsyncRepeatTimers repeatTimers_;
    GameFlow flow_;
    MoveReview review_;

    MainMenu menu_;
    QLabel* statusPanels_[3] = {};
    QWidget* movesPanel_ = nullptr;
    MovesListBox* movesList_ = nullptr;
    QToolButton* undoButton_ = nullptr;
    QToolButton* redoButton_ = nullptr;
    QToolButton* fromThisButton_ = nullptr;
    QToolButton* fromEndButton_ = nullptr;
    TChoice* choice_ = nullptr;
    TVolumeForm* volumeForm_ = nullptr;
    QSystemTrayIcon* tray_ = nullptr;

    CommandLock commandLock_;
    CommandLineRequest request_;
    std::unique_ptr<NetConnection> net_;
    bool showMovesList_ = true;
    bool storeWritable_ = true;
    bool saveFailed_ = false;
};

}  // namespace velmora
