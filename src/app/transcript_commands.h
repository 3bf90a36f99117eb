#pragma once

#include <QString>

class QFileDialog;

namespace velmora {

// The file dialogs' filters: saved matches, and matches written as text.
QString OpenMatchFilters();
QString SaveMatchFilters();
// Keeps the save dialog's default suffix in step with the filter the player picks.
void FollowFilterWithSuffix(QFileDialog& dialog);

// A name ending in ".txt" (any case): the match is saved as a transcript.
bool IsTranscriptPath(const QString& path);
// A file to open as a transcript: one that neither starts with the saved-match signature nor
// is named ".qvz". A file that cannot be read is left to the saved-match reader to report.
bool IsTranscriptFile(const QString& path);

}  // namespace velmora
