#include "app/reversi_dialogs.h"

#include <QAction>
#include <QEvent>
#include <QTimer>

#include "app/about_box.h"
#include "app/day_tip_form.h"
#include "app/intro_resource_loader.h"
#include "app/reversi_form.h"
#include "app/settings_dialog.h"
#include "app/settings_store.h"
#include "app/statistics_form.h"
#include "view/board_widget.h"

namespace velmora {

namespace {

constexpr int kTipDelayMs = 250;

}  // namespace

ReversiDialogs::ReversiDialogs(TReversiForm& window)
    : window_(window), sideDlg_(new TSideDlg(window.Session().settings, &window)) {
    window_.dialogs = this;
    window_.showSettingsDialog = [this] { SettingsCommand(); };
    window_.showStatisticsWindow = [this] { StatisticsCommand(); };
    const MainMenu& menu = window_.Menu();
    connect(menu.dayTip, &QAction::triggered, this, &ReversiDialogs::DayTipCommand);
    connect(menu.about, &QAction::triggered, this, &ReversiDialogs::AboutCommand);
    // The board covers the window, so its first paint is the window's.
    window_.Board()->installEventFilter(this);
}

ReversiDialogs::~ReversiDialogs() {
    window_.dialogs = nullptr;
    window_.showSettingsDialog = nullptr;
    window_.showStatisticsWindow = nullptr;
}

Settings ReversiDialogs::StoredDialogSettings() const {
    return sideDlg_->SettingsToStore(window_.Session().settings);
}

void ReversiDialogs::SettingsCommand() {
    Settings& settings = window_.Session().settings;
    if (!sideDlg_->Execute(&window_, settings)) {
        return;
    }
    SettingsDialogChoices choices = sideDlg_->Choices();
    ApplySettingsDialog(choices, window_);
    sideDlg_->SyncFromSettings(settings);
    window_.SaveSettingsNow();
}

void ReversiDialogs::StatisticsCommand() {
    GameSession& session = window_.Session();
    const StatisticsTable before = session.statistics;
    TStatisticsForm::ShowStatistics(session.statistics, session.settings, window_.Prompts(),
                                    &window_);
    // Levels cleared in the window stay cleared whatever happens next.
    if (!(session.statistics == before)) {
        window_.SaveSettingsNow();
    }
}

void ReversiDialogs::DayTipCommand() {
    TDayTipForm::ShowDayTip(window_.Session().settings, &window_);
}

void ReversiDialogs::AboutCommand() {
    TAboutBox::ShowAbout(LoadIntroResources(), &window_);
}

void ReversiDialogs::LockForNetGame(bool locked) {
    sideDlg_->LockForNetGame(locked);
}

SettingsDialogChoices ReversiDialogs::OwnChoices() const {
    return sideDlg_->Choices();
}

bool ReversiDialogs::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && !firstPaintSeen_) {
        firstPaintSeen_ = true;
        QTimer::singleShot(kTipDelayMs, this, &ReversiDialogs::TipShowTimer);
    }
    return QObject::eventFilter(watched, event);
}

void ReversiDialogs::TipShowTimer() {
    tipShown_ = true;
    if (window_.Session().settings.showTips) {
        DayTipCommand();
    }
}

}  // namespace velmora
