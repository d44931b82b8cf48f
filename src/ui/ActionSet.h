#pragma once
// The commands of a window, built once from a table: each has a caption, a
// hint (shown in status panel 6 while the program is not busy), a shortcut,
// an enabled test that reads workspace state and an execute step. Menus,
// pop-up menus and buttons all use the same QAction objects. Every enabled
// test begins with "not busy"; the tests run whenever the interface is idle.
#include <QKeySequence>
#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class QAction;

namespace zircon {

class Host;

struct CommandSpec {
    const char* name = "";               // the command's name, also the action's object name
    const char* caption = "";            // source text of the caption
    const char* hint = "";               // source text of the hint
    QKeySequence shortcut;               // none when empty
    std::function<bool()> enabledWhen;   // beyond "not busy"; empty: always
    std::function<void()> execute;       // failures are shown in an error box
    std::function<bool()> checkedWhen;   // a check mark that mirrors this state; empty: none
};

class ActionSet : public QObject {
    Q_OBJECT
public:
    ActionSet(Host& host, std::function<bool()> busy, QObject* parent = nullptr);

    QAction* add(const CommandSpec& spec);
    // The action of that name, or nullptr.
    QAction* action(const QString& name) const;
    const std::vector<QAction*>& actions() const { return m_actions; }

    // Runs the enabled tests and check marks of every command.
    void updateStates();
    // The test of one command as it stands now, busy state included.
    bool enabledNow(const QString& name) const;
    // Executes the command when its test passes; returns whether it ran.
    bool trigger(const QString& name);

private:
    struct Entry {
        CommandSpec spec;
        QAction* action = nullptr;
    };
    const Entry* find(const QString& name) const;
    bool enabledNow(const Entry& entry) const;
    void run(const Entry& entry);

    Host& m_host;
    std::function<bool()> m_busy;
    std::vector<Entry> m_entries;
    std::vector<QAction*> m_actions;
};

}  // namespace zircon
