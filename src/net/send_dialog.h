#pragma once

#include <QDialog>

class QComboBox;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;

namespace velmora {

// "Отправить сообщение": the chat archive (">>" before received and "<<" before sent texts)
// and the line to send with the texts sent before, newest first. One lives as long as the
// main window; the archive keeps its last kArchiveLines lines.
class TSendDlg : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kArchiveLines = 1000;

    explicit TSendDlg(QWidget* parent = nullptr);

    // Adds one line and shows the archive's end.
    void AppendToArchive(const QString& line);
    QString ArchiveText() const;
    int ArchiveLineCount() const;

    QString Text() const;
    void SetText(const QString& text);
    // The text becomes the first entry of the drop-down list (duplicates kept).
    void RememberSent(const QString& text);
    QStringList History() const;

    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    QGroupBox* ArchiveGroup() const { return archiveGroup_; }
    QGroupBox* SendGroup() const { return sendGroup_; }
    QPlainTextEdit* Archive() const { return archive_; }
    QComboBox* SendLine() const { return sendLine_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Layout();
    void ScrollArchiveToEnd();

    QGroupBox* archiveGroup_ = nullptr;
    QPlainTextEdit* archive_ = nullptr;
    QGroupBox* sendGroup_ = nullptr;
    QComboBox* sendLine_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace velmora
