#include "ui/MessageViewer.h"

#include <QAction>
#include <QColor>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QVBoxLayout>

#include "core/Tr.h"

namespace zircon {

MessageViewer::MessageViewer(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TFormMessages"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(zircon::tr("Сообщения"));
    resize(640, 360);

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("memMessages"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblCount"));

    m_close = new QAction(zircon::tr("Закрыть"), this);
    m_close->setObjectName(QStringLiteral("MessagesClose"));
    m_close->setStatusTip(zircon::tr("Закрыть окно"));
    m_close->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
    connect(m_close, &QAction::triggered, this, &QWidget::close);
    m_copy = new QAction(zircon::tr("Копировать"), this);
    m_copy->setObjectName(QStringLiteral("MessagesCopy"));
    m_copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert));
    connect(m_copy, &QAction::triggered, m_text, &QPlainTextEdit::copy);
    m_selectAll = new QAction(zircon::tr("Выделить все"), this);
    m_selectAll->setObjectName(QStringLiteral("MessagesSelectAll"));
    m_selectAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    connect(m_selectAll, &QAction::triggered, m_text, &QPlainTextEdit::selectAll);
    for (QAction* a : {m_close, m_copy, m_selectAll}) {
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
    }
    // The text's own menu would offer the same commands without our shortcuts.
    m_text->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_text->addActions({m_copy, m_selectAll, m_close});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_status);
    m_status->setText(m_model.countText());
}

void MessageViewer::showMessage(const QString& caption, const QString& text, uint32_t rgb)
{
    if (!caption.isEmpty())
        setWindowTitle(caption);
    const size_t before = m_model.lines().size();
    m_model.add(text, rgb);
    appendLines(before);
    m_status->setText(m_model.countText());
    show();
    raise();
    activateWindow();
}

void MessageViewer::appendLines(size_t from)
{
    const auto& lines = m_model.lines();
    QTextCursor cursor(m_text->document());
    cursor.movePosition(QTextCursor::End);
    for (size_t i = from; i < lines.size(); ++i) {
        QTextCharFormat format;
        format.setForeground(QColor(static_cast<int>((lines[i].rgb >> 16) & 0xFF),
                                    static_cast<int>((lines[i].rgb >> 8) & 0xFF),
                                    static_cast<int>(lines[i].rgb & 0xFF)));
        // The document starts with one empty block: the first line goes there.
        if (i > 0)
            cursor.insertBlock();
        cursor.insertText(lines[i].text, format);
    }
    m_text->moveCursor(QTextCursor::End);
    m_text->ensureCursorVisible();
}

QString MessageViewer::plainText() const
{
    return m_text->toPlainText();
}

QString MessageViewer::statusText() const
{
    return m_status->text();
}

}  // namespace zircon
