#include "ui/CombsCommands.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QObject>

#include "core/MainFormKeys.h"
#include "core/Tr.h"
#include "shell/BusyState.h"
#include "shell/CombCommands.h"
#include "shell/Workspace.h"
#include "ui/ActionSet.h"
#include "ui/CombsModel.h"
#include "ui/CombsTab.h"
#include "ui/DialogRunner.h"
#include "ui/TFormGenCombs.h"
#include "workbench/CombTexts.h"

namespace zircon {

namespace {

const char* const kCombsFilter = ZT("Файлы комбинаций (*.lcv)");

}  // namespace

CombsCommands::CombsCommands(Workspace& workspace, CombsTab& tab, QWidget* dialogParent)
    : m_ws(workspace), m_tab(tab), m_parent(dialogParent)
{
}

CombCommands& CombsCommands::combs()
{
    return m_ws.combs();
}

const CombCommands& CombsCommands::combs() const
{
    return m_ws.combs();
}

QStringList CombsCommands::menuOrder()
{
    return {QStringLiteral("CombsGen"),         QStringLiteral("CombsOpen"),      QStringLiteral("CombsSave"),
            QStringLiteral("-"),                QStringLiteral("CombsUndo"),      QStringLiteral("-"),
            QStringLiteral("CombsDelExists"),   QStringLiteral("CombsDelSelected"), QStringLiteral("-"),
            QStringLiteral("CombsCopy"),        QStringLiteral("CombsPaste"),     QStringLiteral("CombsSelectAll"),
            QStringLiteral("-"),                QStringLiteral("CombsCheckNums"), QStringLiteral("CombsFindInDraws"),
            QStringLiteral("-"),                QStringLiteral("ViewColorCombs")};
}

FileDialogRequest CombsCommands::combsFileRequest(bool save, const QString& title)
{
    return {save, title, zircon::tr(kCombsFilter), QStringLiteral("lcv")};
}

bool CombsCommands::clipboardHasText()
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    return data && data->hasText();
}

void CombsCommands::addTo(ActionSet& actions)
{
    // The commands have no hints of their own: the caption says it.
    auto notEmpty = [this] { return !combs().list().empty(); };
    actions.add({"CombsGen", ZT("Генерировать"), ZT("Генерировать"), QKeySequence(Qt::Key_F2), {},
                 [this] { generate(); }, {}});
    actions.add({"CombsOpen", ZT("Открыть"), ZT("Открыть"), QKeySequence(Qt::CTRL | Qt::Key_O), {},
                 [this] { open(); }, {}});
    actions.add({"CombsSave", ZT("Сохранить"), ZT("Сохранить"), QKeySequence(Qt::CTRL | Qt::Key_S), notEmpty,
                 [this] { save(); }, {}});
    actions.add({"CombsUndo", ZT("Отменить"), ZT("Отменить"), QKeySequence(Qt::CTRL | Qt::Key_Z),
                 [this] { return combs().canUndo(); }, [this] { undo(); }, {}});
    actions.add({"CombsDelExists", ZT("Исключить тиражи"), ZT("Исключить тиражи"), QKeySequence(Qt::CTRL | Qt::Key_E),
                 [this] { return !combs().list().empty() && !m_ws.archive().empty() && m_tab.excludeCount() > 0; },
                 [this] { deleteExisting(); }, {}});
    actions.add({"CombsDelSelected", ZT("Удалить выделенные"), ZT("Удалить выделенные"),
                 QKeySequence(Qt::CTRL | Qt::Key_Delete),
                 [this] { return !combs().list().empty() && m_tab.hasSelection(); }, [this] { deleteSelected(); }, {}});
    actions.add({"CombsCopy", ZT("Копировать в буфер"), ZT("Копировать в буфер"), QKeySequence(Qt::CTRL | Qt::Key_C),
                 notEmpty, [this] { copy(); }, {}});
    actions.add({"CombsPaste", ZT("Вставить из буфера"), ZT("Вставить из буфера"), QKeySequence(Qt::CTRL | Qt::Key_V),
                 [] { return clipboardHasText(); }, [this] { paste(); }, {}});
    actions.add({"CombsSelectAll", ZT("Выделить все"), ZT("Выделить все"), QKeySequence(Qt::CTRL | Qt::Key_A), notEmpty,
                 [this] { selectAll(); }, {}});
    actions.add({"CombsCheckNums", ZT("Количество уникальных номеров"), ZT("Количество уникальных номеров"),
                 QKeySequence(), {}, [this] { checkNumbers(); }, {}});
    actions.add({"CombsFindInDraws", ZT("Проверить по архиву тиражей"), ZT("Проверить по архиву тиражей"),
                 QKeySequence(Qt::CTRL | Qt::Key_F), [this] { return m_tab.hasSelection(); },
                 [this] { findInDraws(); }, {}});
    actions.add({"ViewColorCombs", ZT("Выделять каналы в списке комбинаций"), ZT("Выделять каналы в списке комбинаций"),
                 QKeySequence(), {}, [this] { toggleColor(); }, [this] { return m_tab.model()->colorCombs(); }});

    m_tab.bindButtons(actions.action(QStringLiteral("CombsGen")), actions.action(QStringLiteral("CombsDelExists")));
    QObject::connect(&m_tab, &CombsTab::excludeEntered, &actions,
                     [&actions] { actions.trigger(QStringLiteral("CombsDelExists")); });
}

void CombsCommands::generate()
{
    TFormGenCombs dialog(m_parent);
    dialog.setSettings(m_ws.statList().GenerateMode, m_ws.statList().GenerateParams);
    if (runDialog(dialog) != QDialog::Accepted)
        return;
    const uint8_t mode = dialog.mode();
    const QString parameter = dialog.parameter();
    if (dialog.storeAsDefault())
        combs().storeGenerationSettings(mode, parameter);
    combs().generate(mode, parameter);
}

void CombsCommands::open()
{
    const QString file = chooseFile(m_parent, combsFileRequest(false, zircon::tr("Открыть")));
    if (file.isEmpty())
        return;
    combs().openFile(file);
}

void CombsCommands::save()
{
    const QString file = chooseFile(m_parent, combsFileRequest(true, zircon::tr("Сохранить")));
    if (file.isEmpty())
        return;
    combs().saveFile(file);
}

void CombsCommands::undo()
{
    combs().undo();
}

void CombsCommands::deleteExisting()
{
    combs().removeDrawCombs(m_tab.excludeCount());
}

void CombsCommands::deleteSelected()
{
    const std::vector<int> rows = m_tab.selectedRows();
    if (combs().deleteSelected(rows))
        m_tab.clearSelection();
}

void CombsCommands::copy()
{
    BusyScope busy(m_ws.busyState(), m_ws.host(), pleaseWaitStatusText());
    const QString text = combs().copyText(m_tab.selectedRows());
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(text);
}

void CombsCommands::paste()
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    combs().paste(clipboard->text());
}

void CombsCommands::selectAll()
{
    BusyScope busy(m_ws.busyState(), m_ws.host(), pleaseWaitStatusText());
    m_tab.selectAll();
}

void CombsCommands::checkNumbers()
{
    QString text;
    {
        BusyScope busy(m_ws.busyState(), m_ws.host(), pleaseWaitStatusText());
        text = combs().uniqueNumbersMessage();
    }
    m_ws.host().showMessage(MessageKind::Information, text);
}

void CombsCommands::findInDraws()
{
    const int row = m_tab.firstSelectedRow();
    if (row < 0)
        return;
    QString text;
    {
        BusyScope busy(m_ws.busyState(), m_ws.host(), findInDrawsStatusText());
        text = combs().findInDrawsMessage(row);
    }
    if (!text.isEmpty())
        m_ws.host().showMessage(MessageKind::Information, text);
}

void CombsCommands::toggleColor()
{
    const bool on = !m_tab.model()->colorCombs();
    // Stored first: when the file cannot be written the option stays as it was.
    storeMainFormToggle(m_ws.formState(), mainform::kColorCombs, on);
    m_tab.model()->setColorCombs(on);
}

}  // namespace zircon
