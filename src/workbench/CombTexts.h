#pragma once
// The texts the combination commands show: status lines, progress lines and
// messages. The commands compose them; the list operations themselves only
// throw the reason of a failure.
#include <QString>
#include <QStringList>

#include <cstddef>

#include "workbench/CombFile.h"

namespace zircon {

QString backupCombsStatusText();     // "Создание файла отката..."
QString restoreCombsStatusText();    // "Отмена изменений..."
QString generateCombsStatusText();   // "Генерация возможных комбинаций..."
QString loadCombsStatusText(const QString& file);  // "Загрузка файла \"%s\"..."
QString saveCombsStatusText(const QString& file);  // "Сохранение файла \"%s\"..."
QString deleteSelectedStatusText();  // "Удаление выделенных комбинаций..."
QString pleaseWaitStatusText();      // "Подождите пожалуйста..."
QString findInDrawsStatusText();     // "Поиск по архиву тиражей..."
QString combsCountText(size_t count);  // status panel 3: "Комбинаций: %d"

// "Удаление из списка комбинаций %d последних тиражей..." and its progress
// form with "( завершено %.0f %% )".
QString removeDrawsStatusText(int n);
QString removeDrawsProgressText(int n, double percent);

// The start-list cache's status and progress lines.
QString saveStartCacheStatusText();                 // "Создание буфера комбинаций..."
QString saveStartCacheProgressText(double percent);
QString loadStartCacheStatusText();                 // "Загрузка буфера комбинаций..."
QString loadStartCacheProgressText(double percent);

// Percentage of a pass for the progress texts; 100 for an empty pass.
double progressPercent(size_t done, size_t total);

// Failures: the operation's message, an empty line and the reason.
QString combsReadErrorText(const QString& file, const QString& reason);   // "Ошибка чтения файла \"%s\"!\r\r%s"
QString combsWriteErrorText(const QString& file, const QString& reason);  // "Ошибка записи в файл \"%s\"!\r\r%s"
QString generateCombsErrorText(const QString& reason);  // "Ошибка генерации файла комбинаций!\r\r%s"
QString saveStartCacheErrorText(const QString& reason);  // "Ошибка создания буфера комбинаций!\r\r%s"
QString loadStartCacheErrorText(const QString& reason);  // "Ошибка загрузки буфера комбинаций!\r\r%s"

// The warning after reading a file with refused lines: how many there were and
// the first of them; the empty text when none was refused.
QString combsRefusedText(const QString& file, const CombsReadResult& result);

// The information box of the unique-number count.
QString uniqueNumbersText(int count);
// The information box of the search in the archive: the heading, an empty
// line and the found lines; or the not-found message when there are none.
QString findInDrawsText(const QStringList& lines);

}  // namespace zircon
