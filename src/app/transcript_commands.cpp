// Matches as text: copying and pasting transcripts, and opening, dropping and saving them as
// files, each ending where opening a saved match ends.
#include "app/transcript_commands.h"

#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>

#include "app/reversi_form.h"
#include "engine/match_file.h"

namespace velmora {

namespace {

constexpr const char* kNoMovesYet = "В партии ещё нет ни одного хода.";

std::filesystem::path FilePath(const QString& path) {
    return std::filesystem::path(path.toStdString());
}

}  // namespace

QString OpenMatchFilters() {
    return QStringLiteral(
        "Все партии (*.qvz *.txt);;Сохранённые партии (*.qvz);;Текст партии (*.txt)");
}

QString SaveMatchFilters() {
    return QStringLiteral("Сохранённые партии (*.qvz);;Текст партии (*.txt)");
}

void FollowFilterWithSuffix(QFileDialog& dialog) {
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) {
                         dialog.setDefaultSuffix(filter.contains(QStringLiteral("*.txt"))
                                                     ? QStringLiteral("txt")
                                                     : QStringLiteral("qvz"));
                     });
}

bool IsTranscriptPath(const QString& path) {
    return path.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive);
}

bool IsTranscriptFile(const QString& path) {
    if (path.endsWith(QStringLiteral(".qvz"), Qt::CaseInsensitive)) {
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray head = file.read(4);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(head.constData());
    return DecodeMatch({bytes, static_cast<std::size_t>(head.size())}).problem ==
           MatchProblem::BadSignature;
}

void TReversiForm::CopyMatchCommand() {
    const OBoardTracker& record = session_.record;
    if (record.Count() == 0) {
        prompter_->Inform(kNoMovesYet);
        return;
    }
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(WriteTranscript(record.Size(), record.Moves())));
}

void TReversiForm::PasteMatchCommand() {
    if (engine_.Busy()) {
        return;
    }
    const QString clipboard = QGuiApplication::clipboard()->text();
    if (clipboard.trimmed().isEmpty()) {
        prompter_->ReportError("В буфере обмена нет текста.");
        return;
    }
    // One character takes at least one byte: the cut keeps an overlong text overlong.
    const QByteArray text =
        clipboard.left(static_cast<qsizetype>(kMaxTranscriptBytes) + 1).toUtf8();
    TranscriptReadResult read =
        ReadTranscript(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    if (!read.game) {
        prompter_->ReportError("Текст в буфере обмена не является записью партии: " + read.error +
                               ".");
        return;
    }
    if (!ConfirmBreakNetGame()) {
        return;
    }
    OpenTranscriptGame(std::move(*read.game));
}

bool TReversiForm::OpenTranscriptFile(const QString& path) {
    TranscriptFileResult read = ReadTranscriptFile(FilePath(path));
    if (!read.game) {
        prompter_->ReportError(read.error);
        return false;
    }
    OpenTranscriptGame(std::move(*read.game));
    return true;
}

void TReversiForm::DropTranscriptFile(const QString& path) {
    TranscriptFileResult read = ReadTranscriptFile(FilePath(path));
    if (!read.game) {
        // Pictures, long texts and texts that do not even start with a move were never meant
        // for the board; a transcript with a slip in it was.
        const bool foreign = read.binary || read.problem == TranscriptProblem::Empty ||
                             read.problem == TranscriptProblem::TooLong ||
                             (read.problem == TranscriptProblem::NotAMove && read.moveNumber == 1);
        if (!foreign) {
            prompter_->ReportError(read.error);
        }
        return;
    }
    if (!ConfirmBreakNetGame()) {
        return;
    }
    OpenTranscriptGame(std::move(*read.game));
}

void TReversiForm::SaveTranscriptFile(const QString& path) {
    const OBoardTracker& record = session_.record;
    // An empty transcript could not be opened again.
    if (record.Count() == 0) {
        prompter_->Inform(kNoMovesYet);
        return;
    }
    const std::string text = WriteTranscript(record.Size(), record.Moves()) + "\n";
    QSaveFile file(path);
    const bool saved = file.open(QIODevice::WriteOnly) &&
                       file.write(text.data(), static_cast<qint64>(text.size())) ==
                           static_cast<qint64>(text.size()) &&
                       file.commit();
    if (!saved) {
        prompter_->ReportError("Не удалось сохранить партию в файл «" +
                               QFileInfo(path).fileName().toStdString() + "».");
    }
}

void TReversiForm::OpenTranscriptGame(TranscriptGame game) {
    const int oldSize = session_.position.boardSize;
    ApplyTranscriptGame(std::move(game), session_.record, session_.position);
    session_.settings.boardSize = session_.position.boardSize;
    // The moves were not played here under the present settings: the game no longer counts.
    session_.flags.trainingGame = true;
    ShowOpenedMatch(oldSize);
}

}  // namespace velmora
