#pragma once
// The one way the core talks to the user. The Qt interface implements it with
// real windows, the command-line program with standard output and fixed
// answers, the tests with a fake that records and answers from a script.
#include <QString>

#include <cstdint>

namespace zircon {

enum class MessageKind {
    Error,        // caption "Ошибка", error icon
    Information,  // caption "Информация"
    Warning,      // caption "Предупреждение", exclamation icon
    Question,     // caption "Подтверждение", Yes and No
    ErrorQuestion,  // caption "Ошибка", error icon, Yes and No (retry after a failure)
};

inline bool isQuestion(MessageKind kind)
{
    return kind == MessageKind::Question || kind == MessageKind::ErrorQuestion;
}

class Host {
public:
    virtual ~Host() = default;

    // Status bar panel 0..6; panel 6 carries progress and hints.
    virtual void setStatusText(int panel, const QString& text) = 0;
    // Shows a message box. For a question returns true on Yes; `defaultNo`
    // preselects No. Other kinds return true once closed.
    virtual bool showMessage(MessageKind kind, const QString& text, bool defaultNo = false) = 0;
    // Lets pending events run so that painting and the stop button work.
    virtual void processEvents() = 0;
    // The busy counter went from 0 to 1 or back.
    virtual void busyChanged(bool busy) = 0;
    // The progress window: shown or refreshed, then closed.
    virtual void progressShow(const QString& text, int position, int maximum) = 0;
    virtual void progressClose() = 0;
    // The borderless wait window with one text line.
    virtual void waitShow(const QString& text) = 0;
    virtual void waitClose() = 0;
    // A line for the message viewer "Сообщения" (file operations report here).
    virtual void viewerMessage(const QString& caption, const QString& text, uint32_t rgb) = 0;
};

}  // namespace zircon
