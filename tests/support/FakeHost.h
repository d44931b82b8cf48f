#pragma once
// A host that records what the core shows and answers questions from a script.
#include <QString>
#include <QStringList>

#include <deque>
#include <map>
#include <vector>

#include "shell/Host.h"

namespace zircon::test {

class FakeHost : public Host {
public:
    struct Message {
        MessageKind kind;
        QString text;
        bool defaultNo;
    };

    void setStatusText(int panel, const QString& text) override { panels[panel] = text; }
    bool showMessage(MessageKind kind, const QString& text, bool defaultNo) override
    {
        messages.push_back({kind, text, defaultNo});
        if (!isQuestion(kind))
            return true;
        if (answers.empty())
            return false;
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
    void processEvents() override { ++eventRuns; }
    void busyChanged(bool busy) override { busyChanges.push_back(busy); }
    void progressShow(const QString& text, int position, int maximum) override
    {
        progressUpdates.push_back({text, position, maximum});
    }
    void progressClose() override { ++progressCloses; }
    void waitShow(const QString& text) override { waitTexts.append(text); }
    void waitClose() override { ++waitCloses; }
    void viewerMessage(const QString&, const QString& text, uint32_t) override { viewer.append(text); }

    int count(MessageKind kind) const
    {
        int n = 0;
        for (const auto& m : messages)
            n += m.kind == kind;
        return n;
    }

    struct ProgressUpdate {
        QString text;
        int position;
        int maximum;
    };

    std::map<int, QString> panels;
    std::vector<Message> messages;
    std::deque<bool> answers;  // answers to the next questions; No when empty
    std::vector<bool> busyChanges;
    std::vector<ProgressUpdate> progressUpdates;
    QStringList waitTexts;
    QStringList viewer;
    int eventRuns = 0;
    int progressCloses = 0;
    int waitCloses = 0;
};

}  // namespace zircon::test
