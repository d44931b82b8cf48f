#include "cli/CliHost.h"

#include <cstdio>

namespace zircon {
namespace {

void writeTo(std::FILE* stream, QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

}  // namespace

void printOut(const QString& text)
{
    writeTo(stdout, text);
}

void printErr(const QString& text)
{
    writeTo(stderr, text);
}

bool CliHost::showMessage(MessageKind kind, const QString& text, bool)
{
    switch (kind) {
    case MessageKind::Error:
        m_failed = true;
        printErr(text);
        return true;
    case MessageKind::Warning:
        printErr(text);
        return true;
    case MessageKind::Information:
        return true;  // the commands print their own results
    case MessageKind::Question:
        return m_answer;
    case MessageKind::ErrorQuestion:
        // A failure offered for a retry: the program never asks, so it fails.
        m_failed = true;
        printErr(text);
        return false;
    }
    return true;
}

void CliHost::progressShow(const QString& text, int position, int maximum)
{
    const int percent = maximum > 0 ? static_cast<int>(static_cast<long long>(position) * 100 / maximum) : 0;
    std::fprintf(stderr, "\r%s %3d%%", text.toUtf8().constData(), percent);
    std::fflush(stderr);
    m_progressOpen = true;
}

void CliHost::progressClose()
{
    if (m_progressOpen)
        std::fputc('\n', stderr);
    m_progressOpen = false;
}

void CliHost::waitShow(const QString& text)
{
    printErr(text);
}

void CliHost::viewerMessage(const QString&, const QString& text, uint32_t)
{
    printErr(text);
}

}  // namespace zircon
