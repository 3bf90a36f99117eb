#include "app/analysis_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <chrono>
#include <cstring>

#include "app/analysis_graph.h"
#include "app/moves_list_box.h"
#include "app/reversi_form.h"
#include "game/game_texts.h"
#include "game/match_analysis_gate.h"
#include "support/thread_priority.h"

namespace velmora {

namespace {

constexpr int kWatchMilliseconds = 250;

bool SameMoves(const std::vector<MoveEntry>& a, std::span<const MoveEntry> b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(MoveEntry)) == 0);
}

}  // namespace

AnalysisWindow::AnalysisWindow(TReversiForm& form) : QWidget(&form, Qt::Window), form_(form) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Анализ партии"));

    status_ = new QLabel(this);
    progress_ = new QProgressBar(this);
    progress_->setTextVisible(true);
    graph_ = new AnalysisGraph(this);
    listCaption_ = new QLabel(
        QStringLiteral("Неточности и ошибки (ошибки — красным; в скобках — насколько лучший "
                       "ход лучше сыгранного: в фишках точно, «≈» — в очках оценки):"),
        this);
    listCaption_->setWordWrap(true);
    list_ = new QListWidget(this);
    list_->setMinimumHeight(110);
    restart_ = new QPushButton(QStringLiteral("Анализировать заново"), this);
    restart_->setToolTip(QStringLiteral("Проанализировать партию в её нынешнем виде"));
    restart_->hide();
    auto* close = new QPushButton(QStringLiteral("Закрыть"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(restart_);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(status_);
    layout->addWidget(progress_);
    layout->addWidget(graph_, 3);
    layout->addWidget(listCaption_);
    layout->addWidget(list_, 2);
    layout->addLayout(buttons);
    resize(660, 560);

    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(restart_, &QPushButton::clicked, this, [this] {
        const AnalysisGate gate = AnalysisGateFor(form_.Session());
        if (gate == AnalysisGate::RefuseNetworkGame) {
            form_.Prompts().Inform(kAnalysisNetworkRefusal);
            return;
        }
        if (gate == AnalysisGate::AskTraining) {
            if (!form_.Prompts().AskYesNo(kAnalysisQuestion)) {
                return;
            }
            form_.Session().flags.trainingGame = true;
        }
        Start();
    });
    connect(graph_, &AnalysisGraph::pointClicked, this, &AnalysisWindow::JumpToPosition);
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        // The position before the move, where the better move was there to play.
        JumpToPosition(item->data(Qt::UserRole).toInt());
    });
    watch_ = new QTimer(this);
    watch_->setInterval(kWatchMilliseconds);
    connect(watch_, &QTimer::timeout, this, &AnalysisWindow::WatchMatch);
    watch_->start();
    Start();
}

AnalysisWindow::~AnalysisWindow() {
    Cancel();
}

void AnalysisWindow::closeEvent(QCloseEvent* event) {
    Cancel();
    event->accept();
}

bool AnalysisWindow::MatchChanged() const {
    const OBoardTracker& record = form_.Session().record;
    return record.Size() != size_ || !SameMoves(moves_, record.Moves());
}

void AnalysisWindow::Start() {
    Cancel();
    const OBoardTracker& record = form_.Session().record;
    size_ = record.Size();
    moves_.assign(record.Moves().begin(), record.Moves().end());
    analysis_.reset();
    list_->clear();
    restart_->hide();
    const int total = AnalysisSteps(moves_);
    progress_->setRange(0, total);
    progress_->setValue(0);
    progress_->show();
    status_->setText(
        QStringLiteral("Идёт анализ партии %1 x %1, ходов: %2...").arg(size_).arg(moves_.size()));
    graph_->ShowText(QStringLiteral("Идёт анализ..."));

    stop_ = false;
    const int generation = ++generation_;
    worker_ = std::thread([this, generation, size = size_, moves = moves_] {
        // Below the game's own search, which must not wait for the analysis.
        ApplyToCurrentThread(ThreadPriority::Lowest);
        const auto started = std::chrono::steady_clock::now();
        std::optional<MatchAnalysis> result =
            AnalyseMatch(size, moves, {}, &stop_, [this, generation](int done, int) {
                QMetaObject::invokeMethod(
                    this,
                    [this, generation, done] {
                        if (generation == generation_) {
                            progress_->setValue(done);
                        }
                    },
                    Qt::QueuedConnection);
            });
        if (!result) {
            return;
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        QMetaObject::invokeMethod(
            this,
            [this, generation, seconds, analysis = std::move(*result)]() mutable {
                if (generation == generation_) {
                    Finished(std::move(analysis), seconds);
                }
            },
            Qt::QueuedConnection);
    });
}

void AnalysisWindow::Cancel() {
    stop_ = true;
    if (worker_.joinable()) {
        worker_.join();
    }
}

void AnalysisWindow::Finished(MatchAnalysis analysis, double seconds) {
    if (worker_.joinable()) {
        worker_.join();
    }
    progress_->hide();
    analysis_ = std::move(analysis);
    if (moves_.empty()) {
        status_->setText(QStringLiteral("В партии пока нет ходов."));
        graph_->ShowText(QStringLiteral("Нет ходов"));
        return;
    }
    status_->setText(QStringLiteral("Партия %1 x %1, ходов: %2. Анализ занял %3 с.")
                         .arg(size_)
                         .arg(moves_.size())
                         .arg(QLocale(QLocale::Russian).toString(seconds, 'f', 1)));
    graph_->ShowAnalysis(*analysis_);
    graph_->SetCurrent(form_.Session().record.Current());
    for (const MoveAnalysis& m : analysis_->moves) {
        if (m.grade == MoveGrade::Best) {
            continue;
        }
        auto* item = new QListWidgetItem(QString::fromStdString(AnalysisLine(size_, m)), list_);
        item->setData(Qt::UserRole, m.number - 1);
        if (m.grade == MoveGrade::Mistake) {
            item->setForeground(QColor(200, 30, 30));
            QFont bold = item->font();
            bold.setBold(true);
            item->setFont(bold);
        }
    }
    if (list_->count() == 0) {
        auto* item = new QListWidgetItem(QStringLiteral("Неточностей и ошибок не найдено."), list_);
        item->setFlags(Qt::NoItemFlags);
    }
}

void AnalysisWindow::WatchMatch() {
    graph_->SetCurrent(form_.Session().record.Current());
    if (!MatchChanged()) {
        return;
    }
    // A match that changed under the work stops it; the new one is analysed at once unless
    // that would need the player's word first.
    Cancel();
    ++generation_;
    if (AnalysisGateFor(form_.Session()) == AnalysisGate::Open) {
        Start();
        return;
    }
    const OBoardTracker& record = form_.Session().record;
    size_ = record.Size();
    moves_.assign(record.Moves().begin(), record.Moves().end());
    progress_->hide();
    list_->clear();
    status_->setText(QStringLiteral("Партия изменилась, анализ остановлен."));
    graph_->ShowText(QStringLiteral("Партия изменилась"));
    restart_->show();
}

void AnalysisWindow::JumpToPosition(int index) {
    MovesListBox* moves = form_.MovesList();
    if (MatchChanged() || index < 0 || index > form_.Session().record.Count()) {
        return;
    }
    if (form_.Review().ListRowPressed(index, moves->count())) {
        moves->scrollToItem(moves->item(index));
    }
    graph_->SetCurrent(form_.Session().record.Current());
}

void OpenAnalysisWindow(TReversiForm& form) {
    if (auto* open = form.findChild<AnalysisWindow*>(); open != nullptr) {
        open->raise();
        open->activateWindow();
        return;
    }
    switch (AnalysisGateFor(form.Session())) {
        case AnalysisGate::RefuseNetworkGame:
            form.Prompts().Inform(kAnalysisNetworkRefusal);
            return;
        case AnalysisGate::AskTraining:
            if (!form.Prompts().AskYesNo(kAnalysisQuestion)) {
                return;
            }
            form.Session().flags.trainingGame = true;
            break;
        case AnalysisGate::Open:
            break;
    }
    auto* window = new AnalysisWindow(form);
    window->show();
}

}  // namespace velmora
