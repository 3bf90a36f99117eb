#include <gtest/gtest.h>

#include <netdb.h>

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "net/call_dialog.h"
#include "net/call_request_dialog.h"
#include "net/local_addresses.h"
#include "net/net_key_codes.h"
#include "net/net_port.h"
#include "net/progress_box.h"
#include "net/protocol_message.h"
#include "net/remote_field.h"
#include "net/send_dialog.h"
#include "net/show_ip_dialog.h"
#include "net_test_support.h"

namespace velmora {
namespace {

using net_test::EnsureApplication;
using net_test::PumpUntil;

void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(widget, &press);
    }
}

TEST(NetDialogsTest, CallDialogTurnsTypedLettersToCapitals) {
    EnsureApplication();
    TCallDlg dialog;
    EXPECT_TRUE(dialog.WhiteChecked());
    EXPECT_TRUE(dialog.Size10Checked());
    Type(dialog.AddressEdit(), QStringLiteral("host-a.lan"));
    EXPECT_EQ(dialog.Address(), QStringLiteral("HOST-A.LAN"));
    dialog.SetChoices(false, true);
    EXPECT_FALSE(dialog.WhiteChecked());
    EXPECT_TRUE(dialog.Size8Checked());
    EXPECT_FALSE(dialog.Size10Checked());
    EXPECT_EQ(dialog.size(), QSize(300, 232));
}

TEST(NetDialogsTest, CallRequestCountsDownAndRefusesByItself) {
    EnsureApplication();
    TCallReq dialog;
    dialog.SetRequest(QStringLiteral("PC-7"), QStringLiteral("Чёрные"), QStringLiteral("8 x 8"));
    EXPECT_EQ(dialog.CallerText(), QStringLiteral("\"PC-7\""));
    EXPECT_EQ(dialog.ColourText(), QStringLiteral("\"Чёрные\""));
    EXPECT_EQ(dialog.SizeText(), QStringLiteral("\"8 x 8\""));

    dialog.SetTickInterval(1000000);  // the test ticks by hand
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_TRUE(dialog.Showing());
        // Ten ticks a second; still open just before thirty seconds.
        const std::pair<int, const char*> steps[] = {
            {0, "Нет=30"}, {9, "Нет=30"}, {10, "Нет=29"}, {100, "Нет=20"}, {299, "Нет=1"}};
        int ticked = 0;
        for (const auto& [ticks, text] : steps) {
            for (; ticked < ticks; ++ticked) {
                dialog.Tick();
            }
            EXPECT_EQ(dialog.RefuseButtonText(), QString::fromUtf8(text)) << ticks;
            EXPECT_TRUE(dialog.isVisible());
        }
        dialog.Tick();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_FALSE(dialog.Showing());
    EXPECT_EQ(dialog.CountdownPosition(), 300);

    // Shown again, it starts from the beginning; its own timer drives it.
    dialog.SetTickInterval(1);
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_LT(dialog.CountdownPosition(), 10);
        EXPECT_TRUE(PumpUntil([&] { return dialog.CountdownPosition() >= 10; }));
        dialog.reject();
    });
    dialog.exec();
}

TEST(NetDialogsTest, SendDialogLaysOutKeepsHistoryAndBoundsItsArchive) {
    EnsureApplication();
    TSendDlg dialog;
    EXPECT_EQ(dialog.Text(), QStringLiteral("Привет!"));
    EXPECT_EQ(dialog.minimumSize(), QSize(240, 220));
    dialog.show();
    for (const QSize size : {QSize(352, 314), QSize(600, 480), QSize(240, 220)}) {
        dialog.resize(size);
        QCoreApplication::processEvents();
        const int w = size.width();
        const int h = size.height();
        QPushButton* ok = dialog.OkButton();
        QPushButton* cancel = dialog.CancelButton();
        EXPECT_EQ(ok->x(), (w - ok->width() - cancel->width() - 10) / 2);
        EXPECT_EQ(cancel->x(), (w - cancel->width() + ok->width() + 10) / 2);
        EXPECT_EQ(ok->y(), h - ok->height() - 10);
        EXPECT_EQ(dialog.ArchiveGroup()->geometry(),
                  QRect(5, 5, w - 10, h - dialog.SendGroup()->height() - ok->height() - 30));
        EXPECT_EQ(dialog.SendGroup()->geometry().topLeft(),
                  QPoint(5, dialog.ArchiveGroup()->height() + 10));
        EXPECT_EQ(dialog.SendLine()->width(), w - 10 - 20);
        EXPECT_EQ(dialog.Archive()->geometry(),
                  QRect(10, 20, w - 10 - 20, dialog.ArchiveGroup()->height() - 30));
    }

    dialog.RememberSent(QStringLiteral("ход"));
    dialog.RememberSent(QStringLiteral("ещё"));
    dialog.RememberSent(QStringLiteral("ещё"));
    EXPECT_EQ(dialog.History(),
              (QStringList{QStringLiteral("ещё"), QStringLiteral("ещё"), QStringLiteral("ход")}));
    EXPECT_EQ(dialog.SendLine()->lineEdit()->maxLength(), static_cast<int>(kMaxTextBytes));

    for (int i = 0; i < TSendDlg::kArchiveLines + 50; ++i) {
        dialog.AppendToArchive(QStringLiteral(">>%1").arg(i));
    }
    EXPECT_EQ(dialog.ArchiveLineCount(), TSendDlg::kArchiveLines);
    EXPECT_TRUE(
        dialog.ArchiveText().endsWith(QStringLiteral(">>%1").arg(TSendDlg::kArchiveLines + 49)));
}

TEST(NetDialogsTest, RemoteFieldPaintsTheReceivedSquaresWithGaps) {
    EnsureApplication();
    // Column 0: black, white, an unknown letter, then empty squares.
    std::string text = "D";
    text += "bwx";
    text += std::string(97, '+');
    TRemoteField field(text, 10);
    EXPECT_EQ(field.windowTitle(), QStringLiteral("R_BRD"));
    const QImage image = field.grab().toImage();
    const int cell = 128 / 10;
    const QColor background = image.pixelColor(cell * 5 + 2, cell * 5 + 2);
    EXPECT_EQ(image.pixelColor(1, 1), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(1, cell + 1), QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(cell - 2, 2 * cell + 1), QColor(127, 127, 127));
    EXPECT_EQ(image.pixelColor(cell - 1, 1), background) << "the gap between squares";
    EXPECT_NE(background, QColor(0, 0, 0));

    // A text that stops short paints what it holds and nothing beyond.
    TRemoteField shortField("Db", 8);
    const QImage shortImage = shortField.grab().toImage();
    EXPECT_EQ(shortImage.pixelColor(1, 1), QColor(0, 0, 0));
    EXPECT_EQ(shortImage.pixelColor(1, 128 / 8 + 1), shortImage.pixelColor(60, 60));
}

TEST(NetDialogsTest, AddressListHoldsEveryCallableAddressOnALine) {
    EnsureApplication();
    const auto at = [](const char* text) { return QHostAddress(QString::fromLatin1(text)); };
    const QList<InterfaceAddresses> machine = {
        {true, true, {at("127.0.0.1"), at("::1")}},
        {true, false, {at("10.1.2.3"), at("fe80::1"), at("2a02:6b8::5"), at("fd00::7")}},
        {false, false, {at("10.9.9.9"), at("2a02:6b8::9")}},
        {true, false, {at("192.168.0.20")}},
    };
    const QStringList lines = CallableAddresses(machine);
    EXPECT_EQ(lines, (QStringList{QStringLiteral("10.1.2.3"), QStringLiteral("192.168.0.20"),
                                  QStringLiteral("2a02:6b8::5")}));

    TShowIPDlg dialog(lines);
    const QString text = QStringLiteral("10.1.2.3\n192.168.0.20\n2a02:6b8::5");
    EXPECT_EQ(dialog.Text(), text);
    QTimer::singleShot(0, &dialog, [&] { dialog.CopyAndClose(); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), text);

    // The machine's own list never holds loopback addresses.
    for (const QString& line : CallableAddresses(MachineInterfaces())) {
        EXPECT_FALSE(QHostAddress(line).isLoopback()) << line.toStdString();
    }
}

TEST(NetDialogsTest, ProgressBoxBlinksItsWordAndCopesWithoutItsPicture) {
    EnsureApplication();
    QWidget window;
    window.resize(400, 300);
    ProgressBox box(ProgressBox::Kind::Connect, &window);
    EXPECT_EQ(box.Text(), QStringLiteral("Соединение..."));
    EXPECT_FALSE(box.HasPicture()) << "the pictures are compiled into the program only";
    box.Start(100, 120);
    EXPECT_TRUE(box.Running());
    EXPECT_EQ(box.pos(), QPoint(100, 120));
    const auto step = [&box](int steps) {
        for (int i = 0; i < steps; ++i) {
            box.Step();
        }
    };
    EXPECT_TRUE(box.TextShown());
    step(12);
    EXPECT_FALSE(box.TextShown());
    step(12);
    EXPECT_TRUE(box.TextShown());
    step(217);
    EXPECT_EQ(box.Frame(), 0) << "the counter starts again after 240";
    EXPECT_FALSE(box.grab().isNull());
    ASSERT_TRUE(PumpUntil([&] { return box.Frame() > 0; }));
    box.Stop();
    EXPECT_FALSE(box.Running());
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(ProgressBox(ProgressBox::Kind::Pack, &window).Text(), QStringLiteral("Загрузка..."));
}

// A slip keeps what was matched so far; a selector switches words and starts over; case
// matters.
TEST(NetKeyCodesTest, SelectorsTailsAndForgivingSlips) {
    const struct {
        const char* typed;
        const char* actions;  // F: field request, P: peer address
    } cases[] = {
        {"fvodrumhplenkatorix", "FP"}, {"hplenkQ9atorix", "P"}, {"fvodXrum", "F"},
        {"hplenfvodrum", "F"},         {"fVODRUMvodrum", "F"},  {"hplenhplenkatorix", "P"},
    };
    for (const auto& c : cases) {
        NetKeyCodes codes;
        std::string actions;
        for (const char* typed = c.typed; *typed != '\0'; ++typed) {
            const NetKeyCodes::Action action = codes.Type(*typed);
            actions += action == NetKeyCodes::Action::FieldRequest  ? "F"
                       : action == NetKeyCodes::Action::PeerAddress ? "P"
                                                                    : "";
        }
        EXPECT_EQ(actions, c.actions) << c.typed;
    }
}

TEST(NetPortTest, ServiceNamesAndNumbers) {
    EXPECT_EQ(ResolveNetPort(8173, ""), 8173);
    EXPECT_EQ(ResolveNetPort(0, ""), 0);
    EXPECT_FALSE(ResolveNetPort(70000, "").has_value());
    EXPECT_FALSE(ResolveNetPort(8173, "no-such-velmora-service").has_value());
    // The system's service database, where it has the entry.
    if (getservbyname("http", "tcp") != nullptr) {
        EXPECT_EQ(ResolveNetPort(8173, "http"), 80);
    }
    EXPECT_FALSE(LocalComputerName().empty());
}

}  // namespace
}  // namespace velmora
