#include "workbench/CombTexts.h"

#include "core/Format.h"
#include "core/Tr.h"

namespace zircon {

QString backupCombsStatusText()
{
    return tr("Создание файла отката...");
}

QString restoreCombsStatusText()
{
    return tr("Отмена изменений...");
}

QString generateCombsStatusText()
{
    return tr("Генерация возможных комбинаций...");
}

QString loadCombsStatusText(const QString& file)
{
    return fmt(tr("Загрузка файла \"%s\"..."), file);
}

QString saveCombsStatusText(const QString& file)
{
    return fmt(tr("Сохранение файла \"%s\"..."), file);
}

QString deleteSelectedStatusText()
{
    return tr("Удаление выделенных комбинаций...");
}

QString pleaseWaitStatusText()
{
    return tr("Подождите пожалуйста...");
}

QString findInDrawsStatusText()
{
    return tr("Поиск по архиву тиражей...");
}

QString combsCountText(size_t count)
{
    return fmt(tr("Комбинаций: %d"), static_cast<uint64_t>(count));
}

QString removeDrawsStatusText(int n)
{
    return fmt(tr("Удаление из списка комбинаций %d последних тиражей..."), n);
}

QString removeDrawsProgressText(int n, double percent)
{
    return fmt(tr("Удаление из списка комбинаций %d последних тиражей ( завершено %.0f %% )..."), n, percent);
}

QString saveStartCacheStatusText()
{
    return tr("Создание буфера комбинаций...");
}

QString saveStartCacheProgressText(double percent)
{
    return fmt(tr("Создание буфера комбинаций ( завершено %.0f %% )..."), percent);
}

QString loadStartCacheStatusText()
{
    return tr("Загрузка буфера комбинаций...");
}

QString loadStartCacheProgressText(double percent)
{
    return fmt(tr("Загрузка буфера комбинаций ( завершено %.0f %% )..."), percent);
}

double progressPercent(size_t done, size_t total)
{
    return total == 0 ? 100.0 : 100.0 * static_cast<double>(done) / static_cast<double>(total);
}

QString combsReadErrorText(const QString& file, const QString& reason)
{
    return fmt(tr("Ошибка чтения файла \"%s\"!\r\r%s"), file, reason);
}

QString combsWriteErrorText(const QString& file, const QString& reason)
{
    return fmt(tr("Ошибка записи в файл \"%s\"!\r\r%s"), file, reason);
}

QString generateCombsErrorText(const QString& reason)
{
    return fmt(tr("Ошибка генерации файла комбинаций!\r\r%s"), reason);
}

QString saveStartCacheErrorText(const QString& reason)
{
    return fmt(tr("Ошибка создания буфера комбинаций!\r\r%s"), reason);
}

QString loadStartCacheErrorText(const QString& reason)
{
    return fmt(tr("Ошибка загрузки буфера комбинаций!\r\r%s"), reason);
}

QString combsRefusedText(const QString& file, const CombsReadResult& result)
{
    if (result.refused == 0)
        return {};
    return fmt(tr("В файле \"%s\" пропущено строк с некорректными комбинациями: %d.\r\rПервая из них (строка %d): "
                  "\"%s\"\r\rКомбинация должна состоять из пяти разных чисел от 1 до 69."),
               file, static_cast<uint64_t>(result.refused), static_cast<uint64_t>(result.firstRefusedLine),
               result.firstRefusedText);
}

QString uniqueNumbersText(int count)
{
    return fmt(tr("В текущем списке комбинаций содержится %d уникальных номеров"), count);
}

QString findInDrawsText(const QStringList& lines)
{
    if (lines.isEmpty())
        return tr("Выделенная комбинация не найдена архиве тиражей!");
    return tr("Выделенная комбинация найдена в следующих тиражах:") + QStringLiteral("\r\r") +
           lines.join(QLatin1Char('\r'));
}

}  // namespace zircon
