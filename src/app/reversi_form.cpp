#include "app/reversi_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/analysis_window.h"
#include "app/app_paths.h"
#include "app/audio_music_source_dialog.h"
#include "app/audio_music_timer.h"
#include "app/audio_sdl_backend.h"
#include "app/audio_volume_form.h"
#include "app/choice_dialog.h"
#include "app/dialog_placement.h"
#include "app/final_dialog.h"
#include "app/help_window.h"
#include "app/match_folder.h"
#include "app/moves_list_box.h"
#include "app/settings_store.h"
#include "app/statistics_store.h"
#include "app/transcript_commands.h"
#include "engine/side_names.h"
#include "game/game_texts.h"
#include "game/saved_match_settings.h"
#include "net/progress_box.h"
#include "view/board_widget.h"

namespace velmora {

namespace {

constexpr const char* kScreenTooSmall =
    "ОШИБКА: У вас установлено разрешение экрана менее 800 x 600!\r"
    "Измените разрешение экрана и запустите игру заново.";
constexpr int kMovesPanelExtra = 172;

QString FolderOrDefault(const QString& folder) {
    return folder.isEmpty() ? ProgramFolder() : folder;
}

std::unique_ptr<AudioBackend> BackendOrSystem(std::unique_ptr<AudioBackend> backend) {
    return backend ? std::move(backend) : CreateSystemAudioBackend();
}

QString StandardOpenPath(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Открыть..."), MatchFolder(), OpenMatchFilters());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("qvz"));
    const QString path =
        dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    RememberMatchFolder(path);
    return path;
}

QString StandardSavePath(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Сохранить..."), MatchFolder(), SaveMatchFilters());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("qvz"));
    FollowFilterWithSuffix(dialog);
    const QString path =
        dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    RememberMatchFolder(path);
    return path;
}

bool HasMatchSignature(const QByteArray& head) {
    return head.size() == 4 && (head == "0ZVQ" || head == "1ZVQ" || head == "2ZVQ");
}

}  // namespace

TReversiForm::TReversiForm(ReversiFormOptions options, QWidget* parent)
    : QMainWindow(parent),
      options_(std::move(options)),
      prompter_(options_.prompter ? std::move(options_.prompter)
                                  : std::make_unique<QtPrompter>(this)),
      audioBackend_(BackendOrSystem(std::move(options_.audioBackend))),
      cursorPort_(options_.cursorPort ? std::move(options_.cursorPort)
                                      : CreatePlatformCursorPort()),
      audio_(*audioBackend_,
             AudioSettings{session_.settings.soundOn, session_.settings.musicOn,
                           session_.settings.soundVolume, session_.settings.musicVolume,
                           session_.settings.musicFolder}),
      holder_((FolderOrDefault(options_.programFolder) + "/DATA").toStdString()),
      renderer_(holder_),
      boardWidget_(new BoardWidget(holder_, renderer_)),
      animator_(holder_, renderer_, session_.position),
      animationTimer_(dispatcher_),
      engine_(session_, this),
      display_(session_.position, renderer_, animator_, *boardWidget_,
               [this](int effect) { PlayEffect(effect); }),
      repeatTimers_(dispatcher_),
      flow_(session_, {*this, display_, engine_, engine_, *prompter_,
                       [this](int effect) { PlayEffect(effect); }, nullptr}),
      review_(flow_, *this, display_, *prompter_, repeatTimers_) {
    if (!options_.fileDialogs.chooseOpenPath) {
        options_.fileDialogs.chooseOpenPath = StandardOpenPath;
    }
    if (!options_.fileDialogs.chooseSavePath) {
        options_.fileDialogs.chooseSavePath = StandardSavePath;
    }
    if (!options_.openDocument) {
        options_.openDocument = OpenWithDesktop;
    }
    const QString programFolder = FolderOrDefault(options_.programFolder);
    renderer_.SetPresenter(boardWidget_);
    repeatTimers_.Connect(review_);

    // Texts, caption and the screen check.
    menu_ = BuildMainMenu(menuBar(), this);
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen != nullptr && screen->geometry().height() < 600) {
        session_.flags.startAborted = true;
        prompter_->Inform(kScreenTooSmall);
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return;
    }

    // Audio, settings and statistics.
    audio_.InitAudio(programFolder.toStdString());
    RecoverStore();
    session_.settings = LoadSettings(programFolder);
    session_.statistics = LoadStatistics();
    showMovesList_ = session_.settings.showMovesList;

    BuildLayout();
    ConnectCommands();
    BuildCommandLock();
    KeepSettingsSaved();

    // The game and the command line.
    session_.position.boardSize = session_.settings.boardSize;
    renderer_.ResetCursor();
    flow_.StartEngineGame();
    std::vector<std::string> args = options_.arguments;
    request_ = ParseCommandLine(args, [](const std::string& path) {
        return QFileInfo(QString::fromStdString(path)).isFile();
    });
    if (request_.listen) {
        session_.settings.listen = true;
    }

    // Skins and sizes.
    LoadAllSkins(holder_, renderer_, CurrentSkins());
    if (session_.settings.figureSkin == 0) {
        renderer_.SetLastFigFrame(BoardRenderer::kLastFigFrame);
    }
    ApplyLayoutSizes();
    SyncAnimationOptions();
    menu_.animation->setChecked(session_.settings.animationOn);
    menu_.sound->setChecked(session_.settings.soundOn);
    menu_.music->setChecked(session_.settings.musicOn);
    menu_.showMoves->setChecked(showMovesList_);
    menu_.figures[0]->setChecked(true);
    menu_.cursors[session_.settings.cursorSkin == 1 ? 1 : 0]->setChecked(true);
    menu_.borders[session_.settings.borderSkin == 1 ? 1 : 0]->setChecked(true);
    StartNetwork();

    // Timers, then the first turn.
    musicTimer_ = new MusicPingTimer(audio_, this);
    musicTimer_->Enable();
    animationTimer_.SetInterval(40);
    animationTimer_.SetThreadPriority(ThreadPriority::TimeCritical);
    animationTimer_.SetOnTimer([this] { animator_.Tick(); });
    animationTimer_.SetEnabled(true);

    if (request_.autoOpen) {
        flow_.SetReviewing(true);
        flow_.EnableUndoRedo();
        review_.ShowReviewedPosition();
        flow_.UpdateMoveCounter();
    } else {
        flow_.SetReviewing(false);
        flow_.ShowNewGameStatus();
        QTimer::singleShot(0, this, [this] { flow_.AfterMove(true); });
    }
    renderer_.DrawBoard(session_.position.board);
    boardWidget_->RepaintBoard();
    setAcceptDrops(true);
    ReportImageProblems();
}

TReversiForm::~TReversiForm() {
    animationTimer_.SetEnabled(false);
    engine_.RequestStop();
    session_.record.SetListener(nullptr);
    audio_.ShutdownAudio();
}

void TReversiForm::BuildLayout() {
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(boardWidget_, 0, Qt::AlignLeft | Qt::AlignTop);

    movesPanel_ = new QWidget(central);
    auto* column = new QVBoxLayout(movesPanel_);
    column->setContentsMargins(0, 2, 2, 2);
    column->setSpacing(2);
    movesList_ = new MovesListBox(movesPanel_);
    column->addWidget(movesList_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    const auto makeButton = [this, buttons](QStyle::StandardPixmap icon, const char* hint) {
        auto* button = new QToolButton(movesPanel_);
        button->setIcon(style()->standardIcon(icon));
        button->setToolTip(QString::fromUtf8(hint));
        button->setStatusTip(QString::fromUtf8(hint));
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRaise(true);
        button->setEnabled(false);
        buttons->addWidget(button);
        return button;
    };
    undoButton_ = makeButton(QStyle::SP_ArrowLeft, "Отменить последний ход");
    redoButton_ = makeButton(QStyle::SP_ArrowRight, "Перейти к следующему ходу");
    buttons->addStretch(1);
    fromThisButton_ = makeButton(QStyle::SP_MediaPlay, "Продолжить с данной позиции");
    fromEndButton_ = makeButton(QStyle::SP_MediaSkipForward, "Продолжить с последней позиции");
    column->addLayout(buttons);
    row->addWidget(movesPanel_);
    movesPanel_->setVisible(showMovesList_);
    setCentralWidget(central);

    QFont panelFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (QLabel*& panel : statusPanels_) {
        panel = new QLabel(statusBar());
        panel->setAlignment(Qt::AlignCenter);
        panel->setFont(panelFont);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        statusBar()->addWidget(panel);
    }
    statusBar()->setSizeGripEnabled(false);

    session_.record.SetListener(movesList_);
    session_.record.RebuildList(0);
    choice_ = new TChoice(this);
    volumeForm_ = new TVolumeForm(audio_, this);

    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        tray_ = new QSystemTrayIcon(windowIcon(), this);
        tray_->setToolTip(QStringLiteral("Вельморные Реверси"));
        connect(
            tray_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) {
                    showNormal();
                    raise();
                    activateWindow();
                    tray_->hide();
                }
            });
    }
}

void TReversiForm::ConnectCommands() {
    connect(boardWidget_, &BoardWidget::pointerMoved, this,
            [this](int x, int y) { flow_.PointerMove(x, y); });
    connect(boardWidget_, &BoardWidget::leftClicked, this, [this](int x, int y) {
        flow_.PointerMove(x, y);
        flow_.BoardClick();
    });
    connect(boardWidget_, &BoardWidget::rightPressed, this, [this](int, int) {
        animator_.StartMarks(!engine_.Busy() &&
                             (!session_.flags.networkGame ||
                              session_.position.sideToMove == session_.settings.computerSide));
    });

    connect(menu_.newGame, &QAction::triggered, this, [this] { flow_.NewGameCommand(); });
    connect(menu_.hint, &QAction::triggered, this, [this] { flow_.HintCommand(); });
    connect(menu_.options, &QAction::triggered, this, [this] {
        if (showSettingsDialog) {
            showSettingsDialog();
        }
    });
    connect(menu_.exit, &QAction::triggered, this, &QWidget::close);
    connect(menu_.animation, &QAction::triggered, this, [this] { ToggleAnimation(); });
    connect(menu_.sound, &QAction::triggered, this, [this] { ToggleSound(); });
    connect(menu_.music, &QAction::triggered, this, [this] { ToggleMusic(); });
    connect(menu_.soundVolume, &QAction::triggered, this, [this] { volumeForm_->Execute(this); });
    connect(menu_.musicSource, &QAction::triggered, this, [this] {
        MusicSourceCommand(
            audio_, this, *prompter_,
            DefaultMusicFolder(FolderOrDefault(options_.programFolder).toStdString()));
    });
    connect(menu_.figures[0], &QAction::triggered, this,
            [this] { SelectSkin(SkinFamily::Figures, 0); });
    connect(menu_.helps[0], &QAction::triggered, this, [this] { SelectSkin(SkinFamily::Help, 0); });
    for (int i = 0; i < 2; ++i) {
        connect(menu_.cursors[i], &QAction::triggered, this,
                [this, i] { SelectSkin(SkinFamily::Cursor, i); });
        connect(menu_.borders[i], &QAction::triggered, this,
                [this, i] { SelectSkin(SkinFamily::Border, i); });
    }
    connect(menu_.undoMove, &QAction::triggered, this, [this] { review_.StepBack(); });
    connect(menu_.redoMove, &QAction::triggered, this, [this] { review_.StepForward(); });
    connect(menu_.showMoves, &QAction::triggered, this, [this] { ToggleMovesList(); });
    connect(menu_.save, &QAction::triggered, this, [this] { SaveMatchCommand(); });
    connect(menu_.load, &QAction::triggered, this, [this] { OpenMatchCommand(); });
    connect(menu_.copyMatch, &QAction::triggered, this, [this] { CopyMatchCommand(); });
    connect(menu_.pasteMatch, &QAction::triggered, this, [this] { PasteMatchCommand(); });
    connect(menu_.analysis, &QAction::triggered, this, [this] { OpenAnalysisWindow(*this); });
    connect(menu_.help, &QAction::triggered, this, [this] { HelpCommand(); });
    connect(menu_.statistics, &QAction::triggered, this, [this] { ShowStatistics(); });

    connect(undoButton_, &QToolButton::pressed, this,
            [this] { review_.ButtonPressed(MoveReview::Repeat::Undo); });
    connect(redoButton_, &QToolButton::pressed, this,
            [this] { review_.ButtonPressed(MoveReview::Repeat::Redo); });
    connect(undoButton_, &QToolButton::released, this, [this] { review_.ButtonReleased(); });
    connect(redoButton_, &QToolButton::released, this, [this] { review_.ButtonReleased(); });
    connect(fromThisButton_, &QToolButton::clicked, this,
            [this] { review_.ContinueFromThisPosition(); });
    connect(fromEndButton_, &QToolButton::clicked, this,
            [this] { review_.ContinueFromLastPosition(); });
    connect(movesList_, &MovesListBox::rowPressed, this, [this](int row, int y) {
        if (review_.ListRowPressed(row, movesList_->count())) {
            movesList_->ScrollAtEdge(y);
        }
    });
}

QSize TReversiForm::ClientSizeForBoard() const {
    const BoardGeometry& geometry = renderer_.Geometry();
    const int panel = showMovesList_ ? MovesPanelWidth() : 0;
    const int side = geometry.size * geometry.cell + 44;
    return {side + panel, side + statusBar()->sizeHint().height() + menuBar()->sizeHint().height()};
}

void TReversiForm::ApplyLayoutSizes() {
    const BoardGeometry& geometry = renderer_.Geometry();
    const int side = geometry.size * geometry.cell + 44;
    boardWidget_->setFixedSize(side, side);
    movesPanel_->setFixedWidth(MovesPanelWidth());
    movesPanel_->setFixedHeight(side);
    movesPanel_->setVisible(showMovesList_);
    const QSize client = ClientSizeForBoard();
    const int width = client.width();
    statusPanels_[0]->setFixedWidth(width * 4 / 10);
    statusPanels_[1]->setFixedWidth(width * 4 / 10);
    statusPanels_[2]->setFixedWidth(width / 5 - 8);
    setFixedSize(client);
}

int TReversiForm::MovesPanelWidth() const {
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent) + kMovesPanelExtra;
}

void TReversiForm::RelayoutWindow(const std::function<void()>& change) {
    const QRect before = frameGeometry();
    change();
    ApplyLayoutSizes();
    const QSize after = frameGeometry().size();
    move(before.left() + (before.width() - after.width()) / 2,
         before.top() + (before.height() - after.height()) / 2);
}

void TReversiForm::SyncAnimationOptions() {
    const Settings& settings = session_.settings;
    // Animation turned off ends a running one first: its remaining frames would paint the
    // last move's squares over whatever the board shows next.
    if (!settings.animationOn && (animator_.PieceAnimOn() || animator_.MarkAnimOn())) {
        display_.EndMarks();
        display_.EndPieces();
        display_.RedrawBoard();
    }
    animator_.Options() =
        AnimationOptions{settings.animationOn, settings.showPossibleMoves,
                         settings.showPreviousMove, settings.helpSkin, settings.figureSkin};
}

SkinChoice TReversiForm::CurrentSkins() const {
    const Settings& settings = session_.settings;
    return ClampSkinChoice(SkinChoice{settings.figureSkin, settings.cursorSkin, settings.helpSkin,
                                      settings.borderSkin, session_.position.boardSize});
}

void TReversiForm::ReportImageProblems() {
    const std::vector<ImageProblem> problems = holder_.TakeImageProblems();
    if (problems.empty()) {
        return;
    }
    std::string text = "Не удалось загрузить изображения оформления:";
    for (const ImageProblem& problem : problems) {
        text += "\r" + problem.path;
        if (problem.fault == ImageProblem::Fault::WrongSize) {
            text += " (размер " + std::to_string(problem.foundWidth) + " x " +
                    std::to_string(problem.foundHeight) + " вместо " +
                    std::to_string(problem.expectedWidth) + " x " +
                    std::to_string(problem.expectedHeight) + ")";
        }
    }
    text += "\rВместо них показаны простые картинки.";
    QTimer::singleShot(0, this, [this, text] { prompter_->ReportError(text); });
}

void TReversiForm::PlayEffect(int effect) {
    audio_.PlayEffect(effect);
}

QString TReversiForm::StatusPanelText(int panel) const {
    return statusPanels_[panel]->text();
}

bool TReversiForm::ContinueEnabled() const {
    return fromThisButton_->isEnabled();
}

// --- GameView ---

void TReversiForm::SetStatusPanel(int panel, const std::string& text) {
    statusPanels_[panel]->setText(QString::fromStdString(text));
}

void TReversiForm::SetPointer(PointerShape shape) {
    switch (shape) {
        case PointerShape::Arrow:
            boardWidget_->unsetCursor();
            break;
        case PointerShape::HandPoint:
            boardWidget_->setCursor(Qt::PointingHandCursor);
            break;
        case PointerShape::Hourglass:
            boardWidget_->setCursor(Qt::WaitCursor);
            break;
    }
}

bool TReversiForm::UndoRedoEnabled() const {
    return undoButton_->isEnabled() && redoButton_->isEnabled();
}

void TReversiForm::ShowFinal(int kind, int first, int second) {
    if (net_ && net_->DeferFromHandler([=, this] { ShowFinal(kind, first, second); })) {
        return;  // raised by the peer's move: opens once its handler has returned
    }
    TFinalDlg dialog(this);
    dialog.SetResult(kind, first, second);
    CentreOn(&dialog, this);
    dialog.exec();
}

int TReversiForm::ChooseReviewAction() {
    return choice_->Ask(this);
}

void TReversiForm::ShowStatistics() {
    if (showStatisticsWindow) {
        showStatisticsWindow();
    }
}

void TReversiForm::MovePointerToSquare(int col, int row) {
    const BoardGeometry& geometry = renderer_.Geometry();
    PointAtBoard(QPoint(geometry.HintPointX(col), geometry.HintPointY(row)));
}

void TReversiForm::PointAtBoard(const QPoint& client) {
    if (!cursorPort_->MoveTo(boardWidget_->mapToGlobal(client))) {
        // The pointer stays where it was, so no mouse move will bring the board cursor.
        flow_.PointerMove(client.x(), client.y());
    }
}

// --- Window events ---

bool TReversiForm::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        RunPendingRequests();
    }
    return QMainWindow::event(event);
}

void TReversiForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Where no window manager activates the window, its first showing stands in for the
    // activation; each request runs once either way.
    QTimer::singleShot(0, this, [this] { RunPendingRequests(); });
}

void TReversiForm::RunPendingRequests() {
    if (net_) {
        net_->RunAutoCall();
    }
    if (request_.autoOpen) {
        request_.autoOpen = false;
        const QString path = QString::fromStdString(request_.openPath);
        QTimer::singleShot(0, this, [this, path] {
            if (!OpenMatchFile(path)) {
                review_.ContinueFromLastPosition();
            }
        });
    }
}

void TReversiForm::keyPressEvent(QKeyEvent* event) {
    const BoardGeometry& geometry = renderer_.Geometry();
    int col = renderer_.CursorCol();
    int row = renderer_.CursorRow();
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            flow_.BoardClick();
            return;
        case Qt::Key_Escape:
            showMinimized();
            return;
        case Qt::Key_Left:
            col = col > 0 ? col - 1 : col;
            break;
        case Qt::Key_Up:
            row = row > 0 ? row - 1 : row;
            break;
        case Qt::Key_Right:
            col = col < geometry.size - 1 ? col + 1 : col;
            break;
        case Qt::Key_Down:
            row = row < geometry.size - 1 ? row + 1 : row;
            break;
        default:
            // The network key codes are typed letters.
            if (net_) {
                for (const QChar c : event->text()) {
                    if (c.unicode() < 128) {
                        net_->KeyTyped(static_cast<char>(c.unicode()));
                    }
                }
            }
            QMainWindow::keyPressEvent(event);
            return;
    }
    const QPoint client(geometry.KeyPointX(col), geometry.KeyPointY(row));
    cursorPort_->MoveTo(boardWidget_->mapToGlobal(client));
    // Where the pointer cannot go, or the platform does not report the move, follow it here.
    flow_.PointerMove(client.x(), client.y());
}

void TReversiForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        if (isMinimized()) {
            audio_.ApplicationMinimized();
            if (session_.settings.useTray && tray_ != nullptr) {
                tray_->show();
                QTimer::singleShot(0, this, &QWidget::hide);
            }
        } else if (static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized) {
            audio_.ApplicationRestored();
        }
    }
    QMainWindow::changeEvent(event);
}

void TReversiForm::closeEvent(QCloseEvent* event) {
    // A refused start never made the music timer.
    if (musicTimer_ != nullptr) {
        musicTimer_->Disable();
    }
    session_.position.gameOver = true;
    if (!session_.flags.startAborted) {
        engine_.RequestStop();
        animationTimer_.SetEnabled(false);
        if (tray_ != nullptr) {
            tray_->hide();
        }
        SaveSettingsNow();
        if (net_) {
            net_->CloseForExit();
        }
    }
    event->accept();
}

void TReversiForm::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void TReversiForm::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.first().isLocalFile()) {
        event->acceptProposedAction();
        const QString path = urls.first().toLocalFile();
        QTimer::singleShot(0, this, [this, path] { DropFile(path); });
    }
}

// --- Commands ---

void TReversiForm::SaveMatchCommand() {
    const QString path = options_.fileDialogs.chooseSavePath(this);
    if (path.isEmpty()) {
        return;
    }
    if (IsTranscriptPath(path)) {
        SaveTranscriptFile(path);
        return;
    }
    std::string error;
    if (!SaveGameMatch(session_.record, session_.settings, session_.flags,
                       std::filesystem::path(path.toStdString()), &error)) {
        prompter_->ReportError(error);
    }
}

void TReversiForm::OpenMatchCommand() {
    if (engine_.Busy() || !ConfirmBreakNetGame()) {
        return;
    }
    const QString path = options_.fileDialogs.chooseOpenPath(this);
    if (path.isEmpty()) {
        return;
    }
    OpenMatchFile(path);
}

bool TReversiForm::OpenMatchFile(const QString& path) {
    if (IsTranscriptFile(path)) {
        return OpenTranscriptFile(path);
    }
    const int oldSize = session_.position.boardSize;
    std::string error;
    if (!OpenGameMatch(std::filesystem::path(path.toStdString()), session_.record,
                       session_.position, session_.settings, session_.flags, &error)) {
        prompter_->ReportError(error);
        return false;
    }
    ShowOpenedMatch(oldSize);
    return true;
}

void TReversiForm::ShowOpenedMatch(int oldSize) {
    animator_.EndMarks();
    animator_.EndPieces();
    session_.position.openingPending = false;
    if (session_.position.boardSize != oldSize) {
        const SkinChoice before{session_.settings.figureSkin, session_.settings.cursorSkin,
                                session_.settings.helpSkin, session_.settings.borderSkin, oldSize};
        RelayoutWindow([this, before] { ApplySkins(before); });
    }
    SyncAnimationOptions();
    display_.SetNoLastMove(true);
    flow_.EnableUndoRedo();
    flow_.UpdateMoveCounter();
    flow_.UpdateStatus();
    display_.RedrawBoard();
    flow_.SetReviewing(true);
    review_.ContinueFromLastPosition();
}

void TReversiForm::DropFile(const QString& path) {
    // A drop accepted just before the computer began to think arrives during its search.
    if (engine_.Busy()) {
        return;
    }
    QFile file(path);
    // Only a regular file: reading a pipe or a device could hold the window for ever.
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        prompter_->ReportError("Не удалось открыть файл «" + path.toStdString() + "».");
        return;
    }
    const QByteArray head = file.read(4);
    file.close();
    if (head.size() < 4) {
        // Too short to be anything: the reader refuses it and says so.
        OpenMatchFile(path);
        return;
    }
    if (!HasMatchSignature(head)) {
        DropTranscriptFile(path);
        return;
    }
    if (!ConfirmBreakNetGame()) {
        return;
    }
    OpenMatchFile(path);
}

void TReversiForm::ToggleAnimation() {
    session_.settings.animationOn = !session_.settings.animationOn;
    menu_.animation->setChecked(session_.settings.animationOn);
    SyncAnimationOptions();
}

void TReversiForm::ToggleSound() {
    session_.settings.soundOn = !session_.settings.soundOn;
    menu_.sound->setChecked(session_.settings.soundOn);
}

void TReversiForm::ToggleMusic() {
    session_.settings.musicOn = !session_.settings.musicOn;
    menu_.music->setChecked(session_.settings.musicOn);
    audio_.ApplyMusicOn();
}

void TReversiForm::ToggleMovesList() {
    RelayoutWindow([this] { showMovesList_ = !showMovesList_; });
    menu_.showMoves->setChecked(showMovesList_);
    session_.settings.showMovesList = showMovesList_;
}

void TReversiForm::ApplySkins(const SkinChoice& before) {
    const SkinChoice after = CurrentSkins();
    const bool reloads =
        after.figureSkin != before.figureSkin || after.helpSkin != before.helpSkin ||
        after.borderSkin != before.borderSkin || after.boardSize != before.boardSize;
    // Reloading pictures holds the GUI thread for a moment: say so on the window meanwhile.
    std::unique_ptr<ProgressBox> box;
    if (reloads && isVisible()) {
        box = std::make_unique<ProgressBox>(ProgressBox::Kind::Pack, this);
        const QPoint at = ProgressBoxPosition();
        box->Start(at.x(), at.y());
    }
    ApplySkinChoice(holder_, renderer_, before, after, session_.position.board);
    if (box) {
        box->Stop();
    }
    ReportImageProblems();
}

void TReversiForm::SelectSkin(SkinFamily family, int index) {
    update();
    const SkinChoice before = CurrentSkins();
    Settings& settings = session_.settings;
    switch (family) {
        case SkinFamily::Figures:
            settings.figureSkin = index;
            break;
        case SkinFamily::Cursor:
            settings.cursorSkin = index;
            break;
        case SkinFamily::Help:
            settings.helpSkin = index;
            break;
        case SkinFamily::Border:
            settings.borderSkin = index;
            break;
    }
    if (settings.figureSkin != before.figureSkin && settings.figureSkin == 0) {
        renderer_.SetLastFigFrame(BoardRenderer::kLastFigFrame);
    }
    RelayoutWindow([this, before] { ApplySkins(before); });
    SyncAnimationOptions();
    boardWidget_->RepaintBoard();
    flow_.UpdateStatus();
}

void TReversiForm::HelpCommand() {
    const QString path = FolderOrDefault(options_.programFolder) + "/docs/readme_rus.txt";
    // Without a text viewer on the desktop the help still shows, in a window of our own.
    options_.openDocument(path, [window = QPointer<TReversiForm>(this), path] {
        if (window && THelpWindow::ShowFile(path, window) == nullptr) {
            window->prompter_->ReportError("Не удалось открыть справку «" + path.toStdString() +
                                           "».");
        }
    });
}

}  // namespace velmora
