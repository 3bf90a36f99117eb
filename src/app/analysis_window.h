#pragma once

#include <QWidget>
#include <atomic>
#include <optional>
#include <thread>
#include <vector>

#include "engine/match_analysis.h"
#include "engine/match_record.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QPushButton;
class QTimer;

namespace velmora {

class AnalysisGraph;
class TReversiForm;

// "Анализ партии": analyses the match on a thread of its own (the game's search is left
// alone), then shows the graph of the values and the list of inaccuracies and mistakes;
// a point or a row jumps the review there, as the moves list does. A changed match or the
// window's closing stops the work, and the thread is joined before the window goes.
class AnalysisWindow : public QWidget {
    Q_OBJECT

  public:
    explicit AnalysisWindow(TReversiForm& form);
    ~AnalysisWindow() override;

    AnalysisGraph* Graph() const { return graph_; }
    QListWidget* FaultList() const { return list_; }
    QProgressBar* Progress() const { return progress_; }
    bool Running() const { return worker_.joinable(); }
    int AnalysedMoves() const { return static_cast<int>(moves_.size()); }
    // Shows the position of index (0 the start, k after move k) through the review.
    void JumpToPosition(int index);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void Start();
    void Cancel();
    void Finished(MatchAnalysis analysis, double seconds);
    void WatchMatch();
    bool MatchChanged() const;

    TReversiForm& form_;
    QLabel* status_ = nullptr;
    QProgressBar* progress_ = nullptr;
    AnalysisGraph* graph_ = nullptr;
    QLabel* listCaption_ = nullptr;
    QListWidget* list_ = nullptr;
    QPushButton* restart_ = nullptr;
    QTimer* watch_ = nullptr;

    // The match being analysed, as it was when the work began.
    int size_ = 8;
    std::vector<MoveEntry> moves_;
    std::optional<MatchAnalysis> analysis_;
    std::thread worker_;
    std::atomic<bool> stop_{false};
    // Results of a cancelled run may still be queued; they carry an older generation.
    int generation_ = 0;
};

// The Партия menu's command: asks first when the game still being played against the
// computer would become a training game, then shows the window (one at a time).
void OpenAnalysisWindow(TReversiForm& form);

}  // namespace velmora
