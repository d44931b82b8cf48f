#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextDocument>

#include "ui/MessageViewer.h"
#include "ui/QtHost.h"
#include "ui/TFormProgress.h"
#include "ui/WaitWindow.h"

namespace zircon {
namespace {

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(QtHost, MessageTextsBreakLinesAtCarriageReturns)
{
    struct Case {
        const char* in;
        const char* out;
    };
    for (const Case c : {Case{"a\r\rb", "a\n\nb"}, Case{"a\r\nb", "a\nb"}, Case{"a\nb", "a\nb"}, Case{"plain", "plain"},
                         Case{"Ошибка чтения файла тиражей!\r\rнет доступа", "Ошибка чтения файла тиражей!\n\nнет доступа"}})
        EXPECT_EQ(QtHost::messageBoxText(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST(QtHost, CaptionsOfTheMessageKinds)
{
    EXPECT_EQ(QtHost::messageCaption(MessageKind::Error), QStringLiteral("Ошибка"));
    EXPECT_EQ(QtHost::messageCaption(MessageKind::Information), QStringLiteral("Информация"));
    EXPECT_EQ(QtHost::messageCaption(MessageKind::Warning), QStringLiteral("Предупреждение"));
    EXPECT_EQ(QtHost::messageCaption(MessageKind::Question), QStringLiteral("Подтверждение"));
    EXPECT_EQ(QtHost::messageCaption(MessageKind::ErrorQuestion), QStringLiteral("Ошибка"));
}

TEST(QtHost, AnswererStandsInForTheUser)
{
    QtHost host;
    std::vector<std::tuple<MessageKind, QString, bool>> seen;
    host.setAnswerer([&](MessageKind k, const QString& t, bool defaultNo) {
        seen.emplace_back(k, t, defaultNo);
        return k != MessageKind::Question;
    });
    EXPECT_FALSE(host.showMessage(MessageKind::Question, QStringLiteral("Удалить?"), true));
    EXPECT_TRUE(host.showMessage(MessageKind::Error, QStringLiteral("x")));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(std::get<0>(seen[0]), MessageKind::Question);
    EXPECT_TRUE(std::get<2>(seen[0]));
    EXPECT_EQ(std::get<1>(seen[1]), QStringLiteral("x"));
}

TEST(QtHost, SevenStatusPanels)
{
    QStatusBar bar;
    QtHost host;
    host.setStatusText(3, QStringLiteral("before"));
    host.attachStatusBar(&bar);
    for (int i = 0; i < 7; ++i)
        ASSERT_NE(host.panel(i), nullptr) << i;
    EXPECT_EQ(host.panel(7), nullptr);
    EXPECT_EQ(host.panel(3)->text(), QStringLiteral("before")) << "a text set before the bar is kept";
    host.setStatusText(6, QStringLiteral("Загрузка файла тиражей..."));
    EXPECT_EQ(host.panel(6)->text(), QStringLiteral("Загрузка файла тиражей..."));
    EXPECT_EQ(host.statusText(6), QStringLiteral("Загрузка файла тиражей..."));
    host.setStatusText(9, QStringLiteral("ignored"));
    EXPECT_EQ(host.statusText(9), QString());
}

TEST(QtHost, BusyCursorAndListener)
{
    QtHost host;
    std::vector<bool> seen;
    host.setBusyListener([&](bool b) { seen.push_back(b); });
    host.busyChanged(true);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    host.busyChanged(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

TEST(QtHost, ProgressWindowShowsAndStops)
{
    QtHost host;
    int stops = 0;
    host.setStopHandler([&] { ++stops; });
    host.progressShow(QStringLiteral("Удаление... ( завершено 50 % )"), 5, 10);
    TFormProgress* window = host.progressWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->text(), QStringLiteral("Удаление... ( завершено 50 % )"));
    EXPECT_EQ(window->position(), 5);
    EXPECT_EQ(window->maximum(), 10);
    host.progressShow(QStringLiteral("next"), 7, 10);
    EXPECT_EQ(host.progressWindow(), window) << "one window per operation";
    EXPECT_EQ(window->position(), 7);
    window->stopButton()->click();
    EXPECT_EQ(stops, 1);
    window->close();
    EXPECT_EQ(stops, 2) << "closing the window by hand asks for the stop";
    EXPECT_TRUE(window->isVisible()) << "the operation closes its window itself";
    host.progressClose();
    EXPECT_EQ(host.progressWindow(), nullptr);
    flushDeletes();
    host.progressShow(QStringLiteral("again"), 0, 0);
    ASSERT_NE(host.progressWindow(), nullptr);
    EXPECT_EQ(host.progressWindow()->position(), 0);
    host.progressClose();
}

TEST(QtHost, WaitWindowIsBorderlessAndCentred)
{
    QtHost host;
    host.waitShow(QStringLiteral("Загрузка тиражей..."));
    WaitWindow* w = host.waitWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(w->text(), QStringLiteral("Загрузка тиражей..."));
    const QRect area = w->screen()->availableGeometry();
    EXPECT_LE(std::abs(w->geometry().center().x() - area.center().x()), 1);
    EXPECT_LE(std::abs(w->geometry().center().y() - area.center().y()), 1);
    host.waitClose();
    EXPECT_EQ(host.waitWindow(), nullptr);
    flushDeletes();
}

TEST(QtHost, MessageViewerCountsAndStartsAnewAfterClosing)
{
    QtHost host;
    host.viewerMessage(QString(), QStringLiteral("first\r\nsecond line"), 0x800000);
    host.viewerMessage(QString(), QStringLiteral("third"), 0x000080);
    MessageViewer* viewer = host.messageViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(viewer->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(viewer->isModal());
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("Сообщения"));
    EXPECT_EQ(viewer->plainText(), QStringLiteral("first\nsecond line\n\nthird"))
        << "two messages are separated by one empty line";
    EXPECT_EQ(viewer->statusText(), QStringLiteral("Всего сообщений: 2"));
    host.viewerMessage(QStringLiteral("Удаление"), QStringLiteral("   "), 0);
    EXPECT_EQ(viewer->statusText(), QStringLiteral("Всего сообщений: 2")) << "a blank message only refreshes";
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("Удаление"));

    EXPECT_EQ(viewer->closeAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F4));
    EXPECT_EQ(viewer->copyAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Insert));
    EXPECT_EQ(viewer->selectAllAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));

    viewer->closeAction()->trigger();
    flushDeletes();
    EXPECT_EQ(host.messageViewer(), nullptr) << "closing destroys the window";
    host.viewerMessage(QString(), QStringLiteral("again"), 0);
    ASSERT_NE(host.messageViewer(), nullptr);
    EXPECT_EQ(host.messageViewer()->statusText(), QStringLiteral("Всего сообщений: 1"));
    EXPECT_EQ(host.messageViewer()->plainText(), QStringLiteral("again"));
    host.messageViewer()->close();
    flushDeletes();
}

TEST(MessageViewer, LinesKeepTheirColour)
{
    MessageViewer viewer;
    viewer.setAttribute(Qt::WA_DeleteOnClose, false);
    viewer.showMessage(QString(), QStringLiteral("maroon"), 0x800000);
    ASSERT_EQ(viewer.model().lines().size(), 1u);
    EXPECT_EQ(viewer.model().lines()[0].rgb, 0x800000u);
    auto* text = viewer.findChild<QPlainTextEdit*>();
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->lineWrapMode(), QPlainTextEdit::NoWrap);
    const QTextBlock block = text->document()->firstBlock();
    ASSERT_TRUE(block.isValid());
    const auto format = block.begin().fragment().charFormat();
    EXPECT_EQ(format.foreground().color(), QColor(0x80, 0, 0));
    viewer.selectAllAction()->trigger();
    EXPECT_EQ(text->textCursor().selectedText(), QStringLiteral("maroon"));
}

}  // namespace
}  // namespace zircon
