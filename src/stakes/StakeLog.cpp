#include "stakes/StakeLog.h"

#include <QDir>

#include "core/Format.h"
#include "core/NumberText.h"
#include "core/Shema.h"
#include "core/TextCodec.h"
#include "core/Tr.h"
#include "stats/ConfigData.h"

namespace zircon {

StakeLog::StakeLog(QString dir) : m_dir(std::move(dir)), m_clock([] { return QDateTime::currentDateTime(); }) {}

StakeLog::~StakeLog()
{
    end();
}

QString StakeLog::fileName(int matches)
{
    return fmt(QStringLiteral("%s-%d.log"), kProgramName, matches);
}

QString StakeLog::filePattern()
{
    return QString::fromLatin1(kProgramName) + QStringLiteral("-*.log");
}

QString StakeLog::lineText(const StakeRecord& r, const QDateTime& at)
{
    const double profit = static_cast<double>(r.profit) / static_cast<double>(kCurrencyScale);
    return at.toString(QStringLiteral("yyyy.MM.dd hh:mm:ss")) + QStringLiteral(": ") +
           fmt(tr("Тираж № %s. Ставка: \"%s\" [%s] {%d}. Результаты тиража: [%s]. Совпадений: %d. Профит: %.2f."),
               QString::number(r.drawNumber), r.comment(), ShemaText(r.numbers, QStringLiteral(";")), r.listSize,
               CombText(r.drawNumbers), r.matches(), profit);
}

QString StakeLog::filePath(int matches) const
{
    return QDir(m_dir).filePath(fileName(matches));
}

void StakeLog::begin()
{
    end();
    m_failure.clear();
    m_linesLost = 0;
    for (Slot& slot : m_slots)
        slot.failed = false;
}

void StakeLog::fail(const QString& text)
{
    if (m_failure.isEmpty())
        m_failure = text;
}

bool StakeLog::openSlot(Slot& slot, int matches)
{
    auto file = std::make_unique<QFile>(filePath(matches));
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append)) {
        fail(fmt(tr("Ошибка записи в файл \"%s\"!\r\r%s"), file->fileName(), file->errorString()));
        slot.failed = true;
        return false;
    }
    slot.size = file->size();
    slot.file = std::move(file);
    return true;
}

void StakeLog::closeSlot(Slot& slot, int matches)
{
    if (!slot.file)
        return;
    if (!slot.file->flush()) {
        fail(fmt(tr("Ошибка записи в файл \"%s\"!\r\r%s"), filePath(matches), slot.file->errorString()));
        slot.failed = true;
    }
    slot.file->close();
    slot.file.reset();
}

void StakeLog::write(const StakeRecord& record)
{
    const int matches = record.matches();
    if (!record.checked || matches < 0 || matches >= kSlots)
        return;
    Slot& slot = m_slots[static_cast<size_t>(matches)];
    if (slot.failed) {
        ++m_linesLost;
        return;
    }
    if (!slot.file && !openSlot(slot, matches)) {
        ++m_linesLost;
        return;
    }
    if (slot.size > m_sizeLimit) {
        // Deleting lets the log start afresh; when it cannot be deleted the
        // line is still appended, as losing it would help no one.
        closeSlot(slot, matches);
        if (slot.failed) {
            ++m_linesLost;
            return;
        }
        QFile old(filePath(matches));
        if (!old.remove())
            fail(fmt(tr("Ошибка удаления файла \"%s\"!\r\r%s"), old.fileName(), old.errorString()));
        if (!openSlot(slot, matches)) {
            ++m_linesLost;
            return;
        }
    }
    const QByteArray line = toCp1251(lineText(record, m_clock())) + QByteArrayLiteral("\r\n");
    if (slot.file->write(line) != line.size()) {
        fail(fmt(tr("Ошибка записи в файл \"%s\"!\r\r%s"), slot.file->fileName(), slot.file->errorString()));
        slot.failed = true;
        ++m_linesLost;
        slot.file->close();
        slot.file.reset();
        return;
    }
    slot.size += line.size();
}

void StakeLog::end()
{
    for (int m = 0; m < kSlots; ++m)
        closeSlot(m_slots[static_cast<size_t>(m)], m);
}

}  // namespace zircon
