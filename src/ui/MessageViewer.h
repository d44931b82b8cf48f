#pragma once
// The window "Сообщения": the reports of file operations and other warnings,
// as coloured read-only lines with a message count. It lives from its first
// message until the user closes it; closing destroys it, so the next message
// opens a fresh window counting from zero.
#include <QWidget>

#include <cstdint>

#include "shell/MessageViewerModel.h"

class QAction;
class QLabel;
class QPlainTextEdit;

namespace zircon {

class MessageViewer : public QWidget {
    Q_OBJECT
public:
    explicit MessageViewer(QWidget* parent = nullptr);

    // Sets the caption when one is given, adds the text (a blank text only
    // refreshes the count line) and brings the window to the front.
    void showMessage(const QString& caption, const QString& text, uint32_t rgb);

    const MessageViewerModel& model() const { return m_model; }
    QString plainText() const;
    QString statusText() const;
    QAction* closeAction() const { return m_close; }
    QAction* copyAction() const { return m_copy; }
    QAction* selectAllAction() const { return m_selectAll; }

private:
    void appendLines(size_t from);

    MessageViewerModel m_model;
    QPlainTextEdit* m_text = nullptr;
    QLabel* m_status = nullptr;
    QAction* m_close = nullptr;
    QAction* m_copy = nullptr;
    QAction* m_selectAll = nullptr;
};

}  // namespace zircon
