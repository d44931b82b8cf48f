#pragma once
// The optional stake logs "Zircon_5x69-%d.log": one text file per number of
// matches, one line for every stake as it is checked, in Windows-1251 with
// CR LF. A file that has grown past the size limit is deleted before the next
// line is written to it.
//
// One session lasts one check: begin(), a line per checked stake, end(). The
// files stay open for the session, so a check of many stakes does not open a
// file once for every line. Failures are collected, not thrown, so that a
// check goes on and shows one message at its end instead of one per stake.
#include <QDateTime>
#include <QFile>
#include <QString>

#include <array>
#include <functional>
#include <memory>

#include "stakes/StakeRecord.h"

namespace zircon {

class StakeLog {
public:
    static constexpr qint64 kDefaultSizeLimit = 268435456;  // 256 MiB

    explicit StakeLog(QString dir);
    ~StakeLog();
    StakeLog(const StakeLog&) = delete;
    StakeLog& operator=(const StakeLog&) = delete;

    // "Zircon_5x69-%d.log" for that number of matches.
    static QString fileName(int matches);
    // "Zircon_5x69-*.log": every stake log, for deleting them.
    static QString filePattern();
    // The line without its line end: the local time "yyyy.mm.dd hh:nn:ss",
    // ": " and "Тираж № %s. Ставка: \"%s\" [%s] {%d}. Результаты тиража: [%s].
    // Совпадений: %d. Профит: %.2f." filled from the record.
    static QString lineText(const StakeRecord& record, const QDateTime& at);

    QString filePath(int matches) const;
    void setSizeLimit(qint64 bytes) { m_sizeLimit = bytes; }
    // The clock of the time stamps; the local time by default.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

    // Starts a session: forgets the failures of the last one.
    void begin();
    // Writes the line of a checked record to the file of its matches; an
    // unchecked record writes nothing. After a failure on a file its further
    // lines in this session are counted as lost and not tried again.
    void write(const StakeRecord& record);
    // Closes the files of the session (their last lines reach the disk here).
    void end();

    // The first failure of the session, ready to show ("Ошибка записи в файл
    // \"%s\"!\r\r%s" or "Ошибка удаления файла \"%s\"!\r\r%s"), or "".
    const QString& failure() const { return m_failure; }
    // Lines of the session that did not reach their file.
    int linesLost() const { return m_linesLost; }

private:
    struct Slot {
        std::unique_ptr<QFile> file;
        qint64 size = 0;  // the file's size as written so far
        bool failed = false;
    };
    static constexpr int kSlots = kMaxShemaNumbers + 1;

    void fail(const QString& text);
    bool openSlot(Slot& slot, int matches);
    void closeSlot(Slot& slot, int matches);

    QString m_dir;
    qint64 m_sizeLimit = kDefaultSizeLimit;
    std::function<QDateTime()> m_clock;
    std::array<Slot, kSlots> m_slots;
    QString m_failure;
    int m_linesLost = 0;
};

}  // namespace zircon
