#pragma once
// The host of the command-line program: messages go to the standard streams,
// questions get fixed answers, progress goes to standard error.
#include <QString>

#include "shell/Host.h"

namespace zircon {

class CliHost : public Host {
public:
    // Questions are answered with `answer` (the program runs without asking).
    explicit CliHost(bool answer = true) : m_answer(answer) {}

    void setStatusText(int, const QString&) override {}
    bool showMessage(MessageKind kind, const QString& text, bool defaultNo) override;
    void processEvents() override {}
    void busyChanged(bool) override {}
    void progressShow(const QString& text, int position, int maximum) override;
    void progressClose() override;
    void waitShow(const QString& text) override;
    void waitClose() override {}
    void viewerMessage(const QString& caption, const QString& text, uint32_t rgb) override;

    // Whether an error was shown; the program then exits non-zero.
    bool failed() const { return m_failed; }

private:
    bool m_answer;
    bool m_failed = false;
    bool m_progressOpen = false;
};

// Writes text to a standard stream in UTF-8, "\r" line breaks as line ends.
void printOut(const QString& text);
void printErr(const QString& text);

}  // namespace zircon
