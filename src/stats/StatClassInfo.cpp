#include "stats/StatClassInfo.h"

#include "core/Format.h"
#include "core/Tr.h"

namespace zircon {
namespace {

struct GroupInfo {
    const char* code;
    const char* title;
};

constexpr GroupInfo kGroups[kStatGroupCount] = {
    {"num", ZT("Числа тиража")},
    {"sum", ZT("Сумма чисел тиража")},
    {"dif", ZT("Разности между числами тиража")},
    {"grp", ZT("Каналы (группы чисел)")},
    {"mtx", ZT("Матрица тиража")},
    {"sgm", ZT("Сегменты матрицы тиража")},
    {"seq", ZT("Последовательности чисел в одном тираже")},
    {"rep", ZT("Повторяющиеся числа в нескольких тиражах")},
    {"ser", ZT("Серии (цепочки) значений")},
    {"per", ZT("Периоды повторения значений")},
    {"mov", ZT("Переходы (изменения) значений между тиражами")},
    {"ogn", ZT("Характеристическое число Огнева")},
    {"shr", ZT("Методы шинковки")},
};

}  // namespace

QString StatClassInfo::code(int32_t param) const
{
    return fmt(QString::fromUtf8(codeFormat), param);
}

QString StatClassInfo::title(int32_t param) const
{
    if (titleFn)
        return titleFn(titleFormat, param);
    return fmt(tr(titleFormat), param);
}

QString StatClassInfo::helpCode(int32_t param) const
{
    return fmt(QString::fromUtf8(*helpCodeFormat ? helpCodeFormat : codeFormat), param);
}

QString statGroupCode(int group)
{
    if (group < 0 || group >= kStatGroupCount)
        return QStringLiteral("#ERROR#");
    return QString::fromLatin1(kGroups[group].code);
}

QString statGroupTitle(int group)
{
    if (group < 0 || group >= kStatGroupCount)
        return QStringLiteral("#ERROR#");
    return tr(kGroups[group].title);
}

QString statGroupCaption(int group)
{
    return fmt(QStringLiteral("{ %1:s } %0:s"), statGroupTitle(group), statGroupCode(group));
}

QString statFlagLetters(uint8_t fullFlags)
{
    static const char kLetters[] = "SNDPG";
    QString s;
    for (int bit = 0; bit < 5; ++bit)
        if (fullFlags & (1u << bit))
            s += QLatin1Char(kLetters[bit]);
    return s;
}

}  // namespace zircon
