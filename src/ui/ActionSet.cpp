#include "ui/ActionSet.h"

#include <QAction>

#include "core/Error.h"
#include "core/Tr.h"
#include "shell/Host.h"

namespace zircon {

ActionSet::ActionSet(Host& host, std::function<bool()> busy, QObject* parent)
    : QObject(parent), m_host(host), m_busy(std::move(busy))
{
    m_entries.reserve(64);
}

QAction* ActionSet::add(const CommandSpec& spec)
{
    auto* action = new QAction(zircon::tr(spec.caption), this);
    action->setObjectName(QString::fromLatin1(spec.name));
    const QString hint = zircon::tr(spec.hint);
    action->setToolTip(hint);
    action->setStatusTip(hint);
    if (!spec.shortcut.isEmpty())
        action->setShortcut(spec.shortcut);
    action->setCheckable(static_cast<bool>(spec.checkedWhen));
    m_entries.push_back({spec, action});
    m_actions.push_back(action);
    const QString name = action->objectName();
    connect(action, &QAction::triggered, this, [this, name] { trigger(name); });
    return action;
}

const ActionSet::Entry* ActionSet::find(const QString& name) const
{
    for (const Entry& e : m_entries)
        if (e.action->objectName() == name)
            return &e;
    return nullptr;
}

QAction* ActionSet::action(const QString& name) const
{
    const Entry* e = find(name);
    return e ? e->action : nullptr;
}

bool ActionSet::enabledNow(const Entry& entry) const
{
    if (m_busy && m_busy())
        return false;
    return !entry.spec.enabledWhen || entry.spec.enabledWhen();
}

bool ActionSet::enabledNow(const QString& name) const
{
    const Entry* e = find(name);
    return e && enabledNow(*e);
}

void ActionSet::updateStates()
{
    for (const Entry& e : m_entries) {
        e.action->setEnabled(enabledNow(e));
        if (e.spec.checkedWhen)
            e.action->setChecked(e.spec.checkedWhen());
    }
}

bool ActionSet::trigger(const QString& name)
{
    const Entry* e = find(name);
    // A shortcut may arrive between two idle updates; the test decides.
    if (!e || !enabledNow(*e)) {
        updateStates();
        return false;
    }
    // The entry may move if a command adds commands; keep a copy of the step.
    const Entry entry = *e;
    run(entry);
    updateStates();
    return true;
}

void ActionSet::run(const Entry& entry)
{
    try {
        if (entry.spec.execute)
            entry.spec.execute();
    } catch (const std::exception& ex) {
        m_host.showMessage(MessageKind::Error, errorText(ex));
    }
}

}  // namespace zircon
